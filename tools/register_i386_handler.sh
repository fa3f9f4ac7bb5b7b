#!/usr/bin/env bash
# Makes this machine able to execute 32-bit x86 programs, which the 32-bit
# Wine needs to run the product (the i686 module) for real.
#
#   tools/register_i386_handler.sh [--check]
#
# Tries a tiny 32-bit program first. When it runs (the kernel executes
# 32-bit code by itself, or a handler is already registered) nothing is
# changed. Otherwise, as root, it mounts binfmt_misc where it is not
# mounted and registers Debian's qemu-i386-static (package qemu-user-static)
# for i386 ELF executables and shared objects, under the name qemu-i386,
# with flag F (the emulator is opened now, so it serves every mount
# namespace). An existing registration of that name is never replaced.
#
# --check changes nothing and only tells.
# Exit status 0 when 32-bit programs run afterwards; 1 with one line saying
# why not. Undo: echo -1 > /proc/sys/fs/binfmt_misc/qemu-i386
set -uo pipefail

check_only=no
case "${1:-}" in
  "") ;;
  --check) check_only=yes ;;
  *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac

binfmt=/proc/sys/fs/binfmt_misc
name=qemu-i386
emulator=/usr/bin/qemu-i386-static
# i386 ELF, executable or shared object (e_type 2 or 3), e_machine 3.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

# A whole 32-bit program in 96 bytes: ELF header, one loadable segment,
# and `mov eax, 1; mov ebx, 42; int 0x80` (exit with status 42).
probe=$(mktemp)
trap 'rm -f "$probe"' EXIT
printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'\
'\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'\
'\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'\
'\x00\x00\x00\x00'\
'\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'\
'\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'\
'\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' > "$probe"
chmod +x "$probe"

runs_32_bit() {
  "$probe" 2> /dev/null
  [ $? -eq 42 ]
}

if runs_32_bit; then
  how="natively"
  [ -f "$binfmt/$name" ] && grep -qx enabled "$binfmt/$name" && how="through the $name handler"
  echo "32-bit programs run on this machine ($how)"
  exit 0
fi

cannot() {
  echo "32-bit programs cannot run on this machine: $*"
  exit 1
}

[ "$check_only" = no ] || cannot "the kernel does not execute them and no handler is registered (tools/register_i386_handler.sh registers one)"
[ "$(id -u)" -eq 0 ] || cannot "registering the qemu-i386 handler needs root"
[ -x "$emulator" ] || cannot "$emulator is missing (Debian package qemu-user-static)"
if [ ! -f "$binfmt/register" ]; then
  mount -t binfmt_misc binfmt_misc "$binfmt" 2> /dev/null ||
    cannot "binfmt_misc is not available (mounting it on $binfmt failed)"
fi
if [ -e "$binfmt/$name" ]; then
  cannot "a handler named $name is registered but does not run them ($(head -n 1 "$binfmt/$name")); it is left as it is"
fi
if ! printf ':%s:M::%s:%s:%s:F' "$name" "$magic" "$mask" "$emulator" > "$binfmt/register" 2> /dev/null; then
  cannot "the kernel refused the registration of $name in $binfmt/register"
fi
runs_32_bit || cannot "$name is registered but the probe program still does not run"
echo "Registered $emulator for 32-bit x86 programs ($binfmt/$name; undo: echo -1 > $binfmt/$name)"
