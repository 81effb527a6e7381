#!/usr/bin/env bash
# recode-control-info.sh INSTALLER CODEPAGE
#
# Converts the control information of a plain (not scrambled) installer
# from UTF-8 to CODEPAGE (a name iconv knows, such as CP932), in place. The
# control information is the text from the start marker to the end marker;
# nothing in the container records its length, so the items after it stay
# valid. This stands in for the packer's own conversion of UTF-8 product
# files (--codepage) for the cases that need a double-byte code page.
set -euo pipefail

if [ "$#" -ne 2 ]; then
  echo "usage: $0 INSTALLER CODEPAGE" >&2
  exit 2
fi
installer="$1"
code_page="$2"

# The stub holds no whole marker, so the first of each is the container's.
offset_of() {
  LC_ALL=C grep -obUaF -m1 "$1" "$installer" | head -n1 | cut -d: -f1
}
start="$(offset_of 'd>a>t>a>s>t>a>r>t')"
end="$(offset_of 'd>a>t>a>e>n>d')"
if [ -z "$start" ] || [ -z "$end" ] || [ "$end" -le "$start" ]; then
  echo "$0: no plain container in $installer" >&2
  exit 1
fi

recoded="$installer.recoded"
{
  head -c "$start" "$installer"
  head -c "$end" "$installer" | tail -c +"$((start + 1))" | iconv -f UTF-8 -t "$code_page"
  tail -c +"$((end + 1))" "$installer"
} >"$recoded"
mv -- "$recoded" "$installer"
