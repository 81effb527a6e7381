#!/usr/bin/env bash
# The main job: bootstraps, builds both trees, packs the sample product with
# the bare stub and prints where the installer is. Packing is skipped when
# the installer is newer than the packer, the stub and the sample.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/trees.sh"

product="$repo_root/samples/marrowlight/product.ini"
installer="$win_build/installers/marrowlight-setup.exe"

bootstrap
configure_native
build_tree "$native_build"
configure_win
build_tree "$win_build"

if [ ! -x "$native_packer" ]; then
  echo "run: the packer $native_packer was not built" >&2
  exit 1
fi
if [ ! -f "$bare_stub" ]; then
  echo "run: the bare stub $bare_stub is not built yet (target tidemark_stub in app/);" \
       "no installer can be packed without it" >&2
  exit 1
fi

installer_is_current() {
  [ -f "$installer" ] || return 1
  [ -z "$(find "$native_packer" "$bare_stub" "$(dirname "$product")" \
            -newer "$installer" -print -quit)" ]
}

if installer_is_current; then
  note "installer is up to date"
else
  note "pack $product"
  mkdir -p "$(dirname "$installer")"
  "$native_packer" build --stub "$bare_stub" --product "$product" --out "$installer"
fi

echo "bare stub: $bare_stub"
echo "installer: $installer"

# Starting the installer under Wine (scripts/wine-session.sh) comes here.
