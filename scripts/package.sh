#!/usr/bin/env bash
# Makes the packer's packages: bootstraps, builds the native and the
# Windows tree (the packages carry the native packer and the bare stub),
# then CPack writes a Debian package and a .tar.gz into build/packages
# (or the folder given as the first argument).
set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/trees.sh"
out="${1:-$repo_root/build/packages}"

stop() {
  echo "package: $*" >&2
  exit 1
}
bootstrap || stop "the bootstrap failed (its reason is above)"
configure_native || stop "the native tree did not configure"
build_tree "$native_build" || stop "the native tree did not build"
configure_win || stop "the Windows tree did not configure"
build_tree "$win_build" || stop "the Windows tree did not build"
note "cpack into $out"
cpack --config "$native_build/CPackConfig.cmake" -G "DEB;TGZ" -B "$out" ||
  stop "cpack failed (its reason is above)"
rm -rf "$out/_CPack_Packages"
ls -l "$out"/tidemark*
