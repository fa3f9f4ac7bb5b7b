// The scenario the panel host flies when it is given none: a busy terminal
// area around the own aircraft, which flies north over the airport at
// 10 000 ft.
#include "sky/scenario.h"

namespace panelhost {

std::string_view DefaultScenarioText() {
    return R"(# A busy terminal area: 30 aircraft of the traffic interface and 8 network players.
# own LATITUDE LONGITUDE ALTITUDE_FT HEADING_DEG SPEED_KT IDENTIFIER
own 47.4647 8.5492 10000 0 250 HB-JVA
# traffic IDENTIFIER LATITUDE LONGITUDE ALTITUDE_FT HEIGHT_FT HEADING_DEG SPEED_KT VS_FPM
# On the ground and in the airport's circuit: 50 ft or less above ground is hidden, 51 is drawn
traffic SWR12A   47.4553 8.5441   1416      0 280  15     0
traffic EZS45K   47.4517 8.5603   1416      0   0   0     0
traffic DLH5LT   47.4584 8.5237   1446     30 280 140  1800
traffic SWR7GA   47.4609 8.5808   1466     50 100 135  -700
traffic BAW713   47.4830 8.5022   1467     51 280 150  2000
# Climbing and descending within a few miles, all around
traffic SWR286   47.5080 8.5862   4500   3084 100 210  1500
traffic AFR1145  47.4862 8.6683   6000   4584 250 230 -1200
traffic KLM96U   47.4218 8.6247   3500   2084 320 180  -800
traffic UAE87    47.3498 8.5791   7000   5584 340 240 -1500
traffic HBZWL    47.4004 8.4360   4000   2584  45 110     0
traffic DLH1TK   47.4991 8.3586   9000   7584  90 250  2500
traffic SWR5FL   47.5441 8.4813   8000   6584 150 220 -1000
# Ahead within 20 degrees and 2500 ft of the own altitude (the altitude display)
traffic SWR1MQ   47.6639 8.5751  11000   9584 180 260  -500
traffic EZY21KP  47.7581 8.4564   8500   7084  20 280  1200
traffic BEL7PC   47.8671 8.7100  12300  10884 200 300     0
traffic AUA56C   47.6141 8.5298   9600   8184   0 240   800
# In the 120 degree sector ahead and further around, up to 40 NM
traffic SWR39W   47.8467 9.0281  15000  13584 220 320 -1500
traffic TAP949   47.8848 8.0220  24000  22584 130 420     0
traffic RYR4NK   47.6552 8.9546  18000  16584 270 350  2000
traffic ITY5XY   47.5982 8.2658  13000  11584  60 300 -2200
traffic WZZ3CT   48.0229 8.9389  35000  33584 200 450     0
traffic SAS61M   47.3998 9.0827  16000  14584 280 330 -1800
traffic LOT3VC   47.1064 8.9899  27000  25584 300 440     0
traffic THY7TQ   46.9162 8.2571  37000  35584  20 460     0
traffic ACA881   47.3613 8.1330  12000  10584  70 290 -1600
traffic QTR95    47.5382 7.9171  21000  19584 100 380 -2000
# A name longer than every buffer it passes through
traffic SKYLARK-EXPEDITION-CHARTER-FLIGHT-NUMBER-ONE-HUNDRED-AND-TWELVE 47.2147 8.5492   9000   7584  10 250   500
# Beyond 40 NM: listed only when the range reaches them
traffic CSA6KL   48.2031 8.7446  33000  31584 190 440     0
traffic IBE3SW   46.5239 9.0463  36000  34584 340 450     0
traffic FIN7HK   47.9056 6.6800  38000  36584 100 460     0
# player NAME LATITUDE LONGITUDE ALTITUDE_FT HEADING_DEG SPEED_KT VS_FPM
# Network players; Buzzard, 40 m up, is too low for the radar to show
player  Kestrel  47.6569 8.4674  10800 160 220  -600
player  Falcon   47.5644 8.8059   7500 300 190     0
player  Merlin   47.3895 8.7411   5000  30 150   700
player  Harrier  47.2336 8.3528  14000  80 260     0
player  Osprey   47.4549 8.4467   3000 120 120  -400
player  Buzzard  47.4416 8.5689    131   0   0     0
player  "Night Owl" 47.7468 8.1286  20000 135 300 -1000
player  The-Long-Named-Network-Player-Whose-Callsign-Runs-Past-Fifty-Characters 47.6829 8.7764  12000 230 240   300
)";
}

}  // namespace panelhost
