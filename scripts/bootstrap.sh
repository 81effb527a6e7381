#!/usr/bin/env bash
# Installs every tool and library the build needs, from Debian's registry only.
# Idempotent: when everything is present it returns in well under a second.
# --bench adds what only scripts/bench.sh needs (NSIS, for comparison).
#
# Every failure ends with a line "bootstrap: ..." that names the command that
# failed and what it printed. TIDEMARK_APT_SOURCES_DIR and
# TIDEMARK_APT_LISTS_DIR move the apt folders it looks at (for its own test).
set -uo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  zlib1g-dev libjpeg62-turbo-dev libdeflate-dev libgtest-dev googletest
  g++-mingw-w64-x86-64-win32 gcc-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
  libz-mingw-w64-dev
  wine wine64 xvfb xauth
  dpkg-dev nasm
  clang libclang-rt-14-dev
  lld
  locales osslsigncode
  python3-yaml python3-jsonschema
)
if [ "${1:-}" = "--bench" ]; then PACKAGES+=(nsis); fi

# The locale Wine needs for the double-byte code page tests (code page 932).
JAPANESE_LOCALE=ja_JP.UTF-8

sources_dir="${TIDEMARK_APT_SOURCES_DIR:-/etc/apt/sources.list.d}"
lists_dir="${TIDEMARK_APT_LISTS_DIR:-/var/lib/apt/lists}"

fail() {
  echo "bootstrap: $*" >&2
  exit 1
}

# run DESCRIPTION CMD...: runs CMD with its output kept; on failure says which
# command failed, its exit status and the last lines it printed.
run() {
  local what="$1"
  shift
  local log rc
  log="$(mktemp)"
  "$@" >"$log" 2>&1
  rc=$?
  if [ "$rc" -ne 0 ]; then
    echo "bootstrap: $what failed: '$*' exited with status $rc. Its last lines:" >&2
    tail -n 15 "$log" | sed 's/^/  /' >&2
    rm -f "$log"
    exit 1
  fi
  rm -f "$log"
}

command -v dpkg-query >/dev/null ||
  fail "dpkg-query not found: this script installs Debian packages and needs a Debian system"

# One dpkg-query for all packages keeps the nothing-to-do case fast. It exits
# 1 when any package is unknown to it, which only means "not installed".
installed="$(dpkg-query -W -f='${Package} ${Status}\n' "${PACKAGES[@]}" 2>/dev/null |
  awk '$NF == "installed" { print $1 }')"
missing=()
for p in "${PACKAGES[@]}"; do
  grep -qx -- "$p" <<<"$installed" || missing+=("$p")
done

has_src_entry() { ls "$sources_dir"/*deb-src* >/dev/null 2>&1 || grep -qs '^deb-src' /etc/apt/sources.list; }
# The entry alone is not enough: `apt-get source` needs the fetched index.
has_src_index() { ls "$lists_dir"/*_source_Sources* >/dev/null 2>&1; }

SUDO=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || fail "not root and no sudo: run this script as root to install ${missing[*]:-the source index}"
  SUDO=(sudo)
fi

if ! has_src_entry; then
  # Source packages are needed to cross-build libjpeg-turbo for MinGW.
  echo "bootstrap: adding Debian's source packages to apt ($sources_dir)" >&2
  printf '%s\n' "Types: deb-src" "URIs: http://deb.debian.org/debian" \
    "Suites: bookworm bookworm-updates" "Components: main" \
    "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" |
    "${SUDO[@]}" tee "$sources_dir/tidemark-deb-src.sources" >/dev/null ||
    fail "cannot write $sources_dir/tidemark-deb-src.sources"
fi

if [ "${#missing[@]}" -gt 0 ] || ! has_src_index; then
  echo "bootstrap: installing ${missing[*]:-(source index only)}" >&2
  export DEBIAN_FRONTEND=noninteractive
  run "updating the package index" "${SUDO[@]}" apt-get update -qq
  if [ "${#missing[@]}" -gt 0 ]; then
    run "installing ${missing[*]}" \
      "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
fi

# Wine takes its code pages from the locale; the locale must exist in glibc.
if command -v locale >/dev/null && ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; then
  echo "bootstrap: generating the locale $JAPANESE_LOCALE" >&2
  run "generating the locale $JAPANESE_LOCALE" \
    "${SUDO[@]}" localedef -i ja_JP -f UTF-8 "$JAPANESE_LOCALE"
fi
exit 0
