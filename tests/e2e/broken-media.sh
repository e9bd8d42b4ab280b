# Broken media against the real programs (an opt-in case set of tests/e2e/run):
#   E2E_CASES=tests/e2e/broken-media.sh tests/e2e/run [broken-NAME [VERSION]]
# Each row breaks the case's copy of the staged medium the way a fault of checkmedium's test
# table (tests/unit/CheckMediumTest.cpp) does, then runs `setup.exe /S` with the model and port
# that meet the fault and `uninstall.exe /S /all /norestart`. Each run must end within 60 s,
# with an exit code of docs/silent-mode.md and the log's `exit code` line agreeing with it:
# no crash (its code would be none of the table's), no hang and no message box (either would
# run into the timeout; a screenshot of the screen is then kept). One line per row gives the
# codes and the printers the removal left, in the case's log and in $state/broken-media.txt.
#
# Row: NAME VERSION MODEL PORT | commands on the medium: ini FILE SECTION [KEY [VALUE]] (set,
# or without VALUE delete the key, without KEY the section; FILE in DRVCONFIG), rm PATH, put PATH
# (an empty file), $(rep CHAR N).
broken_rows='
entry-without-suffix xp QM-B220 LPT1: | ini setup.ini DEVICENAME DEVICENAME3 QM-B220-Ticket
no-xp-section xp QM-A210 LPT1: | ini setup_receipt.ini QM-A210.XP
driver-name-cut 2000 QM-A210 LPT1: | ini setup_receipt.ini QM-A210.2K STDDriverName QM-$(rep Q 57)
driver-file-missing xp QM-A210 LPT1: | rm winnt/AQSTD.DLL
serial-monitor-missing 2003 QM-A210 AQCOM1: | rm win2003/aqcommon.dll
processor-dll-missing vista QM-C3 LPT1: | rm Vista/aqproc.dll
no-printer-fragment xp QM-A210 LPT1: | ini Uninstall.ini AQPRINTER PRINTERNAME1 XX-
no-monitor-fragment xp QM-A210 AQCOM1: | ini Uninstall.ini AQMONITOR MONITORNAME2 "AQ SER"
fragment-count-beyond xp QM-A210 LPT1: | ini Uninstall.ini AQPRINTER PRINTERNUM 2
uninstall-other-dll 2000 QM-A210 AQCOM1: | ini Uninstall.ini AQCOMMonitor.2K MonitorPDLLName aqcom.dll
default-beyond-list xp QM-A210 LPT1: | ini setup.ini DEVICENAME DEFAULTNAME 9
advanced-missing xp QM-A210 LPT1: | ini setup_receipt.ini QM-A210.PORT AdvancedSetup
server-2003-key-missing 2003 QM-A210 LPT1: | ini setup_receipt.ini QM-A210.PORT System2003Supported
baud-not-listed xp QM-A210 AQCOM1: | ini setup_receipt.ini QM-A210.PORT BaudRate 14400
usb-device-missing xp QM-B220 LPT1: | ini setup.ini SUPPORTED-USB-DEVICE USB_QM-B220_3
processor-version-text xp QM-A210 LPT1: | ini setup.ini ProcessorVersion DriverVersion v4
monitor-version-text xp QM-A210 LPT1: | ini setup.ini COMMON-MONITOR.XP USBMONitorVersion 3b
misspelt-key 2000 QM-R80 LPT1: | ini setup_receipt.ini QM-R80.2K STDDriverNmae "QM-R80 STD"
misspelt-section xp QM-A210 LPT1: | ini setup_receipt.ini QM-A21O.XP ATTRIBUTES 576
entry-beyond-count xp QM-A210 LPT1: | ini setup.ini DEVICENAME DEVICENAME8 QM-Z1-ReceiptPrinter
licence-missing xp QM-A210 LPT1: | rm License.txt
module-ini-missing xp QM-E50 LPT1: | rm DRVCONFIG/setup_Embedded.ini
uninstall-ini-missing xp QM-A210 LPT1: | rm DRVCONFIG/Uninstall.ini
monitor-section-missing vista QM-A210 AQCOM1: | ini setup.ini COMMON-MONITOR.Vista
driver-file-key-empty xp QM-E50 LPT1: | ini setup_Embedded.ini QM-E50.XP GDIHelpFile ""
gdi-file-missing xp QM-A210 LPT1: | rm winnt/AQGDIUI.DLL
driver-kit-file-missing vista QM-C3 LPT1: | rm Vista/TTFSUB.GPD
win98-library-missing xp QM-A210 LPT1: | rm win98/ICONLIB.DLL
no-processor-fragment xp QM-A210 LPT1: | ini Uninstall.ini AQPROC PROCNAME1 "XQ Print"
entry-without-model xp QM-A210 LPT1: | ini setup.ini DEVICENAME DEVICENAME7 -EmbeddedPrinter
device-number-missing xp QM-A210 LPT1: | ini setup.ini DEVICENAME DEVICENUMBER
device-number-5000 xp QM-A210 LPT1: | ini setup.ini DEVICENAME DEVICENUMBER 5000
model-listed-twice xp QM-A210 LPT1: | ini setup.ini DEVICENAME DEVICENAME2 QM-A210-ReceiptPrinter
attributes-missing 2003 QM-T95 LPT1: | ini setup_Ticket.ini QM-T95.2003 ATTRIBUTES
port-section-missing vista QM-E50 LPT1: | ini setup_Embedded.ini QM-E50.PORT
empty-monitor-fragment xp QM-A210 AQCOM1: | ini Uninstall.ini AQMONITOR MONITORNAME1 ""
fragment-beyond-count xp QM-A210 LPT1: | ini Uninstall.ini AQPROC PROCNAME2 AQ
processor-dll-entry-missing vista QM-A210 LPT1: | ini Uninstall.ini "AQ Print Processor.Vista" ProcessorDllName
usb-name-too-long xp QM-A210 LPT1: | m=$(rep M 48); ini setup.ini DEVICENAME DEVICENUMBER 8;\
 ini setup.ini DEVICENAME DEVICENAME8 $m-TicketPrinter;\
 ini setup_Ticket.ini $m.PORT USBSUPPORTED 1
dependent-files-cut xp QM-C3 LPT1: | p=$(rep P 150); put winnt/$p;\
 ini setup_Lable.ini QM-C3.XP GDIDataOemuniDLL $p
fragment-cut xp QM-A210 LPT1: | ini Uninstall.ini AQPRINTER PRINTERNAME1 QM-ABCDEFGHIJKLMNOPQRSTUVWXYZ0123
setup-ini-missing xp QM-A210 LPT1: | rm DRVCONFIG/setup.ini
'
source "$(dirname "${BASH_SOURCE[0]}")/cases.sh"
cases=()
declare -A broken_row
while IFS= read row; do  # without -r: a row may go on after a trailing backslash
  [ -n "$row" ] || continue
  read -r name version _ <<<"$row"
  cases+=("broken-$name $version")
  broken_row[$name]=$row
  eval "case_broken_${name//-/_}() { broken_case $name; }"
done <<<"$broken_rows"

# ini FILE SECTION [KEY [VALUE]]: as WritePrivateProfileString would change DRVCONFIG\FILE
# (names compared without case, CRLF lines).
ini() {
  local file=$medium/DRVCONFIG/$1
  awk -v section="$2" -v key="${3-}" -v value="${4-}" -v has_key=$(($# >= 3)) -v set=$(($# >= 4)) '
    function put(line) { printf "%s\r\n", line }
    function name(line) { sub(/^[ \t]*/, "", line); sub(/[ \t]*$/, "", line); return tolower(line) }
    { sub(/\r$/, "") }
    /^[ \t]*\[/ {
      if (inside && set && !done) { put(key "=" value); done = 1 }
      header = $0; sub(/^[ \t]*\[/, "", header); sub(/\].*$/, "", header)
      inside = name(header) == tolower(section)
      if (inside && !has_key) { dropping = 1; next }
      dropping = 0; put($0); next
    }
    dropping { next }
    inside && has_key && index($0, "=") && name(substr($0, 1, index($0, "=") - 1)) == tolower(key) {
      if (set && !done) { put(key "=" value); done = 1 }
      next
    }
    { put($0) }
    END {
      if (inside && set && !done) { put(key "=" value); done = 1 }
      if (set && !done) { put("[" section "]"); put(key "=" value) }
    }' "$file" >"$file.new" && mv "$file.new" "$file"
}
put() { : >"$medium/$1"; }
rep() { printf "%${2}s" "" | tr ' ' "$1"; }  # rep CHAR N: CHAR N times

# broken_run PROGRAM ARGS...: a silent run within 60 s; its code in $code: "hang" after the
# timeout, "crash(STATUS)" without a log line that agrees with the status or after Wine's report
# of an unhandled exception on stderr, "undocumented(CODE)".
broken_run() {
  cat "$out/silent.out" >>"$out/log" 2>/dev/null
  : >"$out/silent.out"
  silent_timeout=60 silent "$@"
  code=$(sed -n 's/^[-0-9: ]* exit code \([0-9]*\)$/\1/p' <<<"$silent_log" | tail -n 1)
  if [ "$silent_code" = 124 ]; then
    drive screenshot "$(shot "$1-timeout")"
    stop_wine
    code=hang
  elif [ -z "$code" ] || [ $((code % 256)) != "$silent_code" ] ||
    grep -qiE 'unhandled|page fault' "$out/silent.out"; then
    code="crash($silent_code)"
  else
    case $code in
      0 | 3010 | 2 | 3 | 1[0-3] | 2[0-9] | 3[0-5] | 4[0-3] | 5[01]) ;;
      *) code="undocumented($code)" ;;
    esac
  fi
}

broken_case() {
  local row=${broken_row[$1]} code setup_code
  read -r _ _ model port _ <<<"${row%%|*}"
  (cd "$medium" && eval "${row#*|}") || { echo "the medium could not be broken"; return 1; }
  broken_run setup /S "/model=$model" "/port=$port"
  setup_code=$code
  broken_run uninstall /S /all /norestart
  local left
  left=$(inspect printers | sed -n 's/^printer "\([^"]*\)".*/\1/p' | paste -sd, -)
  echo "$1 $version $model $port -> setup $setup_code, uninstall $code," \
    "printers left: ${left:-none}" | tee -a "$state/broken-media.txt"
  [[ "$setup_code $code" != *[a-z]* ]]
}
