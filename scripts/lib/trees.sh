# Shared by scripts/test.sh and scripts/run.sh (sourced, not run): where the
# two build trees live and how they are configured and built.
#
# Overrides: TIDEMARK_NATIVE_BUILD, TIDEMARK_WIN_BUILD, TIDEMARK_FUZZ_BUILD
# (tree folders), TIDEMARK_DEPS_CACHE (dependencies built from source),
# TIDEMARK_JOBS.

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
native_build="${TIDEMARK_NATIVE_BUILD:-$repo_root/build/native}"
win_build="${TIDEMARK_WIN_BUILD:-$repo_root/build/win}"
fuzz_build="${TIDEMARK_FUZZ_BUILD:-$repo_root/build/fuzz}"
deps_cache="${TIDEMARK_DEPS_CACHE:-$repo_root/build/_deps}"
jobs="${TIDEMARK_JOBS:-2}"

native_packer="$native_build/bin/tidemark"
bare_stub="$win_build/bin/tidemark-stub.exe"

note() { echo "==> [${SECONDS}s] $*" >&2; }

bootstrap() {
  note "bootstrap"
  bash "$repo_root/scripts/bootstrap.sh"
}

# configure_tree DIR [CMAKE-ARG...]: configures the tree when it is new or
# when its CMAKE-ARGs differ from those it was last configured with (kept in
# DIR/tidemark-configure-args); otherwise Ninja re-runs CMake by itself when
# a build file changes. A -D flag left out later keeps its cached value.
configure_tree() {
  local dir="$1"
  shift
  local stamp="$dir/tidemark-configure-args" wanted
  wanted="$(printf '%s\n' "$@")"
  if [ -f "$dir/build.ninja" ] && [ -f "$dir/CMakeCache.txt" ] && [ -f "$stamp" ] &&
    [ "$(cat "$stamp")" = "$wanted" ]; then
    return 0
  fi
  note "configure $dir"
  cmake -S "$repo_root" -B "$dir" -G Ninja "$@" || return
  printf '%s\n' "$wanted" >"$stamp"
}

# build_tree DIR: builds everything it can (keeps going past failures).
build_tree() {
  note "build $1"
  cmake --build "$1" -j "$jobs" -- -k 0
}

configure_native() {
  configure_tree "$native_build" -DTIDEMARK_INSTALL_STUB="$bare_stub"
}

configure_win() {
  configure_tree "$win_build" \
    -DCMAKE_TOOLCHAIN_FILE="$repo_root/cmake/mingw-w64-x86_64.cmake" \
    -DTIDEMARK_DEPS_CACHE="$deps_cache" \
    -DTIDEMARK_PACKER="$native_packer"
}

# The libFuzzer targets: clang, AddressSanitizer and UBSan.
configure_fuzz() {
  configure_tree "$fuzz_build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTIDEMARK_FUZZ=ON
}
