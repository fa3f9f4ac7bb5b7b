# Frame time against target count: one panel per display mode, one colour
# per image size; solid the drawn frame, dashed the replay of its GDI+ calls.
#   gnuplot -e "data='FOLDER'; output='PNG'" performance.gp
set terminal pngcairo size 1500,520 font "DejaVu Sans,11"
set output output
set multiplot layout 1,3 title "Radar frame: processor time per drawn frame (median), libgdiplus"
set logscale y
set xlabel "targets in the list"
set ylabel "µs per frame"
set xtics (0, 30, 100, 200, 356)
set key bottom right font ",9"
set grid
modes = "2 3 4"
names = "plan sector altitude"
sizes = "256 512 1024"
do for [i=1:3] {
    m = word(modes, i)
    set title sprintf("mode %s (%s)", m, word(names, i))
    plot for [j=1:3] sprintf("%s/m%s_s%s.dat", data, m, word(sizes, j)) using 1:2 with linespoints lw 2 pt 7 lc j title sprintf("%s px frame", word(sizes, j)), \
         for [j=1:3] sprintf("%s/m%s_s%s.dat", data, m, word(sizes, j)) using 1:3 with linespoints lw 1 dt 2 pt 6 lc j title sprintf("%s px replay", word(sizes, j))
}
unset multiplot
