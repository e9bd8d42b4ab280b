# The end-to-end tier's helpers, sourced by tests/e2e/run, by each case file and by tools/demo
# (once: a second source does nothing). They read these variables of the sourcing script:
#   root        the repository
#   build       the Windows build tree (its e2e/drive.exe, e2e/inspect.exe, e2e/samplewin.exe)
#   flag        --win64 in the 64-bit mode, --wow64 at a win64 version (win7-64, win10-64) of
#               the 32-bit mode, else empty (passed to tools/wine-run)
#   inspector   the inspector the checks run (e2e/inspect64.exe under WOW64; e2e/inspect.exe if unset)
#   tier        32 or 64: the mode the programs run in (read by the cases, not here)
#   prefix      the Wine prefix of the case
#   medium      the case's copy of the staged medium (C:\medium, the programs' working directory)
#   out         the directory of the case's log ($out/log), screenshots and drive.last
#   state       the run's directory, holding prefix-$version (fresh_prefix copies it)
#   version     the Windows version of the case (xp, 2000, 2003, vista, win7, win7-64, win10-64)
#   medium_source  the staged medium of the build (fresh_prefix copies it)
# and set these:
#   program_pid  the process id of the last setup.exe or uninstall.exe started
#   medium       (fresh_prefix) the fresh copy of the medium
#   WINESERVER   (tools/wine-lib.sh) the wineserver of the installed Wine
[ -z "${e2e_lib_sourced:-}" ] || return 0
e2e_lib_sourced=1
. "$root/tools/wine-lib.sh"

# wine PROGRAM [ARGS...]: PROGRAM in the case's prefix (WINEPREFIX_WOW64 for --wow64).
wine() { WINEPREFIX=$prefix WINEPREFIX_WOW64=$prefix "$root/tools/wine-run" $flag "$@"; }
stop_wine() { WINEPREFIX=$prefix "$WINESERVER" -k >/dev/null 2>&1; WINEPREFIX=$prefix "$WINESERVER" -w 2>/dev/null; true; }
# drive [COMMAND...]: the automation program (e2e/automation/Drive.cpp); with no arguments the
# script comes on stdin. Its output goes to the case's log and to $out/drive.last for the checks.
drive() { wine "$build/e2e/drive.exe" "$@" 2>/dev/null | tee "$out/drive.last" >>"$out/log"; }
# inspect WHAT...: the inspector (e2e/inspector/Inspect.cpp), its output also in the case's log.
inspect() { wine "${inspector:-$build/e2e/inspect.exe}" "$@" 2>/dev/null | tee -a "$out/log"; }
# shot NAME: the Windows path of a screenshot file of the case.
shot() { echo "Z:$out/$1.bmp"; }
# has REGEX [WHAT]: stdin holds a line matching REGEX (grep -E), else the case fails.
has() {
  local lines
  lines=$(cat)
  grep -Eq -- "$1" <<<"$lines" && return 0
  echo "missing ${2:-line}: $1" >>"$out/log"
  return 1
}
# start_program NAME: NAME.exe from the medium in the background, its id in program_pid.
start_program() {
  (cd "$medium" && exec env WINEPREFIX="$prefix" WINEPREFIX_WOW64="$prefix" "$root/tools/wine-run" $flag "./$1.exe") \
    >>"$out/$1.log" 2>&1 &
  program_pid=$!
}
start_setup() { start_program setup; }
start_uninstall() { start_program uninstall; }
# open_uninstall_window: a stand-in window titled "Uninstall", open once this returns.
open_uninstall_window() {
  (wine "$build/e2e/samplewin.exe" Uninstall) >>"$out/log" 2>&1 &
  drive window Uninstall 60
}
nothing_installed() {
  if inspect printers | grep -q '^printer "QM'; then echo "a printer was added"; return 1; fi
}
# uninstall_everything [COMMAND...]: uninstall.exe from the medium, Select All and Uninstall, the
# restart prompt answered Cancel; then the automation COMMANDs on its window.
uninstall_everything() {
  start_uninstall
  drive <<EOF
window Uninstall 60
click IDC_SELECT_ALL
click IDC_UNINSTALL
window "Restart Computer" 240
click IDCANCEL
window Uninstall 10
$(printf '%s\n' "$@")
EOF
}
# wow64_stand_ins DRIVER PROCESSOR: under WOW64, what Wine's spooler inside the 32-bit setup.exe
# needs to install DRIVER with PROCESSOR for "Windows x64" (why: the 64-bit Windows section of
# cases.sh): the medium's 32-bit monitor builds in syswow64, and twins of DRIVER and PROCESSOR in
# "Windows NT x86". Nothing elsewhere (the 64-bit build's spooler is 64-bit).
wow64_stand_ins() {
  [ "$flag" = --wow64 ] || return 0
  cp "$medium/Win7/aqcommon.dll" "$medium/Win7/aqusbmon.dll" "$prefix/drive_c/windows/syswow64/"
  local arrange=(add-driver "Windows NT x86" "$1" wineps.drv) want=1
  # The system's own WinPrint is there already.
  [ "$2" = WinPrint ] || { arrange+=(add-processor "Windows NT x86" "$2" aqproc.dll); want=2; }
  inspect "${arrange[@]}" | grep -c '^added' | has "^$want\$" 'stand-ins in "Windows NT x86"'
}
# fresh_prefix: the case's prefix and medium (C:\medium, the working directory of setup.exe) as
# a case starts with them: copies of its version's prefix and of the staged medium.
fresh_prefix() {
  stop_wine
  rm -rf "$prefix"
  cp -a "$state/prefix-$version" "$prefix"
  medium=$prefix/drive_c/medium
  cp -a "$medium_source" "$medium"
}
# setup_ended: setup.exe, the program last started, ended by itself within 30 s.
setup_ended() {
  local i
  for ((i = 0; i < 300; i++)); do
    kill -0 "$program_pid" 2>/dev/null || { wait "$program_pid"; return 0; }
    sleep 0.1
  done
  echo "setup.exe still running 30 s after its end" >>"$out/log"
  return 1
}
# install_time: the wall time of the last drive script's Install press up to its box, in ms.
install_time() { sed -n 's/^box .* after \([0-9]*\) ms$/\1/p' "$out/drive.last" | tail -n 1; }
# progress_waits WORKER_MS: the fixed waits of the progress window when the worker's own
# fixed waits are WORKER_MS: a first tick after 100 ms, 80 ms a step while the worker runs
# (at most 90 steps before the bar holds), then 10 ms a step up to 99 and 100 ms before it ends.
progress_waits() {
  local steps=$((($1 + 79) / 80))
  [ "$steps" -gt 90 ] && steps=90
  echo $((100 + 80 * steps + 10 * (100 - steps) + 100))
}

# walk_to_page [RADIO COMBO MODEL]: the open wizard from the licence through the module and
# setup type pages to the OS page, with the choices the pages preselect, or with a model (the
# module's radio button and model list); a screenshot of each page.
walk_to_page() {
  local pick=
  [ $# -ge 3 ] && pick="click $1
select $2 \"$3\""
  drive <<EOF
window "Printer Driver Setup" 60
screenshot $(shot 1-licence)
expect IDC_REJECT checked
expect IDOK disabled
click IDC_ACCEPT
expect IDOK enabled
click IDOK
$pick
screenshot $(shot 2-module)
click IDOK
screenshot $(shot 3-setup-type)
click IDOK
screenshot $(shot 4-os)
EOF
}
# walk_to_port_page [RADIO COMBO MODEL]: walk_to_page, then on to the port page.
walk_to_port_page() {
  walk_to_page "$@" || return 1
  drive <<EOF
window "Printer Driver Setup" 10
click IDOK
expect IDOK text "Install (&I)"
EOF
}
# install_on PORT: setup.exe installs the default model on PORT with Typical setup, up to the
# ended wizard.
install_on() {
  start_setup
  walk_to_port_page || return 1
  drive <<EOF || return 1
window "Printer Driver Setup" 10
select IDC_PORTS "$1"
click IDOK
box setup "Successfully installed printer driver" OK 120
gone "Printer Driver Setup" 30
EOF
  setup_ended
}
