# The end-to-end cases (sourced by tests/e2e/run). A case is a function case_<name> that gets
# the Windows version (xp, 2000, 2003, vista, win7, win7-64, win10-64) as $1 and runs with a
# fresh prefix ($prefix), its own copy of the staged medium ($medium, C:\medium, setup's
# working directory) and a directory
# for its log and screenshots ($out). It returns non-zero on the first check that fails. It
# sets fixed_waits to the sum of the fixed waits of its install path. `cases` lists each case
# with the versions it runs at.
#
# The helpers (start_setup, setup_ended, walk_to_port_page, install_on PORT, drive, inspect,
# has, shot, progress_waits ...) and the variables they use are in lib.sh.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
# Windows 7 (a 32-bit prefix answering 6.1) where the tier runs the 32-bit programs: the 64-bit
# build of the other mode is no 32-bit program under a 32-bit Windows 7.
win7=
[ "$tier" = 64 ] || win7=win7
# 64-bit Windows 7 and 10 (win64 prefixes), where the 32-bit programs run under WOW64: the cases
# that check the "Windows x64" side (the -x64 cases). Only in the 32-bit mode, like win7: the
# x86-64 build of the other mode runs natively there, not under WOW64, and takes the system
# for a 32-bit Windows 7; named (`run parallel-x64 win10-64`) it still runs.
win64=
[ "$tier" = 64 ] || win64="win7-64 win10-64"
cases=(
  "parallel-typical xp 2000 2003 vista $win7"
  "serial-aqcom xp 2000 2003 vista $win7"
  "usb-typical xp 2000 2003 vista"
  "usb-identity-rewritten xp 2000 2003 vista"
  "usb-driver-installer xp 2000 2003 vista"
  "second-install xp 2000 2003 vista"
  "processor-update xp 2000 2003 vista"
  "uninstall-all xp vista $win7"
  "refused-server-2003 2003"
  "refused-vista vista"
  ${win7:+"refused-win7 win7"}
  "refused-second-instance xp"
  "refused-beside-uninstall xp"
  "refused-without-drvconfig xp"
  "parallel-x64 $win64"
  "serial-x64 $win64"
  "refused-x64 $win64"
  "uninstall-x64 $win64"
)

# A parallel install of the default model (QM-A210, Receipt) with Typical setup: the printer
# "QM-A210(P)" on LPT1: with the GDI driver (a parallel port selects the GDI mode).
case_parallel_typical() {
  start_setup
  walk_to_port_page || return 1
  drive <<EOF || return 1
window "Printer Driver Setup" 10
select IDC_PORTS "LPT1:"
screenshot $(shot 5-port)
click IDOK
box setup "Successfully installed printer driver" OK 120
gone "Printer Driver Setup" 30
EOF
  # The worker's one fixed wait on this path is its first 100 ms (no monitor for LPT, and the
  # system's own WinPrint is never installed).
  fixed_waits=$(progress_waits 100)
  setup_ended || return 1
  inspect printers | has '^printer "QM-A210\(P\)" driver="QM-A210 GDI" port="LPT1:" processor="WinPrint"' printer || return 1
  inspect drivers | has '^driver "[^"]*" "QM-A210 GDI" version=3 path="[^"]*AQGDI.DLL"' driver || return 1
}

# A serial install with Typical setup on AQCOM1: (offered by the vendor's serial monitor, which
# setup adds) with settings other than the defaults: "QM-A210(S)" with the STD driver, the
# serial monitor, the vendor processor and the port's settings in the registry (under the port
# text from "COM" on, with the parity letter lower-cased).
case_serial_aqcom() {
  start_setup
  walk_to_port_page || return 1
  drive <<EOF || return 1
window "Printer Driver Setup" 10
select IDC_PORTS "AQCOM1:"
expect IDC_BAUD_RATE enabled
select IDC_BAUD_RATE "9600"
select IDC_BYTE_SIZE "7"
select IDC_PARITY "Even"
select IDC_STOP_BITS "1.5"
select IDC_PROTOCOL "Xon/Xoff"
screenshot $(shot 5-port)
click IDOK
box setup "Successfully installed printer driver" OK 120
gone "Printer Driver Setup" 30
EOF
  # Fresh monitors are added without a spooler restart: the worker's 100 ms start and the
  # processor's 200 ms.
  fixed_waits=$(progress_waits 300)
  setup_ended || return 1
  inspect printers | has '^printer "QM-A210\(S\)" driver="QM-A210 STD" port="AQCOM1:" processor="AQ Print Processor"' printer || return 1
  inspect monitors | has '^monitor "AQ COM Monitor" ' monitor || return 1
  inspect processors | has ' "AQ Print Processor"$' processor || return 1
  inspect reg 'HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Ports' |
    has '"COM1:" sz "9600,e,7,1.5,x"' 'serial settings' || return 1
}

# The USB device driver of the medium, installed as current in the system directory.
install_current_usb_driver() {
  mkdir -p "$prefix/drive_c/windows/system32/drivers"
  cp "$medium/USBDRV/bulkusb.sys" "$prefix/drive_c/windows/system32/drivers/bulkusb.sys"
}
# usb_install PORT [ANSWER]: a USB install on PORT with Typical setup; with ANSWER, question
# IDS_CHANGE_PRINTER_NAME_QUESTION comes first and is answered so.
usb_install() {
  local question=
  [ $# -ge 2 ] && question="box setup * $2 30"
  start_setup
  walk_to_port_page || return 1
  drive <<EOF
window "Printer Driver Setup" 10
select IDC_PORTS "$1"
screenshot $(shot 5-port)
click IDOK
$question
box setup * OK 120
gone "Printer Driver Setup" 30
EOF
}

# A USB install with one attached printer whose identity matches (0: printer number 1) and a
# current USB device driver: "QM-A210(U) 1" on USB_QM-A210_1, offered by the vendor's USB
# monitor once setup has recorded the port; the driver's installer is not started.
case_usb_typical() {
  echo 0 >"$medium/usbprinters.txt"
  install_current_usb_driver
  usb_install USB_QM-A210_1 || return 1
  fixed_waits=$(progress_waits 100)
  setup_ended || return 1
  has '"Successfully installed printer driver\\nPlease repower the printer"' outcome <"$out/drive.last" || return 1
  [ ! -e "$medium/USBDRV/Install.log" ] || { echo "the USB driver's installer was started"; return 1; }
  inspect printers | has '^printer "QM-A210\(U\) 1" driver="QM-A210 GDI" port="USB_QM-A210_1"' printer || return 1
  inspect monitors | has '^monitor "AQ USB Monitor" ' monitor || return 1
  inspect reg 'HKLM\SOFTWARE\VORTELL\PORTNAME' | has '"USB_QM-A210_1" dword' 'port record' || return 1
}

# The attached printer's identity (2: printer number 3) is not the port's: question
# IDS_CHANGE_PRINTER_NAME_QUESTION is answered Yes and the identity rewritten to 1 through the USB
# library (its writes are logged).
case_usb_identity_rewritten() {
  echo 2 >"$medium/usbprinters.txt"
  install_current_usb_driver
  usb_install USB_QM-A210_1 Yes || return 1
  fixed_waits=$(progress_waits 100)
  setup_ended || return 1
  has '^box "setup" "This application will change printer name' 'question IDS_CHANGE_PRINTER_NAME_QUESTION' <"$out/drive.last" || return 1
  has '"Successfully installed printer driver\\nPlease repower the printer"' outcome <"$out/drive.last" || return 1
  [ -s "$medium/usbwrites.txt" ] || { echo "no identity was written to the printer"; return 1; }
  inspect printers | has '^printer "QM-A210\(U\) 1" ' printer || return 1
}

# No USB device driver installed: the installer stand-in is started with "2" and waited for
# while its window is open.
case_usb_driver_installer() {
  echo 0 >"$medium/usbprinters.txt"
  usb_install USB_QM-A210_1 || return 1
  # Before the worker: 500 ms after the start, then 100 ms polls while the stand-in's window is
  # open (3000 ms); the worker's own is its 100 ms start.
  fixed_waits=$((500 + 3000 + $(progress_waits 100)))
  setup_ended || return 1
  has '^2' 'installer argument' <"$medium/USBDRV/Install.log" || return 1
  has '"Successfully installed printer driver\\nPlease repower the printer"' outcome <"$out/drive.last" || return 1
  inspect printers | has '^printer "QM-A210\(U\) 1" ' printer || return 1
}

# The same model installed twice. Windows refuses the taken name (1802) and setup numbers it,
# "QM-A210(P)(1)"; Wine's AddPrinterA replaces the printer of that name instead, so under Wine
# the second run leaves one printer "QM-A210(P)" (winsim keeps Windows' answer).
case_second_install() {
  install_on LPT1: || return 1
  install_on LPT1: || return 1
  fixed_waits=$(progress_waits 100)
  local printers
  printers=$(inspect printers)
  has '^printer "QM-A210\(P\)" ' printer <<<"$printers" || return 1
  if grep -q '^printer "QM-A210(P)(1)"' <<<"$printers"; then
    echo "Wine numbered the second printer: its AddPrinterA now refuses a taken name"
  fi
}

# The medium's processor version raised after a first install: the second install finds the
# installed processor outdated and replaces it around a spooler stop and start.
processor_key='HKLM\SYSTEM\CurrentControlSet\Control\Print\Environments\Windows NT x86\Print Processors\AQ Print Processor'
case_processor_update() {
  install_on AQCOM1: || return 1
  if [ "$tier" = 64 ]; then
    # A 64-bit setup.exe adds the processor to "Windows x64", so the "Windows NT x86" key in
    # which the 32-bit program keeps its version never appears: give it the state a 32-bit
    # install leaves, so that the update path runs in this mode too.
    wine reg add "$processor_key" /v Driver /d aqproc.dll /f >/dev/null 2>&1
    wine reg add "$processor_key" /v DriverVersion /t REG_DWORD /d 4 /f >/dev/null 2>&1
    stop_wine
  fi
  sed -i 's/^DriverVersion=4\r\?$/DriverVersion=5\r/' "$medium/DRVCONFIG/setup.ini"
  install_on AQCOM1: || return 1
  local restart=2500
  [ "$1" = 2000 ] && restart=1000
  [ "$1" = vista ] && restart=0
  # The worker's 100 ms start, 100 ms after the stop, 500 ms, the wait after the first start and
  # 1000 ms after the second.
  fixed_waits=$(progress_waits $((100 + 100 + 500 + restart + 1000)))
  inspect reg "$processor_key" | has '"DriverVersion" dword 5' 'processor version' || return 1
}
# refused_on_os_page RADIO TEXT [COMMAND...]: QM-R80, whose port section claims none of Server
# 2003, Vista and Windows 7 (32- or 64-bit), walked to the OS page: RADIO is checked, the
# automation COMMANDs hold, and leaving the page shows TEXT and keeps the page.
refused_on_os_page() {
  local radio=$1 text=$2
  shift 2
  start_setup
  walk_to_page IDC_MODULE_RECEIPT IDC_MODELS_RECEIPT QM-R80 || return 1
  drive <<EOF || return 1
window "Printer Driver Setup" 10
expect $radio checked
$(printf '%s\n' "$@")
click IDOK
box setup "$text" OK 10
expect $radio visible
expect IDOK text "Next (&N)>>"
EOF
}
case_refused_server_2003() {
  refused_on_os_page IDC_OS_2003 "This printer not support WINDOWS SEVER 2003"
}
case_refused_vista() { refused_on_os_page IDC_OS_VISTA "This printer not support Windows Vista"; }
case_refused_win7() {
  refused_on_os_page IDC_OS_WIN7 "This printer does not support Windows 7 or later" \
    "expect IDC_OS_VISTA disabled"
}

# A second setup.exe while the wizard is open brings the first forward and ends by itself.
case_refused_second_instance() {
  start_setup
  drive window "Printer Driver Setup" 60 || return 1
  (cd "$medium" && WINEPREFIX=$prefix timeout 60 "$root/tools/wine-run" $flag ./setup.exe) >>"$out/setup.log" 2>&1 ||
    { echo "the second instance did not end by itself"; return 1; }
  drive window "Printer Driver Setup" 5 || return 1
}

# An open window titled "Uninstall": setup says so and ends.
case_refused_beside_uninstall() {
  open_uninstall_window || return 1
  start_setup
  drive box setup "Please close Uninstall program first!" OK 60 || return 1
  setup_ended || return 1
}

# A medium without DRVCONFIG: the frame cannot load its side picture "DRVCONFIG\Left.bmp", says
# so (IDS_CANNOT_LOAD_LEFT_BMP) and the wizard ends before any page could read a module INI.
case_refused_without_drvconfig() {
  rm -rf "$medium/DRVCONFIG"
  start_setup
  drive box setup "Can't load file Left.bmp!" OK 60 || return 1
  setup_ended || return 1
  nothing_installed
}

# setup.exe installs a parallel, a serial (AQCOM) and a USB printer; uninstall.exe then lists
# them with the serial monitor, the USB monitor and the processor, and Select All and Uninstall
# remove them; the restart prompt is answered No. Wine differences the run meets:
# DeletePrintProcessorA does nothing (the processor stays in the spooler), and
# DeletePrinterDriverExA with a flag answers 87 (the driver step's line is followed by
# "    er=87").
case_uninstall_all() {
  install_on LPT1: || return 1
  install_on AQCOM1: || return 1
  echo 0 >"$medium/usbprinters.txt"
  install_current_usb_driver
  usb_install USB_QM-A210_1 || return 1
  setup_ended || return 1
  inspect printers | grep -c '^printer "QM-A210' | has '^3$' 'three printers' || return 1
  start_uninstall
  drive <<EOF || return 1
window Uninstall 60
screenshot $(shot 6-uninstall)
click IDC_SELECT_ALL
click IDC_UNINSTALL
window "Restart Computer" 240
screenshot $(shot 7-restart)
click IDCANCEL
window Uninstall 10
screenshot $(shot 8-uninstalled)
show IDC_STATUS_LIST
EOF
  local status
  status=$(cat "$out/drive.last")
  local removed=('QM-A210\(P\) has been deleted' 'QM-A210\(S\) has been deleted'
    'QM-A210\(U\) 1 has been deleted' 'AQ COM Monitor has been deleted'
    'AQ USB Monitor has been deleted' 'Delete printer driver error\.    er=87')
  # A 64-bit setup.exe adds the processor to "Windows x64"; the uninstaller lists processors of
  # "Windows NT x86", where the 32-bit setup.exe puts them, so only the 32-bit mode sees it.
  [ "$tier" = 64 ] || removed+=('Deleting AQ Print Processor')
  for line in "${removed[@]}"; do
    has "$line" "status line: $line" <<<"$status" || return 1
  done
  local left
  left=$(inspect printers monitors)
  if grep -Eq '^printer "QM|^monitor "AQ' <<<"$left"; then
    echo "left after the removal:"; grep -E '^printer "QM|^monitor "AQ' <<<"$left"; return 1
  fi
  inspect reg 'HKLM\SOFTWARE\VORTELL\PORTNAME' | has 'missing$' 'PORTNAME deleted' || return 1
  inspect reg 'HKLM\SOFTWARE\VORTELL\PRINTERPORT' | has '"D1" dword 0' 'PRINTERPORT kept' || return 1
  for dll in aqcommon.dll aqusbmon.dll; do
    inspect file "C:\\windows\\system32\\$dll" | has 'missing$' "$dll deleted" || return 1
  done
}

# --- 64-bit Windows 7 or later (win7-64, win10-64) ------------------------------------------
# Wine has no spooler service: winspool runs the spooler inside the calling process, here the
# 32-bit setup.exe under WOW64. Measured: AddPrinterDriverA and AddPrintProcessorA with
# "Windows x64" do what they should, but AddMonitorA loads the monitor DLL in that 32-bit
# process (which cannot load the 64-bit build, and whose "system32" is syswow64), and
# AddPrinterA looks the driver and the processor up in "Windows NT x86" (87 otherwise). So
# before setup runs, wow64_stand_ins puts the medium's 32-bit monitor builds into syswow64 under
# the same names and registers twins of the printer's driver (on Wine's own driver file) and
# processor in "Windows NT x86" (lib.sh); the checks then look at the x64 side with the 64-bit
# inspector.
# has_x64_driver NAME DLL: NAME in "Windows x64", its driver DLL in spool\drivers\x64\3.
has_x64_driver() {
  local s='\\\\'  # a backslash as the inspector quotes it, as a pattern
  inspect drivers |
    has "^driver \"Windows x64\" \"$1\" version=3 path=\"[^\"]*${s}drivers${s}x64${s}3${s}$2\"" 'x64 driver'
}
# has_x64_file PATH: PATH is a 64-bit program (the 64-bit inspector sees the native system32).
has_x64_file() { inspect file "$1" | has ' image=PE32\+ ' "64-bit $1"; }

# The parallel install of the default model: the driver in "Windows x64" with its files under
# spool\drivers\x64\3 (no monitor, and WinPrint is the system's own).
case_parallel_x64() {
  wow64_stand_ins "QM-A210 GDI" WinPrint || return 1
  case_parallel_typical "$1" || return 1
  has_x64_driver "QM-A210 GDI" AQGDI.DLL
}

# The serial install: beside the driver, the vendor processor in "Windows x64" (its DLL in
# prtprocs\x64) and the serial monitor, whose 64-bit DLL is in the native system32 (the 64-bit
# inspector's spooler loads it there to list its ports).
case_serial_x64() {
  wow64_stand_ins "QM-A210 STD" "AQ Print Processor" || return 1
  case_serial_aqcom "$1" || return 1
  has_x64_driver "QM-A210 STD" AQSTD.DLL || return 1
  inspect processors | has '^processor "Windows x64" "AQ Print Processor"$' 'x64 processor' || return 1
  has_x64_file 'C:\windows\system32\spool\prtprocs\x64\aqproc.dll' || return 1
  inspect reg 'HKLM\SYSTEM\CurrentControlSet\Control\Print\Monitors\AQ COM Monitor' |
    has '"Driver" sz "aqcommon.dll"' 'monitor DLL' || return 1
  has_x64_file 'C:\windows\system32\aqcommon.dll' || return 1
  inspect ports | has '^port "AQCOM1:" monitor="AQ Port Monitor"' "the 64-bit monitor's port"
}

# QM-R80 at 64-bit Windows 7 or later: IDS_NO_X64_SUPPORT, and the OS page stays.
case_refused_x64() {
  refused_on_os_page IDC_OS_WIN7X64 "This printer does not support 64-bit Windows"
}

# A parallel and a serial install, then uninstall.exe's Select All and Uninstall: printers and
# monitor gone, the monitor's DLL gone from the native system32.
case_uninstall_x64() {
  wow64_stand_ins "QM-A210 GDI" WinPrint || return 1
  wow64_stand_ins "QM-A210 STD" "AQ Print Processor" || return 1
  install_on LPT1: || return 1
  install_on AQCOM1: || return 1
  uninstall_everything "show IDC_STATUS_LIST" || return 1
  local status line
  status=$(cat "$out/drive.last")
  for line in 'QM-A210\(P\) has been deleted' 'QM-A210\(S\) has been deleted' \
    'AQ COM Monitor has been deleted'; do
    has "$line" "status line: $line" <<<"$status" || return 1
  done
  if inspect printers monitors | grep -Eq '^printer "QM|^monitor "AQ'; then
    echo "a printer or monitor is left"; return 1
  fi
  inspect file 'C:\windows\system32\aqcommon.dll' | has 'missing$' 'aqcommon.dll deleted'
}
source "$(dirname "${BASH_SOURCE[0]}")/silent-cases.sh"
