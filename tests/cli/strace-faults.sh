#!/usr/bin/env bash
# The real program under the kernel's own fault injection (strace): an error or a kill at each rename,
# fsync, unlink, link, open, write and close of a generation. After each, the next writing command
# (a generation from the folder into itself) leaves the previous or the new pair whole under the names,
# the pair before it as .bak, the backup folder Vorandel备份, and no other file; in the backup folder
# only whole generations (both files, no temporary name). Exits 77 (skipped) where strace is missing or cannot
# trace.
#   strace-faults.sh VORANDEL WORK_DIR
set -uo pipefail
vorandel=$1 work=$2
case $1 in *.exe) echo "SKIPPED: a Windows program: its system calls are Wine's, not the kernel's"; exit 77 ;; esac
command -v strace >/dev/null || { echo "SKIPPED: strace is not installed"; exit 77; }
strace -f -o /dev/null true 2>/dev/null || { echo "SKIPPED: strace cannot trace here"; exit 77; }

rm -rf "$work" && mkdir -p "$work/previous" "$work/new"
table=$work/lord.txt
printf '\xbe\xe7\xb1\xbe\t\xb1\xe0\xba\xc5\t\xc9\xe8\xd6\xc3\t\xbd\xf0\xc7\xae\n0\t0\t0\t1\n0\t1\t1\t4321\n' >"$table"  # 剧本 编号 设置 金钱
"$vorandel" generate --out "$work/previous" --lord "$table" 2>/dev/null || { echo "FAILED: the previous pair"; exit 1; }
"$vorandel" generate --out "$work/new" 2>/dev/null || { echo "FAILED: the new pair"; exit 1; }
cmp -s "$work/previous/sndata.s5" "$work/new/sndata.s5" && { echo "FAILED: the two pairs are the same"; exit 1; }

same_pair() { cmp -s "$1/sndata.s5" "$2/sndata.s5" && cmp -s "$1/taiki.s5" "$2/taiki.s5"; }
runs=0 failures=0
for call in rename fsync unlink link openat write close; do
  for kind in error=EIO signal=KILL; do
    for when in $(seq 1 40); do
      dir=$work/A
      rm -rf "$dir" && mkdir -p "$dir"
      cp "$work/previous/sndata.s5" "$work/previous/taiki.s5" "$dir/"
      strace -f -o /dev/null -e trace="$call" -e inject="$call:$kind:when=$when" \
        "$vorandel" generate --out "$dir" >/dev/null 2>"$work/said"
      code=$?
      runs=$((runs + 1))
      # Which pair did the run leave for the next writer? A generation from the folder into itself keeps it.
      if ! "$vorandel" generate --from "$dir" --out "$dir" >/dev/null 2>"$work/recovered"; then
        echo "FAILED: $call $kind when=$when: the next generation failed: $(cat "$work/recovered")"
        failures=$((failures + 1))
        continue
      fi
      if same_pair "$dir" "$work/new"; then kept=new; elif same_pair "$dir" "$work/previous"; then kept=previous
      else
        echo "FAILED: $call $kind when=$when: a mixed pair"; failures=$((failures + 1)); continue
      fi
      if [ "$code" -eq 0 ] && [ "$kept" != new ]; then
        echo "FAILED: $call $kind when=$when: exit 0 but the previous pair"; failures=$((failures + 1))
      fi
      if ! cmp -s "$dir/sndata.s5.bak" "$dir/sndata.s5" || ! cmp -s "$dir/taiki.s5.bak" "$dir/taiki.s5"; then
        echo "FAILED: $call $kind when=$when: the backups are not the pair read"; failures=$((failures + 1))
      fi
      names=$(cd "$dir" && LC_ALL=C ls -A | tr '\n' ' ')
      if [ "$names" != "Vorandel备份 sndata.s5 sndata.s5.bak taiki.s5 taiki.s5.bak " ]; then
        echo "FAILED: $call $kind when=$when: left $names"; failures=$((failures + 1))
      fi
      for generation in "$dir"/Vorandel备份/*/; do
        kept_names=$(cd "$generation" && LC_ALL=C ls -A | tr '\n' ' ')
        if [ "$kept_names" != "sndata.s5 taiki.s5 " ]; then
          echo "FAILED: $call $kind when=$when: the generation $generation holds $kept_names"; failures=$((failures + 1))
        fi
      done
      # The run ended without reaching the fault: later counts of this call fault nothing.
      [ "$code" -eq 0 ] && [ "$kind" = error=EIO ] && ! grep -q . "$work/said" && break
      [ "$code" -eq 0 ] && break
    done
  done
done
echo "strace faults: $runs runs, $failures failures"
[ "$failures" -eq 0 ]
