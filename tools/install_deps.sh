#!/usr/bin/env bash
# Installs the Debian packages the project needs, only those missing.
#
#   tools/install_deps.sh [demo|check|bench|dist]...   (default: check)
#
#   demo   the Linux module, the panel host and the demo tools: a compiler,
#          CMake, libgdiplus, fonts and giflib; no Wine, no cross
#          compilers, no test frameworks
#   check  everything `make check` builds and runs: the above, GoogleTest,
#          GeographicLib, the MinGW-w64 cross compilers, Wine (64-bit, and
#          the 32-bit Wine with qemu-user-static for the product's own run),
#          clang's libFuzzer runtime and valgrind, and for the live
#          preview's tests an X server (Xvfb), xdotool for input events and
#          ImageMagick for screenshots
#   bench  the demo set, Google Benchmark and gnuplot
#   dist   the demo set and the cross compilers (the package is zipped by Python)
#
# The check set changes the machine beyond its package list (see README,
# "What make check changes on the machine"): it adds the i386 architecture
# to dpkg, and where the kernel cannot execute a 32-bit program by itself it
# registers qemu-i386-static as the handler of i386 ELF files
# (tools/register_i386_handler.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

demo_packages=(
  cmake ninja-build g++ make python3
  libgdiplus fontconfig fonts-wine fonts-liberation
  libgif-dev
)
cross_packages=(
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
)
check_packages=(
  "${demo_packages[@]}" "${cross_packages[@]}"
  googletest libgtest-dev libgmock-dev libgeographiclib-dev
  wine64 clang libclang-rt-14-dev valgrind
  qemu-user-static wine32:i386
  xvfb xdotool imagemagick
)
bench_packages=("${demo_packages[@]}" libbenchmark-dev gnuplot-nox)
dist_packages=("${demo_packages[@]}" "${cross_packages[@]}")

sets=("$@")
[ ${#sets[@]} -gt 0 ] || sets=(check)
wanted=()
needs_i386=no
for set in "${sets[@]}"; do
  case "$set" in
    demo) wanted+=("${demo_packages[@]}") ;;
    check) wanted+=("${check_packages[@]}"); needs_i386=yes ;;
    bench) wanted+=("${bench_packages[@]}") ;;
    dist) wanted+=("${dist_packages[@]}") ;;
    *) echo "usage: $0 [demo|check|bench|dist]..." >&2; exit 2 ;;
  esac
done

run_as_root=()
if [ "$(id -u)" -ne 0 ]; then
  run_as_root=(sudo)
fi

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

missing=()
for package in "${wanted[@]}"; do
  if ! installed "$package" && [[ " ${missing[*]} " != *" $package "* ]]; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # The 32-bit Wine is an i386 package: dpkg must know the architecture
  # before the package lists are read.
  if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture to dpkg (for the 32-bit Wine)"
    "${run_as_root[@]}" dpkg --add-architecture i386
  fi
  "${run_as_root[@]}" apt-get update -q
  "${run_as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Where 32-bit programs cannot be made to run, the script says why in one
# line and the 32-bit Wine tests are skipped with that reason: the rest of
# `make check` goes on.
if [ "$needs_i386" = yes ]; then
  "${run_as_root[@]}" "$here/register_i386_handler.sh" || true
fi
