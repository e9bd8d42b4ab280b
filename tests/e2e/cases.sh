# The end-to-end cases (sourced by tests/e2e/run). A case is a function case_<name> that gets
# the Windows version (xp, 2000, 2003, vista) as $1 and runs with a fresh prefix ($prefix), its
# own copy of the staged medium ($medium, C:\medium, setup's working directory) and a directory
# for its log and screenshots ($out). It returns non-zero on the first check that fails. It
# sets fixed_waits to the sum of the fixed waits of its install path. `cases` lists each case
# with the versions it runs at.
#
# Helpers: start_setup, setup_ended; drive (a script on stdin, see e2e/automation/Drive.cpp);
# inspect (see e2e/inspector/Inspect.cpp); has REGEX (stdin has a matching line); shot NAME;
# progress_waits WORKER_MS.
cases=(
  "parallel-typical xp 2000 2003 vista"
  "serial-aqcom xp vista"
  "usb-typical xp vista"
)

# licence -> module -> setup type -> OS -> port page, with the choices the pages preselect.
walk_to_port_page() {
  drive <<EOF
window "Printer Driver Setup" 60
screenshot $(shot 1-licence)
expect 1058 checked
expect 1 disabled
click 1057
expect 1 enabled
click 1
screenshot $(shot 2-module)
click 1
screenshot $(shot 3-setup-type)
click 1
screenshot $(shot 4-os)
click 1
expect 1 text "Install (&I)"
EOF
}

# A parallel install of the default model (QM-A210, Receipt) with Typical setup: the printer
# "QM-A210(P)" on LPT1: with the GDI driver (a parallel port selects the GDI mode).
case_parallel_typical() {
  start_setup
  walk_to_port_page || return 1
  drive <<EOF || return 1
window "Printer Driver Setup" 10
select 1049 "LPT1:"
screenshot $(shot 5-port)
click 1
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
# setup adds): "QM-A210(S)" with the STD driver, the serial monitor and the vendor processor.
case_serial_aqcom() {
  start_setup
  walk_to_port_page || return 1
  drive <<EOF || return 1
window "Printer Driver Setup" 10
select 1049 "AQCOM1:"
expect 1041 enabled
screenshot $(shot 5-port)
click 1
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
}

# A USB install with Typical setup, one printer attached (identity 0: printer number 1): the
# printer "QM-A210(U) 1" on USB_QM-A210_1, offered by the vendor's USB monitor once setup has
# recorded the port.
case_usb_typical() {
  echo 0 >"$medium/usbprinters.txt"
  start_setup
  walk_to_port_page || return 1
  drive <<EOF || return 1
window "Printer Driver Setup" 10
select 1049 "USB_QM-A210_1"
screenshot $(shot 5-port)
click 1
box setup * OK 120
gone "Printer Driver Setup" 30
EOF
  # Before the worker: 500 ms after starting the USB driver's installer, then 100 ms polls
  # while its window is open (the stand-in's 3000 ms); the worker's own is its 100 ms start.
  fixed_waits=$((500 + 3000 + $(progress_waits 100)))
  setup_ended || return 1
  has '"Successfully installed printer driver\\nPlease repower the printer"' outcome <"$out/drive.last" || return 1
  has '^2' 'installer argument' <"$medium/USBDRV/Install.log" || return 1
  inspect printers | has '^printer "QM-A210\(U\) 1" driver="QM-A210 GDI" port="USB_QM-A210_1"' printer || return 1
  inspect monitors | has '^monitor "AQ USB Monitor" ' monitor || return 1
  inspect reg 'HKLM\SOFTWARE\VORTELL\PORTNAME' | has '"USB_QM-A210_1" dword' 'port record' || return 1
}
