#!/usr/bin/env bash
# Checks a built Windows module file: its machine, that it exports exactly
# ImportTable and Linkage, that it imports only from KERNEL32.dll,
# gdiplus.dll and msvcrt.dll, that it carries bitmap 4096 as a 100x100
# 8-bit image, and that its version resource names the product and the
# module and carries the version the source tree is at now (a module built
# at another commit fails).
#
# usage: check_module_file.sh <win32|win64> <RadarGauge.gau> <objdump> <python3> <cmake>
set -u

kind=$1
module=$2
objdump=$3
python=$4
cmake=$5
tree=$(cd "$(dirname "$0")/../.." && pwd)

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

case "$kind" in
    win32) architecture="i386" ;;
    win64) architecture="i386:x86-64" ;;
    *) echo "unknown kind '$kind' (win32 or win64)"; exit 2 ;;
esac

if [[ ! -f "$module" ]]; then
    echo "FAIL: $module is missing; build it first: cmake --preset $kind && cmake --build --preset $kind"
    exit 1
fi
if ! command -v "$objdump" >/dev/null 2>&1; then
    echo "FAIL: $objdump is not installed (MinGW binutils)"
    exit 1
fi

# Machine.
found_architecture=$("$objdump" -f "$module" | sed -n 's/^architecture: \([^,]*\),.*/\1/p')
[[ "$found_architecture" == "$architecture" ]] ||
    fail "machine is '$found_architecture', expected '$architecture'"

headers=$("$objdump" -p "$module")

# Exports: the names of the [Ordinal/Name Pointer] table, sorted.
exports=$(echo "$headers" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    sed -n 's/^[[:space:]]*\[ *[0-9]*\] \(.*\)$/\1/p' | sort | tr '\n' ' ')
[[ "$exports" == "ImportTable Linkage " ]] ||
    fail "exports are '$exports', expected exactly 'ImportTable Linkage'"

# Imports: the DLL names, sorted case-insensitively.
imports=$(echo "$headers" | sed -n 's/^[[:space:]]*DLL Name: \(.*\)$/\1/p' | sort -f | tr '\n' ' ')
[[ "$imports" == "gdiplus.dll KERNEL32.dll msvcrt.dll " ]] ||
    fail "imports are '$imports', expected exactly 'gdiplus.dll KERNEL32.dll msvcrt.dll'"

# Bitmap 4096.
bitmap=$("$python" "$tree/tools/pe_resources.py" bitmap "$module" 4096)
[[ "$bitmap" == "100x100 8bpp" ]] || fail "bitmap 4096: '$bitmap', expected '100x100 8bpp'"

# The version resource.
version=$("$cmake" -DRADAR_SOURCE_DIR="$tree" -P "$tree/cmake/radar_version.cmake")
numbers=0.0.0.0
if [[ "$version" =~ ^([0-9]+)\.([0-9]+)\.([0-9]+) ]]; then
    numbers="${BASH_REMATCH[1]}.${BASH_REMATCH[2]}.${BASH_REMATCH[3]}.0"
fi
resource=$("$python" "$tree/tools/pe_resources.py" version "$module")
missing=()
for expected in "FILEVERSION $numbers" "PRODUCTVERSION $numbers" "ProductName=Radar Gauge" \
        "FileDescription=Air-traffic radar gauges for flight-simulator panels" \
        "FileVersion=$version" "ProductVersion=$version" "OriginalFilename=RadarGauge.gau"; do
    grep -qxF "$expected" <<< "$resource" || missing+=("'$expected'")
done
[[ ${#missing[@]} -eq 0 ]] ||
    fail "version resource lacks ${missing[*]}; it reads: $(tr '\n' ';' <<< "$resource")"

if [[ $failures -ne 0 ]]; then
    echo "$module: $failures check(s) failed"
    exit 1
fi
echo "$module: $architecture; exports $exports; imports $imports; bitmap 4096 $bitmap; version $version"
