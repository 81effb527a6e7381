#!/usr/bin/env bash
# Runs the real bootstrap script with stand-in dpkg-query, apt-get, locale and
# sudo first on PATH and apt folders of its own, as on a machine that lacks
# packages: it must ask apt-get for exactly the missing ones, ask for nothing
# when nothing is missing, and say which command failed and why when
# installing fails.
set -uo pipefail
bootstrap="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

mkdir -p "$work/bin" "$work/sources" "$work/lists"
touch "$work/sources/debian-deb-src.sources" "$work/lists/deb_source_Sources"
all_packages="$(sed -n '/^PACKAGES=(/,/^)/p' "$bootstrap" | sed '1d;$d' | tr -s ' \n' '\n' | sed '/^$/d')"

# dpkg-query: the packages listed in $work/installed are installed; it exits 1
# when any named package is not, as the real one does.
cat >"$work/bin/dpkg-query" <<'SH'
#!/bin/sh
rc=0
for p in "$@"; do
  case "$p" in -*) continue ;; esac
  if grep -qx "$p" "$STANDIN/installed"; then echo "$p install ok installed"
  else echo "dpkg-query: no packages found matching $p" >&2; rc=1; fi
done
exit $rc
SH
cat >"$work/bin/apt-get" <<'SH'
#!/bin/sh
echo "$*" >>"$STANDIN/apt.log"
if [ "$1" = install ] && [ -f "$STANDIN/fail-install" ]; then
  echo "E: Unable to locate package wine" >&2
  exit 100
fi
exit 0
SH
printf '#!/bin/sh\necho C\necho ja_JP.utf8\n' >"$work/bin/locale"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin/"*

run_bootstrap() {
  rm -f "$work/apt.log"
  PATH="$work/bin:$PATH" STANDIN="$work" TIDEMARK_APT_SOURCES_DIR="$work/sources" \
    TIDEMARK_APT_LISTS_DIR="$work/lists" bash "$bootstrap" "$@" >"$work/out" 2>&1
}

# Three packages missing: exactly those are installed.
grep -vxE 'wine|xvfb|nasm' <<<"$all_packages" >"$work/installed"
run_bootstrap || fail "exit $? with packages missing: $(cat "$work/out")"
install_line="$(grep '^install' "$work/apt.log" 2>/dev/null)"
asked="$(tr ' ' '\n' <<<"$install_line" | grep -v '^-' | grep -vx install | sort | tr '\n' ' ')"
[ "$asked" = "nasm wine xvfb " ] || fail "asked to install '$asked', not 'nasm wine xvfb'"
grep -qx 'update -qq' "$work/apt.log" 2>/dev/null || fail "no apt-get update before installing"

# --bench adds NSIS.
run_bootstrap --bench || fail "exit $? with --bench"
grep -q '^install.* nsis' "$work/apt.log" 2>/dev/null || fail "--bench did not ask for nsis"

# Everything present: apt-get is not called at all.
cat <<<"$all_packages" >"$work/installed"
run_bootstrap || fail "exit $? with everything installed"
[ ! -e "$work/apt.log" ] || fail "apt-get called with nothing missing: $(cat "$work/apt.log")"

# Installing fails: non-zero exit and a message naming the command and reason.
grep -vx wine <<<"$all_packages" >"$work/installed"
touch "$work/fail-install"
if run_bootstrap; then fail "exit 0 although apt-get install failed"; fi
grep -q "apt-get install .*wine.* exited with status 100" "$work/out" ||
  fail "the failing command is not named: $(cat "$work/out")"
grep -q "Unable to locate package wine" "$work/out" || fail "apt-get's reason is not shown"

echo "bootstrap: $failures failure(s)"
[ "$failures" -eq 0 ]
