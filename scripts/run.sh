#!/usr/bin/env bash
# The main job: bootstraps, builds both trees, packs the sample product with
# the bare stub and installs it end to end under Wine, clicking through the
# wizard with the UI driver; prints where the installer, the installed
# product and the screenshots are. Packing is skipped when the installer is
# newer than the packer, the stub, the sample and its program.
#
# The installation shows on $DISPLAY when that display can be used, else on
# a private Xvfb display. TIDEMARK_SKIP_INSTALL=1 stops after packing.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/trees.sh"

sample="$repo_root/samples/marrowlight"
installer="$win_build/installers/marrowlight-setup.exe"
# Marrowlight.exe is built by the Windows tree; the product is packed from a
# staged copy of the sample that holds it.
sample_program="$win_build/bin/Marrowlight.exe"
staged="$win_build/sample/marrowlight"
install_run="$win_build/sample-install"

bootstrap
configure_native
configure_win
# A failure elsewhere in a tree does not stop the sample from being packed,
# as long as the packer and the stub themselves build.
build_tree "$native_build" || note "WARNING: the native tree did not build completely"
build_tree "$win_build" || note "WARNING: the Windows tree did not build completely"

if ! cmake --build "$native_build" --target tidemark >/dev/null; then
  echo "run: the packer (target tidemark) does not build" >&2
  exit 1
fi
if ! cmake --build "$win_build" --target tidemark_stub >/dev/null || [ ! -f "$bare_stub" ]; then
  echo "run: the bare stub $bare_stub does not build (target tidemark_stub in app/);" \
       "no installer can be packed without it" >&2
  exit 1
fi

if ! cmake --build "$win_build" --target marrowlight_program >/dev/null || [ ! -f "$sample_program" ]; then
  echo "run: the sample program $sample_program does not build" \
       "(target marrowlight_program in samples/marrowlight/program/)" >&2
  exit 1
fi

installer_is_current() {
  [ -f "$installer" ] || return 1
  [ -z "$(find "$native_packer" "$bare_stub" "$sample" "$sample_program" \
            -newer "$installer" -print -quit)" ]
}

if installer_is_current; then
  note "installer is up to date"
else
  note "pack $sample/product.ini with $sample_program"
  rm -rf "$staged"
  mkdir -p "$staged" "$(dirname "$installer")"
  cp -a "$sample/." "$staged/"
  cp -p "$sample_program" "$staged/files/Marrowlight.exe"
  "$native_packer" build --stub "$bare_stub" --product "$staged/product.ini" --out "$installer"
fi

echo "bare stub: $bare_stub"
echo "installer: $installer"
[ "${TIDEMARK_SKIP_INSTALL:-0}" = "1" ] && exit 0

# A fresh Wine prefix each time, kept afterwards, so that the installation
# never meets an earlier one and its result can be looked at.
driver="$win_build/bin/tidemark-uidriver.exe"
if ! cmake --build "$win_build" --target tidemark_uidriver >/dev/null || [ ! -f "$driver" ]; then
  echo "run: the UI driver $driver does not build (target tidemark_uidriver)" >&2
  exit 1
fi
rm -rf "$install_run"
mkdir -p "$install_run"
cp "$installer" "$install_run/"
if [ -n "${DISPLAY:-}" ] && command -v xdpyinfo >/dev/null && xdpyinfo >/dev/null 2>&1; then
  export TIDEMARK_WINE_DISPLAY=host
  note "install the sample under Wine on the display $DISPLAY"
else
  unset TIDEMARK_WINE_DISPLAY
  note "install the sample under Wine on a virtual display (Xvfb)"
fi
if ! (cd "$install_run" &&
      TIDEMARK_WINE_PREFIX="$install_run/prefix" "$repo_root/scripts/wine-session.sh" \
        "$repo_root/scripts/wine-exec.sh" "$driver" --screenshots "$install_run/screenshots" \
        "$sample/walkthrough.txt"); then
  echo "run: the sample installation failed; see the driver's report above and" \
       "$install_run/screenshots" >&2
  exit 1
fi

echo "installed into: $install_run/prefix/drive_c/Program Files/Marrowlight" \
     "(C:\\Program Files\\Marrowlight in the Wine prefix $install_run/prefix)"
echo "screenshots: $install_run/screenshots"
