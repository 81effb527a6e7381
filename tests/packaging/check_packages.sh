#!/usr/bin/env bash
# The packer as a vendor installs it: the Debian package and the .tar.gz
# that CPack makes of the native tree, unpacked into a temporary folder
# (never installed into the machine), and `cmake --install` into a
# temporary prefix. Each packer builds its own starter product without --stub,
# must name the stub it carries, and the installer must verify. Then the
# CMake sample (samples/lanternfish) finds the installed Tidemark and makes
# its installer with `cpack -G External` (and a project of tests/packaging
# with tidemark_add_installer()); the sample's installer is left at OUTPUT for the
# end-to-end case that installs it.
#
#   check_packages.sh REPO NATIVE_BUILD WORK OUTPUT
set -euo pipefail
repo="$1" native="$2" work="$3" output="$4"

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
# run WHAT CMD...: runs CMD quietly; on failure shows its output and says WHAT failed.
run() {
  local what="$1"
  shift
  local log
  if ! log="$("$@" 2>&1)"; then
    printf '%s\n' "$log" >&2
    fail "$what: '$*'"
  fi
}

rm -rf "$work" "$output"
mkdir -p "$work"
unset TIDEMARK_STUB

# check_packer ROOT: ROOT/bin/tidemark with its stub in ROOT/share/tidemark.
check_packer() {
  local root="$1" setup="$1/starter-setup.exe" summary
  [ -f "$root/share/man/man1/tidemark.1" ] || fail "$root lacks the manual page"
  [ -f "$root/share/doc/tidemark/building-in-ci.md" ] || fail "$root lacks the reference"
  run "tidemark init from $root" "$root/bin/tidemark" init "$root/starter"
  summary="$("$root/bin/tidemark" build --product "$root/starter/product.ini" \
    --out "$setup" 2>&1)" || fail "the packer in $root did not build the starter: $summary"
  case "$summary" in
  *"stub: $root/share/tidemark/tidemark-stub.exe, installed with the packer"*) ;;
  *) fail "the packer in $root did not name its own stub: $summary" ;;
  esac
  run "verifying the installer of $root" "$root/bin/tidemark" verify "$setup"
}

run "cpack of the native tree" cpack --config "$native/CPackConfig.cmake" -G "DEB;TGZ" \
  -B "$work/packages"
deb=("$work"/packages/tidemark_*_amd64.deb)
tgz=("$work"/packages/tidemark-*.tar.gz)
[ -f "${deb[0]}" ] || fail "cpack made no Debian package"
[ -f "${tgz[0]}" ] || fail "cpack made no .tar.gz"
run "unpacking ${deb[0]}" dpkg-deb -x "${deb[0]}" "$work/deb"
check_packer "$work/deb/usr"
mkdir -p "$work/tgz"
run "unpacking ${tgz[0]}" tar -xzf "${tgz[0]}" -C "$work/tgz" --strip-components=1
check_packer "$work/tgz"
run "cmake --install" cmake --install "$native" --prefix "$work/prefix"
check_packer "$work/prefix"

run "configuring a project with tidemark_add_installer" cmake -S "$repo/tests/packaging/add_installer" \
  -B "$work/add_installer" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix"
run "building a project with tidemark_add_installer" cmake --build "$work/add_installer"
run "verifying the installer of tidemark_add_installer" "$work/prefix/bin/tidemark" verify \
  "$work/add_installer/setup.exe"

run "configuring the CMake sample" cmake -S "$repo/samples/lanternfish" -B "$work/lanternfish" \
  -G Ninja -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_PREFIX_PATH="$work/prefix"
run "building the CMake sample" cmake --build "$work/lanternfish"
(cd "$work/lanternfish" && run "cpack -G External of the CMake sample" cpack -G External)
installer="$work/lanternfish/Lanternfish-2.3.1-win64.exe"
[ -f "$installer" ] || fail "cpack -G External made no $installer"
run "verifying the CMake sample's installer" "$work/prefix/bin/tidemark" verify "$installer"
listing="$("$work/prefix/bin/tidemark" list "$installer")"
for line in "AppName=Lanternfish" "AppVersion=2.3.1" "ExeName=bin\\lanternfish.exe" \
  "ShortcutName1=Read Me"; do
  grep -qF "$line" <<<"$listing" || fail "the CMake sample's installer lacks $line: $listing"
done
mkdir -p "$(dirname "$output")"
cp "$installer" "$output"
echo "packages, installation and the CMake sample: all sound"
