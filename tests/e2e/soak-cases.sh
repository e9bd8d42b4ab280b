# The soak (sourced by tests/e2e/run through tests/e2e/soak, never part of the tier): an
# administrator's fleet deployment run again and again in one prefix. Each cycle is
# `setup.exe /S /model=QM-A210 /port=LPT1:` and `uninstall.exe /S /all`; after the first cycle
# and every SOAK_EVERY-th (10) the state after the install and after the removal is taken with
# dump_state and the list of files under C:\ (the medium aside), and every later one must equal
# the first: nothing grows, nothing numbered appears. Every cycle must end with the first
# cycle's exit codes. One line per checkpoint goes to the run's output.
source "$(dirname "${BASH_SOURCE[0]}")/cases.sh"
cases=("soak xp vista")
exec 3>&1

# The fixed waits of one cycle in ms, counted with winsim::Sleeps() in a native run of the same
# silent install and `/S /all` removal: setup 100 (before its steps); uninstall 4700 (500 before
# the entry, 100 after the printer went, 2000 while the spooler restarts, 1000 after it, 100 + 1000
# after the driver, whether the driver went or stayed). The removal code is the same on Vista.
soak_fixed_waits=4800

# soak_state FILE: dump_state and the files under C:\ without the medium.
soak_state() {
  dump_state "$1"
  (cd "$prefix/drive_c" && find . -path ./medium -prune -o -type f -print | sort) >>"$1"
}
# soak_run PROGRAM ARGS...: a silent run; its code (the log's `exit code` line, which must agree
# with the exit status) is appended to $codes.
soak_run() {
  silent "$@"
  local code
  code=$(sed -n 's/^[-0-9: ]* exit code \([0-9]*\)$/\1/p' <<<"$silent_log" | tail -n 1)
  [ -n "$code" ] && [ $((code % 256)) = "$silent_code" ] || code="status-$silent_code"
  codes+=" $1=$code"
}
# soak_compare NAME: $out/NAME.state equals $out/NAME-1.state; the difference goes to the log.
soak_compare() {
  diff "$out/$1-1.state" "$out/$1.state" >"$out/$1.diff" && return 0
  echo "$1 differs from cycle 1: $(grep -c '^>' "$out/$1.diff") new lines," \
    "$(grep -c '^<' "$out/$1.diff") gone"
  grep -E '^>.*(\([0-9]+\)| [0-9]+"|Copy )' "$out/$1.diff" | sed 's/^/numbered: /'
  head -n 20 "$out/$1.diff"
  return 1
}

# soak_line TEXT...: a checkpoint's line, in the log and in the run's output.
soak_line() { echo "$*"; echo "$*" >&3; }

case_soak() {
  local cycles=${SOAK_CYCLES:-100} every=${SOAK_EVERY:-10} cycle codes first= start
  local wall=0 timed=0 failed=0 verdict
  for ((cycle = 1; cycle <= cycles; cycle++)); do
    local check=$(( cycle == 1 || cycle % every == 0 ))
    codes=
    start=$(date +%s%N)
    soak_run setup /S /model=QM-A210 /port=LPT1:
    wall=$((wall + ($(date +%s%N) - start) / 1000000))
    [ "$check" = 1 ] && soak_state "$out/installed.state"
    start=$(date +%s%N)
    soak_run uninstall /S /all
    wall=$((wall + ($(date +%s%N) - start) / 1000000))
    [ "$check" = 1 ] && soak_state "$out/removed.state"
    timed=$((timed + 1))
    if [ "$cycle" = 1 ]; then
      first=$codes
      mv "$out/installed.state" "$out/installed-1.state"
      mv "$out/removed.state" "$out/removed-1.state"
      soak_line "soak $1 cycle 1:$codes, $(wc -l <"$out/removed-1.state") state lines," \
        "wall $wall ms (fixed waits $soak_fixed_waits ms)"
      wall=0 timed=0
      continue
    fi
    [ "$codes" = "$first" ] || { echo "cycle $cycle:$codes, not$first"; failed=1; }
    [ "$check" = 1 ] || continue
    verdict=same
    soak_compare installed || verdict=DIFFERENT
    soak_compare removed || verdict=DIFFERENT
    [ "$verdict" = same ] || failed=1
    soak_line "soak $1 cycle $cycle: $verdict state, codes${codes}, wall $((wall / timed))" \
      "ms/cycle (fixed waits $soak_fixed_waits ms)"
    wall=0 timed=0
  done
  return "$failed"
}
