#!/usr/bin/env bash
# bench.sh [REPEATS]
#
# Side-by-side benchmark of the installer (see README, "Benchmark"). Builds
# what it needs in build/perf and build/perf-win, writes deterministic data
# sets to build/bench, then in one Wine session measures for every set:
#   - install time of our installer, from the click on "Install Now" to the
#     Complete page (timed by the UI driver);
#   - the floor: bench/zlib_floor.cpp inflating the same zlib streams into
#     files with plain zlib;
#   - NSIS 3 (SetCompressor zlib, not solid) doing the same job with /S:
#     every file, an uninstaller written, the desktop and program-group
#     shortcuts for all users and the two uninstall-entry values; and,
#     as before, the files alone. Both less the run time of an empty NSIS
#     installer (its start and end);
#   - our installer run unattended (/S /D=...) and timed exactly as NSIS
#     is, process start to exit, less the run of the bare stub with /S
#     (our empty installer: start, no container found, end);
#   - the installers' sizes against NSIS with zlib and with LZMA (solid),
#     and on the mixed and programs sets the packing time of our packer at
#     its default level with --jobs 1 and 2 and at --level 9 with --jobs 2,
#     against makensis;
# and start-up time and memory of plain and scrambled installers of 1 MiB
# and 1 GiB. The programs set is real Windows programs, Wine's own 64-bit
# DLLs (bench/programs.list); it is skipped with a note where Wine's folder
# holds other files. Each timing runs REPEATS times (default 3); the tables show
# min, median and max. Every figure is taken in the same run, so compare
# ratios, not absolute numbers: the machine is shared. The tables go to
# standard output and results-table.txt, the chart of the three sets (ours,
# NSIS same job, floor) to chart.svg, both beside results.txt.
set -euo pipefail

scripts_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo_root="$(dirname "$scripts_dir")"
repeats="${1:-3}"
work="${TIDEMARK_BENCH_WORK:-$repo_root/build/bench}"
native="$repo_root/build/perf"
win="$repo_root/build/perf-win"
jobs="${TIDEMARK_JOBS:-2}"
sets=(small large mixed programs)
results="$work/results.txt"
sets_file="$work/sets.txt"  # the sets this run measures, for the Wine session

note() { echo "==> [${SECONDS}s] $*" >&2; }

# One figure of one run, as a line "SET METRIC VALUE".
record() { echo "$1 $2 $3" >>"$results"; }

# Milliseconds of wall-clock time that CMD takes.
wall_ms() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

build() {
  note "bootstrap (with NSIS)"
  bash "$scripts_dir/bootstrap.sh" --bench
  [ -f "$native/build.ninja" ] || cmake -S "$repo_root" -B "$native" -G Ninja >/dev/null
  [ -f "$win/build.ninja" ] || cmake -S "$repo_root" -B "$win" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$repo_root/cmake/mingw-w64-x86_64.cmake" \
    -DTIDEMARK_DEPS_CACHE="$repo_root/build/_deps" -DTIDEMARK_PACKER="$native/bin/tidemark" >/dev/null
  note "build"
  cmake --build "$native" -j "$jobs" --target tidemark
  cmake --build "$win" -j "$jobs" --target tidemark_stub tidemark_uidriver \
    tidemark_zlib_floor tidemark_run_timed
}

# product SET: the files of SET and a product description for them.
product() {
  local set="$1" dir="$work/$1"
  if [ ! -f "$dir/.complete" ]; then
    note "data set $set"
    rm -rf "$dir"
    local rc=0
    python3 "$repo_root/bench/make_data.py" "$set" "$dir/files" || rc=$?
    [ "$rc" -eq 0 ] || return "$rc"
    touch "$dir/.complete"
  fi
  local assets="$repo_root/tests/e2e/products/marrowlight" main
  # The packer wants the main program among the files; any file will do.
  main="$(cd "$dir/files" && find . -type f | sort | sed -n '1{s|^\./||; s|/|\\|g; p}')"
  cat >"$dir/product.ini" <<INI
AppName=Bench $set
AppCompany=by Brackwater
TargetFolder=%ProgramFiles%\\Bench $set
ExeName=$main
ExeShortcut=Bench $set
SplashFile=$assets/splash.jpg
IconFile=$assets/icon.jpg
AboutFile=$assets/about.rtf
LicenseFile=$assets/license.rtf
FilesFolder=files
INI
  # NSIS: the same files, zlib per file (not solid), default level, with
  # its 64-bit stub like ours; the files alone, and the same job as ours.
  # LZMA solid is NSIS's smallest: for the size only.
  nsis_script "$dir/nsis-files.nsi" nsis-files-setup.exe ""
  nsis_script "$dir/nsis.nsi" nsis-setup.exe "$(nsis_same_job "$set" "$main")"
  nsis_script "$dir/nsis-lzma.nsi" nsis-lzma-setup.exe "$(nsis_same_job "$set" "$main")" \
    "/SOLID lzma"
}

# nsis_script FILE OUTFILE EXTRA [COMPRESSOR]: an NSIS script that installs
# the files folder, then runs the EXTRA lines.
nsis_script() {
  cat >"$1" <<NSI
Target amd64-unicode
SetCompressor ${4:-zlib}
RequestExecutionLevel admin
Name "Bench NSIS"
OutFile "$2"
InstallDir "C:\\nsis-target"
Page instfiles
Section
  SetOutPath "\$INSTDIR"
  File /r "files\\*.*"
$3
SectionEnd
NSI
}

# What our installer does beside the files, in NSIS: the uninstaller, the
# desktop and program-group shortcuts for all users, and the uninstall
# entry's DisplayName and UninstallString.
nsis_same_job() {
  local name="Bench NSIS $1" main="$2"
  local key="Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$name"
  cat <<NSI
  SetShellVarContext all
  WriteUninstaller "\$INSTDIR\\uninstall.exe"
  CreateShortcut "\$DESKTOP\\$name.lnk" "\$INSTDIR\\$main"
  CreateDirectory "\$SMPROGRAMS\\$name"
  CreateShortcut "\$SMPROGRAMS\\$name\\$name.lnk" "\$INSTDIR\\$main"
  WriteRegStr HKLM "$key" "DisplayName" "$name"
  WriteRegStr HKLM "$key" "UninstallString" '"\$INSTDIR\\uninstall.exe"'
SectionEnd
Section "Uninstall"
NSI
}

pack() {  # pack SET [packer args...]: our installer of SET
  local set="$1"
  shift
  "$native/bin/tidemark" build --stub "$win/bin/tidemark-stub.exe" \
    --product "$work/$set/product.ini" "$@" >/dev/null 2>>"$work/pack.log"
}

# Packing times and sizes; on Linux, outside Wine.
measure_packing() {
  local set="$1" dir="$work/$1" i
  # Packing is timed on the mixed and programs sets only: it takes a while.
  if [ "$set" = mixed ] || [ "$set" = programs ]; then
    for i in $(seq "$repeats"); do
      record "$set" pack-level9-jobs2 \
        "$(wall_ms pack "$set" --out "$dir/setup-level9.exe" --jobs 2 --level 9)"
      record "$set" pack-jobs1 "$(wall_ms pack "$set" --out "$dir/setup.exe" --jobs 1)"
      record "$set" pack-jobs2 "$(wall_ms pack "$set" --out "$dir/setup.exe" --jobs 2)"
      record "$set" makensis "$(cd "$dir" && wall_ms makensis -V1 nsis.nsi)"
    done
    record "$set" size-ours-level9 "$(stat -c %s "$dir/setup-level9.exe")"
  else
    pack "$set" --out "$dir/setup.exe"
    (cd "$dir" && makensis -V1 nsis.nsi >/dev/null)
  fi
  (cd "$dir" && makensis -V1 nsis-files.nsi >/dev/null && makensis -V1 nsis-lzma.nsi >/dev/null)
  record "$set" size-ours "$(stat -c %s "$dir/setup.exe")"
  record "$set" size-nsis "$(stat -c %s "$dir/nsis-setup.exe")"
  record "$set" size-nsis-lzma "$(stat -c %s "$dir/nsis-lzma-setup.exe")"
  record "$set" content "$(du -sb "$dir/files" | cut -f1)"
  # The floor reads the same streams: offset, stored length and name of
  # every file item, in container order.
  "$native/bin/tidemark" list "$dir/setup.exe" |
    awk '$1 ~ /^f[0-9]+$/ && $3 == "offset" { print $4, $6, $2 }' >"$dir/manifest.txt"
}

drive() {  # drive CASE: runs a driver case in the current session
  (cd "$work" && wine "$win/bin/tidemark-uidriver.exe" --screenshots "$work/shots" "$1")
}

timer() {  # timer NAME < driver output: the figure of "timer NAME: X ms"
  awk -v n="$1" '$1 == "timer" && $2 == n":" { print $3 }'
}

c_drive() { echo "$WINEPREFIX/drive_c"; }

# The driver case that installs SET and times the click on "Install Now" to
# the Complete page.
install_case() {
  local set="$1"
  cat >"$work/install-$set.txt" <<CASE
timeout 600
start $set\\setup.exe
expect-page tabIntro
click btnShowLicense
expect-page tabLicense
click btnAccept
expect-page tabFolder
timer-start
click btnGoInstall
expect-page tabInstalled within 600
timer-stop install
click chkRunProgram
click btnComplete
expect-exit
CASE
}

# One installation of SET by our installer; prints its time.
install_ours() {
  local set="$1" out target
  target="$(c_drive)/Program Files/Bench $set"
  rm -rf "$target"
  out="$(drive "$work/install-$set.txt")" || { echo "$out" >&2; return 1; }
  rm -rf "$target"
  timer install <<<"$out"
}

# Our installer, the floor and NSIS, one after the other in each round.
measure_install() {
  local set="$1" dir="$work/$1" i ms
  install_case "$set"
  for i in $(seq "$repeats"); do
    record "$set" ours "$(install_ours "$set")"

    rm -rf "$(c_drive)/floor-target"
    ms="$(wine "$win/bin/zlib-floor.exe" "$(winepath -w "$dir/setup.exe")" \
      "$(winepath -w "$dir/manifest.txt")" 'C:\floor-target' | awk '$1 == "floor:" { print $2 }')"
    record "$set" floor "$ms"
    rm -rf "$(c_drive)/floor-target"

    record "$set" silent-gross "$(install_ours_silent "$set")"
    record "$set" silent-empty "$(run_timed "$win/bin/tidemark-stub.exe" /S)"

    record "$set" nsis-gross "$(install_nsis "$dir/nsis-setup.exe")"
    record "$set" nsis-files-gross "$(install_nsis "$dir/nsis-files-setup.exe")"
    record "$set" nsis-empty "$(install_nsis "$work/empty/nsis-setup.exe")"
  done
}

# run_timed PROGRAM [ARG...]: the time from PROGRAM's start to its end,
# taken by run-timed.exe.
run_timed() {
  local program="$1"
  shift
  wine "$win/bin/run-timed.exe" "$(winepath -w "$program")" "$@" |
    awk '$1 == "run:" { print $2 }' || true
}

# One silent run of an NSIS installer into a fresh C:\nsis-target; prints
# its time. Its shortcuts go with the target.
install_nsis() {
  local ms
  remove_nsis_install
  ms="$(run_timed "$1" /S '/D=C:\nsis-target')"
  remove_nsis_install
  echo "$ms"
}

# One unattended run of our installer of SET into a fresh C:\ours-target,
# timed as NSIS is; its shortcuts go with the target.
install_ours_silent() {
  local set="$1" ms
  remove_ours_silent "$set"
  ms="$(run_timed "$work/$set/setup.exe" /S '/D=C:\ours-target')"
  remove_ours_silent "$set"
  echo "$ms"
}

remove_ours_silent() {
  rm -rf "$(c_drive)/ours-target" "$(c_drive)/users/Public/Desktop/Bench $1.lnk" \
    "$(c_drive)/ProgramData/Microsoft/Windows/Start Menu/Programs/Bench $1"
}

remove_nsis_install() {
  rm -rf "$(c_drive)/nsis-target" "$(c_drive)/users/Public/Desktop/Bench NSIS "*.lnk \
    "$(c_drive)/ProgramData/Microsoft/Windows/Start Menu/Programs/Bench NSIS "*
}

# The part of our run that does not grow with the files: the 1 MiB product
# installed the same way (a file, the uninstaller, shortcuts, log, registry
# entry, two page changes). Like the empty NSIS run, it is reported beside
# the totals, not taken off them.
measure_fixed() {
  local i
  install_case 1m
  for i in $(seq "$repeats"); do
    record 1m ours "$(install_ours 1m)"
  done
}

# Start-up to the visible window, and memory on the Intro page.
measure_startup() {
  local label="$1" exe="$2" i out
  cat >"$work/startup-$label.txt" <<CASE
timer-start
start $exe
wait-window within 120
timer-stop startup
expect-page tabIntro within 120
report-memory intro
terminate
CASE
  for i in $(seq "$repeats"); do
    out="$(drive "$work/startup-$label.txt")" || { echo "$out" >&2; return 1; }
    record "$label" startup "$(timer startup <<<"$out")"
    record "$label" private "$(awk '$1 == "memory" { print $4 }' <<<"$out")"
    record "$label" peak-pagefile "$(awk '$1 == "memory" { print $6 }' <<<"$out")"
    record "$label" peak-working-set "$(awk '$1 == "memory" { print $8 }' <<<"$out")"
  done
}

in_session() {
  mapfile -t sets <"$sets_file"
  for set in "${sets[@]}"; do
    note "install $set"
    measure_install "$set"
  done
  note "fixed part of an installation"
  measure_fixed
  note "start-up"
  measure_startup plain-1m '1m\setup.exe'
  measure_startup plain-1g '1g\setup.exe'
  measure_startup scrambled-1m '1m\setup-scrambled.exe'
  measure_startup scrambled-1g '1g\setup-scrambled.exe'
}

if [ "${TIDEMARK_BENCH_IN_SESSION:-}" = 1 ]; then
  in_session
  exit 0
fi

build
mkdir -p "$work"
: >"$results"
mkdir -p "$work/empty/files"
(cd "$work/empty" && printf 'Target amd64-unicode\nSetCompressor zlib\nOutFile "nsis-setup.exe"\nInstallDir "C:\\nsis-empty"\nPage instfiles\nSection\nSectionEnd\n' >nsis.nsi && makensis -V1 nsis.nsi)
# TIDEMARK_BENCH_PACKED=FILE reuses the installers and the packing figures
# of an earlier run (FILE holds its results) and measures only under Wine.
if [ -n "${TIDEMARK_BENCH_PACKED:-}" ]; then
  grep -v -E ' (ours|floor|silent-gross|silent-empty|nsis-gross|nsis-files-gross|nsis-empty|startup|private|peak-pagefile|peak-working-set) ' \
    "$TIDEMARK_BENCH_PACKED" >"$results"
  for set in "${sets[@]}"; do
    if [ -f "$work/$set/setup.exe" ]; then echo "$set"; fi
  done >"$sets_file"
else
  measured=()
  for set in "${sets[@]}"; do
    rc=0
    product "$set" || rc=$?
    if [ "$rc" -eq 3 ]; then
      note "data set $set skipped (see the note above)"
      continue
    fi
    [ "$rc" -eq 0 ] || exit "$rc"
    note "packing $set"
    measure_packing "$set"
    measured+=("$set")
  done
  printf '%s\n' "${measured[@]}" >"$sets_file"
fi
product 1m
pack 1m --out "$work/1m/setup.exe"
pack 1m --out "$work/1m/setup-scrambled.exe" --scrambled
product 1g
# Incompressible data stored at level 0: 1 GiB of items packs in seconds.
# Kept from an earlier run unless the stub or the packer has changed since.
fresh() { [ "$1" -nt "$win/bin/tidemark-stub.exe" ] && [ "$1" -nt "$native/bin/tidemark" ]; }
fresh "$work/1g/setup.exe" || pack 1g --out "$work/1g/setup.exe" --level 0
fresh "$work/1g/setup-scrambled.exe" ||
  pack 1g --out "$work/1g/setup-scrambled.exe" --level 0 --scrambled
if [ -z "${TIDEMARK_BENCH_PACKED:-}" ]; then
  record plain-1g size-ours "$(stat -c %s "$work/1g/setup.exe")"
  record plain-1m size-ours "$(stat -c %s "$work/1m/setup.exe")"
  record plain-1m stub "$(stat -c %s "$win/bin/tidemark-stub.exe")"
fi

TIDEMARK_BENCH_IN_SESSION=1 "$scripts_dir/wine-session.sh" bash "$0" "$repeats"
# The report checks the targets; it exits 1 when one is missed.
report_rc=0
python3 "$repo_root/bench/report.py" "$results" >"$work/results-table.txt" || report_rc=$?
cat "$work/results-table.txt"
python3 "$repo_root/bench/chart.py" "$results" "$work/chart.svg"
note "tables in $work/results-table.txt, chart in $work/chart.svg"
[ "$report_rc" -eq 0 ] || note "some targets were missed (see \"targets\" above)"
exit "$report_rc"
