# The silent runs beside the wizard (sourced by cases.sh). An install case makes the wizard run
# of its choices, keeps what it left, starts again from a fresh prefix and medium, makes the
# silent run of the same choices, and compares the two: the spooler's objects, the registry of
# the print subsystem and of the vendor, and every installed file with its checksum.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
cases+=(
  "silent-parallel xp 2000 2003 vista"
  "silent-serial xp 2000 2003 vista"
  "silent-usb xp 2000 2003 vista"
  "silent-uninstall-all xp vista"
  "silent-refused-model-for-system 2003 vista"
  "silent-refused-beside-wizard xp"
  "silent-refused-beside-uninstall xp"
  "silent-refused-identity xp"
  "silent-refused-unknown-name xp"
)

# silent PROGRAM ARGS...: PROGRAM.exe from the medium, logging to C:\medium\silent.log, ended
# after $silent_timeout (300) s; the exit code (which a Unix process keeps modulo 256) in
# $silent_code, the log's lines in $silent_log.
silent() {
  local program=$1
  shift
  rm -f "$medium/silent.log"
  (cd "$medium" && WINEPREFIX=$prefix timeout "${silent_timeout:-300}" "$root/tools/wine-run" \
    $flag "./$program.exe" "$@" '/log=C:\medium\silent.log') >>"$out/silent.out" 2>&1
  silent_code=$?
  silent_log=$(tr -d '\r' <"$medium/silent.log" 2>/dev/null)
  printf '%s\n' "$silent_log" >>"$out/log"
}
# exited CODE: the last silent run ended with CODE, in its exit status and its log's last line.
exited() {
  [ "$silent_code" = $(($1 % 256)) ] || { echo "exit status $silent_code, not $1"; return 1; }
  has "^[-0-9: ]+ exit code $1\$" "exit code line" <<<"$silent_log"
}

# dump_state FILE: what the runs so far left in the prefix. Registry keys lose their write
# times; files are listed with their checksums (the spooler's directories, the vendor's DLLs in
# the system directory, the USB device driver). The hives are read once the inspector's
# wineserver has written them.
dump_state() {
  {
    inspect printers drivers monitors processors ports default
    stop_wine
    local hive
    for hive in system.reg user.reg; do
      awk -v hive="$hive" '
        /^\[/ { keep = $0 ~ /Control\\\\Print\\\\|\\\\VORTELL|Windows NT\\\\CurrentVersion\\\\(Ports|Devices|PrinterPorts|Windows)\]/
                if (keep) { sub(/\] [0-9]+$/, "]"); print hive " " $0 }
                next }
        /^#time=/ { next }
        keep && NF { print }' "$prefix/$hive"
    done
    (cd "$prefix/drive_c/windows/system32" &&
      find spool drivers -type f 2>/dev/null; find . -maxdepth 1 -iname 'aq*' -type f) |
      sort | (cd "$prefix/drive_c/windows/system32" && xargs -r -d '\n' md5sum)
  } >"$1"
  stop_wine
}
# same_state [removed]: the wizard's run and the silent run left the same (wizard.state,
# silent.state), a printer of the family, or with `removed` none.
same_state() {
  local printers
  printers=$(grep -c '^printer "QM' "$out/wizard.state")
  [ "${1:-}" = removed ] && [ "$printers" != 0 ] && { echo "the window left a printer"; return 1; }
  [ "${1:-}" = removed ] || [ "$printers" != 0 ] || { echo "the wizard run installed no printer"; return 1; }
  diff -u "$out/wizard.state" "$out/silent.state" || { echo "the silent run left another state"; return 1; }
}

case_silent_parallel() {
  install_on LPT1: || return 1
  dump_state "$out/wizard.state"
  fresh_prefix
  silent setup /S /model=QM-A210 /port=LPT1:
  exited 0 || return 1
  has 'message: Successfully installed printer driver$' outcome <<<"$silent_log" || return 1
  dump_state "$out/silent.state"
  same_state
}

# The choices of case_serial_aqcom.
case_silent_serial() {
  case_serial_aqcom "$1" || return 1
  dump_state "$out/wizard.state"
  fresh_prefix
  silent setup /S /model=QM-A210 /port=AQCOM1: /baud=9600 /databits=7 /parity=Even \
    /stopbits=1.5 /flow=Xon/Xoff
  exited 0 || return 1
  dump_state "$out/silent.state"
  same_state
}

# The choices of case_usb_identity_rewritten: the attached printer's identity is not the
# port's, the wizard's question IDS_CHANGE_PRINTER_NAME_QUESTION is answered Yes, /setid answers it
# silently.
case_silent_usb() {
  case_usb_identity_rewritten "$1" || return 1
  dump_state "$out/wizard.state"
  cp "$medium/usbwrites.txt" "$out/wizard.usbwrites"
  fresh_prefix
  echo 2 >"$medium/usbprinters.txt"
  install_current_usb_driver
  silent setup /S /model=QM-A210 /port=USB_QM-A210_1 /setid
  exited 0 || return 1
  has 'question: This application will change printer name.* -> Yes$' 'question IDS_CHANGE_PRINTER_NAME_QUESTION' <<<"$silent_log" || return 1
  has 'message: Successfully installed printer driver / Please repower the printer$' outcome <<<"$silent_log" || return 1
  diff -u "$out/wizard.usbwrites" "$medium/usbwrites.txt" || { echo "another identity was written"; return 1; }
  dump_state "$out/silent.state"
  same_state
}

# Three silent installs (parallel, serial, USB), then the window's Select All and Uninstall
# beside uninstall.exe /S /all from the same installed state. Both meet Wine's refusal of the
# driver removal (er=87), which the silent run reports as code 51.
case_silent_uninstall_all() {
  silent setup /S /model=QM-A210 /port=LPT1: && exited 0 || return 1
  silent setup /S /model=QM-A210 /port=AQCOM1: && exited 0 || return 1
  echo 0 >"$medium/usbprinters.txt"
  install_current_usb_driver
  silent setup /S /model=QM-A210 /port=USB_QM-A210_1 && exited 0 || return 1
  stop_wine
  cp -a "$prefix" "$out/installed"
  uninstall_everything || return 1
  kill "$program_pid" 2>/dev/null
  dump_state "$out/wizard.state"
  rm -rf "$prefix"
  mv "$out/installed" "$prefix"
  silent uninstall /S /all /norestart
  exited 51 || return 1
  local line
  for line in 'QM-A210\(P\) has been deleted' 'QM-A210\(U\) 1 has been deleted' \
    'AQ COM Monitor has been deleted' 'Delete printer driver error\.    er=87'; do
    has "status: $line" "status line: $line" <<<"$silent_log" || return 1
  done
  dump_state "$out/silent.state"
  same_state removed
}

# QM-R80 supports neither Server 2003 nor Vista: IDS_NO_SERVER_2003_SUPPORT or IDS_NO_VISTA_SUPPORT,
# code 21, nothing installed.
case_silent_refused_model_for_system() {
  local text="This printer not support WINDOWS SEVER 2003"
  [ "$1" = vista ] && text="This printer not support Windows Vista"
  silent setup /S /model=QM-R80 /port=LPT1:
  exited 21 || return 1
  has "refused: $text\$" refusal <<<"$silent_log" || return 1
  nothing_installed
}

# The wizard's window is open: the silent run leaves it alone and ends with 10.
case_silent_refused_beside_wizard() {
  start_setup
  drive window "Printer Driver Setup" 60 || return 1
  silent setup /S /model=QM-A210 /port=LPT1:
  exited 10 || return 1
  has 'refused: another setup is running$' refusal <<<"$silent_log" || return 1
  drive window "Printer Driver Setup" 5
}

case_silent_refused_beside_uninstall() {
  open_uninstall_window || return 1
  silent setup /S /model=QM-A210 /port=LPT1:
  exited 11 || return 1
  has 'refused: Please close Uninstall program first!$' refusal <<<"$silent_log" || return 1
  nothing_installed
}

# A USB printer whose identity must be rewritten, without /setid: code 27 and no write.
case_silent_refused_identity() {
  echo 2 >"$medium/usbprinters.txt"
  install_current_usb_driver
  silent setup /S /model=QM-A210 /port=USB_QM-A210_1
  exited 27 || return 1
  has 'question: This application will change printer name.* -> No$' 'question IDS_CHANGE_PRINTER_NAME_QUESTION' <<<"$silent_log" || return 1
  [ ! -s "$medium/usbwrites.txt" ] || { echo "an identity was written"; return 1; }
  nothing_installed
}

# A name the inventory does not hold: code 41, the log names it, and nothing is removed.
case_silent_refused_unknown_name() {
  silent setup /S /model=QM-A210 /port=LPT1: && exited 0 || return 1
  silent uninstall /S '/printer=QM-A210(P)' '/printer=QM-Z1(P)'
  exited 41 || return 1
  has 'QM-Z1\(P\)' 'the unknown name' <<<"$silent_log" || return 1
  inspect printers | has '^printer "QM-A210\(P\)" ' 'the printer kept' || return 1
}
