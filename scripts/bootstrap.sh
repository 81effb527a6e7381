#!/usr/bin/env bash
# Installs every tool and library the build needs, from Debian's registry only.
# Idempotent: when everything is present it returns in well under a second.
# --bench adds what only scripts/bench.sh needs (NSIS, for comparison).
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  zlib1g-dev libjpeg62-turbo-dev libgtest-dev googletest
  g++-mingw-w64-x86-64-win32 gcc-mingw-w64-x86-64-win32 binutils-mingw-w64-x86-64
  libz-mingw-w64-dev
  wine wine64 xvfb xauth
  dpkg-dev nasm
  clang libclang-rt-14-dev
  lld
)
if [ "${1:-}" = "--bench" ]; then PACKAGES+=(nsis); fi

# One dpkg-query for all packages keeps the nothing-to-do case fast.
installed="$(dpkg-query -W -f='${Package} ${Status}\n' "${PACKAGES[@]}" 2>/dev/null |
  awk '$NF == "installed" { print $1 }')"
missing=()
for p in "${PACKAGES[@]}"; do
  grep -qx -- "$p" <<<"$installed" || missing+=("$p")
done

need_src=0
if ! ls /etc/apt/sources.list.d/*deb-src* >/dev/null 2>&1; then need_src=1; fi
# The entry alone is not enough: `apt-get source` needs the fetched index.
if ! ls /var/lib/apt/lists/*_source_Sources* >/dev/null 2>&1; then need_src=1; fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

if [ "$need_src" -eq 1 ] && ! ls /etc/apt/sources.list.d/*deb-src* >/dev/null 2>&1; then
  # Source packages are needed to cross-build libjpeg-turbo for MinGW.
  $SUDO tee /etc/apt/sources.list.d/tidemark-deb-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
fi

if [ "${#missing[@]}" -gt 0 ] || [ "$need_src" -eq 1 ]; then
  echo "bootstrap: installing ${missing[*]:-(source index only)}" >&2
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  if [ "${#missing[@]}" -gt 0 ]; then
    $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi
