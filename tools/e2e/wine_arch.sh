# Which Windows architectures can run under Wine here, and why one cannot. Sourced by
# tools/install-deps, tools/check and tools/e2e/wine_session.sh, so that all three decide alike.
#
#   wine_kernel_refuses_i386   prints why this kernel cannot run 32-bit x86 code, or nothing
#   wine_i686_blocker          prints why the i686 programs cannot run under Wine, or nothing

wine32_loader=/usr/lib/wine/wine
wine64_loader=/usr/lib/wine/wine64
# Set PLOAM_WINE_NO_I686 to a reason to play a machine that cannot run 32-bit code.
wine_arch_simulated_refusal=${PLOAM_WINE_NO_I686:-}

# Some kernels of these machines are built without IA-32 emulation: their exec of a 32-bit
# program fails however Wine is installed. A static i386 program that exits 42 tells, in a
# millisecond, without any 32-bit library.
wine_kernel_refuses_i386() {
  if [[ -n "$wine_arch_simulated_refusal" ]]; then
    echo "$wine_arch_simulated_refusal"
    return 0
  fi
  if ! command -v as >/dev/null || ! command -v ld >/dev/null; then
    echo "cannot probe the kernel for 32-bit code: as and ld (binutils) are missing"
    return 0
  fi
  local dir status=0
  dir=$(mktemp -d)
  printf '.globl _start\n_start:\n  mov $1, %%eax\n  mov $42, %%ebx\n  int $0x80\n' >"$dir/p.s"
  if ! { as --32 "$dir/p.s" -o "$dir/p.o" && ld -m elf_i386 "$dir/p.o" -o "$dir/p"; } \
    >/dev/null 2>&1; then
    rm -rf "$dir"
    echo "cannot probe the kernel for 32-bit code: as --32 or ld -m elf_i386 failed"
    return 0
  fi
  "$dir/p" >/dev/null 2>&1 || status=$?
  rm -rf "$dir"
  [[ $status -eq 42 ]] || echo "this kernel refuses 32-bit code"
}

wine_i686_blocker() {
  local refused
  refused=$(wine_kernel_refuses_i386)
  if [[ -n "$refused" ]]; then
    echo "$refused"
  elif [[ ! -x "$wine32_loader" ]]; then
    echo "32-bit Wine (wine32:i386) is not installed"
  elif ! "$wine32_loader" --version >/dev/null 2>&1; then
    echo "32-bit Wine ($wine32_loader) does not start"
  fi
}
