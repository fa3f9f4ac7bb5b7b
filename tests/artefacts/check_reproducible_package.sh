#!/usr/bin/env bash
# Makes the package twice, each time from a fresh copy of the source tree
# (its files as they are now, with the git history for the version and the
# commit time) in folders of different depths: the 32-bit module built with
# the win32 preset, then tools/make_dist.sh with the screenshots drawn by
# the given Linux build. The second run differs in everything that must not
# matter: the folder, the time (a build later), the time zone, the umask and
# the locale. Fails unless the two zips are the same byte for byte, and
# names the entries that differ.
#
# usage: check_reproducible_package.sh <source tree> <Linux build> <work folder> <python3>
set -euo pipefail

source=$(cd "$1" && pwd)
linux_build=$(cd "$2" && pwd)
work=$3
python=$4
rm -rf "$work"
mkdir -p "$work"
work=$(cd "$work" && pwd)
started=$SECONDS

# <copy>: a fresh tree without build outputs; a clone first where the source
# is a git checkout, so that both copies read the same history.
copy_tree() {
  if git -C "$source" rev-parse --git-dir > /dev/null 2>&1; then
    git clone -q --no-checkout "$source" "$1"
  else
    mkdir -p "$1"
  fi
  tar -C "$source" --exclude=./.git --exclude=./build --exclude=./dist --exclude=./out -cf - . | tar -C "$1" -xf -
}

# <copy> <log>: the package in the copy, after the Windows files it ships
# (`shipped` in tools/make_dist.sh).
make_package() {
  (
    cd "$1"
    { cmake --preset win32 && cmake --build --preset win32 -j 2 --target RadarGauge RadarPreview &&
      tools/make_dist.sh --linux-build "$linux_build"; } > "$2" 2>&1
  ) || { echo "FAIL: making the package in $1 failed:"; tail -n 30 "$2"; exit 1; } >&2
  ls "$1"/dist/RadarGauge-*.zip
}

copy_tree "$work/a/RadarGauge"
first=$(umask 022; TZ=UTC LC_ALL=C make_package "$work/a/RadarGauge" "$work/a.log")
copy_tree "$work/second/copy/of/RadarGauge"
second=$(umask 077; TZ=XYZ-5:45 LC_ALL=C.UTF-8 make_package "$work/second/copy/of/RadarGauge" "$work/b.log")

if [[ "$(basename "$first")" != "$(basename "$second")" ]]; then
  echo "FAIL: the packages are named $(basename "$first") and $(basename "$second")"
  exit 1
fi
if ! cmp -s "$first" "$second" || ! cmp -s "$(dirname "$first")/SHA256SUMS" "$(dirname "$second")/SHA256SUMS"; then
  echo "FAIL: two builds of the same sources give different packages:"
  "$python" - "$first" "$second" <<'PYTHON'
import sys, zipfile
first, second = (zipfile.ZipFile(path) for path in sys.argv[1:3])
if first.namelist() != second.namelist():
    print("  entries or their order differ:", first.namelist(), second.namelist())
    sys.exit()
differing = 0
for a, b in zip(first.infolist(), second.infolist()):
    fields = [field for field in ("date_time", "external_attr", "create_system", "extra", "flag_bits",
                                  "compress_type", "CRC", "file_size")
              if getattr(a, field) != getattr(b, field)]
    if fields:
        print("  %s: %s" % (a.filename, ", ".join(fields)))
        differing += 1
if not differing:
    print("  not in the entries' contents or fields: in the archive's own bytes")
PYTHON
  exit 1
fi
echo "$(basename "$first"): the same in both builds, SHA-256 $(sha256sum < "$first" | cut -d' ' -f1) ($((SECONDS - started)) s)"
rm -rf "$work"
