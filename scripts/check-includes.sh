#!/usr/bin/env bash
# The include rules of the rooms (README.md, "Layout"): prints every include
# that breaks one and exits non-zero when there is any.
#   - container/ and rules/ are portable: no windows.h (nor any other Windows
#     header), nothing from system/ or app/;
#   - system/ knows nothing of the program: nothing from app/;
#   - app/report/ is the words that controls and steps share: no Windows
#     header, nothing from system/ or the other rooms of app/;
#   - app/controls/ could serve another program: nothing from app/window/ or
#     app/steps/;
#   - app/steps/ run without the window: nothing from app/window/ or
#     app/controls/;
#   - codecs/ is portable like container/ and serves the packer and the
#     resources' build tools alike: nothing from packer/, resources/ or rules/;
#   - resources/ reaches the packer's codecs through codecs/: nothing from
#     packer/;
#   - the packer's rooms in their order, each including only those after it:
#     packer/cli/, packer/product/, packer/stub/; packer/build/ stands apart
#     from product/ and stub/; none includes app/.
# Usage: check-includes.sh [SOURCE-ROOT]
set -uo pipefail

root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
cd "$root" || exit 2

windows_headers='windows\.h|commctrl\.h|shlobj\.h|shellapi\.h|objbase\.h|winreg\.h|richedit\.h'
broken=0

# forbid FOLDER PATTERN REASON: every include line under FOLDER that
# matches PATTERN is a fault.
forbid() {
  local folder="$1" pattern="$2" reason="$3" hits
  [ -d "$folder" ] || return 0
  hits="$(grep -rnEi --include='*.h' --include='*.cpp' --include='*.c' \
    "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($pattern)" "$folder")"
  if [ -n "$hits" ]; then
    echo "$reason:"
    echo "$hits"
    broken=1
  fi
}

for portable in container rules codecs; do
  forbid "$portable" "$windows_headers" "$portable/ is portable and includes a Windows header"
  forbid "$portable" 'system/|app/' "$portable/ includes the Windows side"
done
forbid system 'app/' "system/ includes the program"
forbid app/report "$windows_headers" "app/report/ includes a Windows header"
forbid app/report 'system/|app/(controls|steps|window)/|app/[^/"]*"' \
  "app/report/ includes more than its words"
forbid app/controls 'app/window/|app/steps/' "app/controls/ includes the installer"
forbid app/steps 'app/window/|app/controls/' "app/steps/ include the window or its controls"
forbid codecs 'packer/|resources/|rules/' "codecs/ includes one of its users"
forbid resources 'packer/' "resources/ includes the packer (its codecs are in codecs/)"
forbid packer 'app/' "packer/ includes the stub's program"
forbid packer/product 'packer/(cli|build)/' "packer/product/ includes the command line or the installer file"
forbid packer/stub 'packer/(cli|product|build)/' "packer/stub/ includes the command line, the product or the installer file"
forbid packer/build 'packer/(cli|product|stub)/' "packer/build/ includes the command line, the product or the stub"

if [ "$broken" -eq 0 ]; then
  echo "include rules hold"
fi
exit "$broken"
