#!/usr/bin/env bash
# End-to-end test of the Windows program under Wine on a virtual X display, driven from outside.
#   run-end-to-end.sh SCENARIO VORANDEL_EXE CLI_EXE DRIVER_EXE BUILTIN_DIR SCREENSHOT_DIR [LOCALE [FOLDER]]
# LOCALE: the Unix locale Wine runs under, which sets the system's code page for programs that are not
#         Unicode (zh_CN.UTF-8: 936, the default; zh_TW.UTF-8: 950; en_US.UTF-8: 1252).
# FOLDER: where on drive C: both programs are unpacked and run, as a player unpacks the archive
#         (default 游戏/三国 修改, that is C:\游戏\三国 修改).
# SCENARIO: generate-and-batch (a second start brings the first to the front, generate, a force table with
#           an error, Retry, success, the list of all its problems, a table chosen with 浏览 in another
#           folder, F1 and Esc in a batch dialog, the map of a scenario, the about box; every window
#           has its close box and icon)
#           officer-table (a broken and then a correct officer table)
#           export-and-quit (导出当前数据 and the exported tables applied unchanged; a batch marks the caption,
#           退出 and Esc then ask; 生成新剧本 clears the mark)
#           keep-and-restore (the player's own pair, 生成新剧本 asks before replacing it, a press writing the
#           same pair keeps nothing, 恢复 of the first kept pair brings it back byte for byte; 导出当前数据
#           twice after an edit keeps the edit)
#           own-pair (started in a folder holding the player's own pair: offered and taken as the start, a
#           change generated, diff against the player's pair shows only it; another pair put there is
#           replaced only after a question; 读取剧本 opens a pair chosen in the open-file dialog)
#           what-if (the help file's what-if example: a city going over to another force, a son made ruler,
#           a force founded, through the batch dialogs; the generated pair validates and shows the changes)
# Exits 0 when every step passed, 1 on the first failure, 77 (skipped) where Wine, Xvfb, ImageMagick,
# the locale or a CJK font are missing.
set -uo pipefail

scenario=$1 built_program=$2 built_cli=$3 driver=$4 builtin=$5 shots=$6
run_locale=${7:-zh_CN.UTF-8} unpacked=${8:-游戏/三国 修改}
started=$(pwd)  # where a failure's screenshot is left (the build folder under CTest)

skip() { echo "SKIPPED: $*"; exit 77; }
fail() {
  echo "FAILED: $*"
  # What the driver said of its last command ("no window titled …", "no control …"), Wine's noise aside.
  [ -s "${work:-}/driver-complaint" ] && sed 's/^/  driver: /' "$work/driver-complaint"
  import -window root "$started/wine-failure-$scenario-${run_locale%%.*}.png" || true
  exit 1
}
step() { echo "-- $*"; }

wine=$(command -v wine64 || command -v wine || { [ -x /usr/lib/wine/wine64 ] && echo /usr/lib/wine/wine64; }) ||
  skip "wine is not installed"
[ -n "$wine" ] || skip "wine is not installed"
# The machine a Windows program is built for: the PE header's field (14c for 32-bit x86).
peMachine() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ') || return 1
  od -An -tx1 -j$((header + 4)) -N2 "$1" | awk '{print $2 $1}' | sed 's/^0*//'
}
# 32-bit programs need Wine's 32-bit part (Debian's wine32:i386), whose loader is /usr/lib/wine/wine.
[ "$(peMachine "$built_program")" != 14c ] || [ -x /usr/lib/wine/wine ] ||
  skip "Wine's 32-bit part (wine32:i386) is not installed"
command -v Xvfb >/dev/null || skip "Xvfb is not installed"
command -v import >/dev/null || skip "ImageMagick (import) is not installed"
command -v iconv >/dev/null || skip "iconv is not installed"
locale -a 2>/dev/null | grep -qix "${run_locale/UTF-8/utf8}" || skip "the locale $run_locale is not generated"
[[ $(fc-list : family 2>/dev/null) == *"WenQuanYi Micro Hei"* ]] ||
  skip "the CJK font WenQuanYi Micro Hei (fonts-wqy-microhei) is not installed"
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

work=$(mktemp -d /tmp/vorandel-wine-XXXXXX)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
export LANG=$run_locale LC_ALL=$run_locale
display=$((100 + RANDOM % 800))
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"
cleanup() {
  WINEPREFIX=$WINEPREFIX "$wineserver" -k >/dev/null 2>&1
  kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# The driver is a Unicode program: its arguments arrive whole under any locale, and it prints UTF-8.
drive() {
  "$wine" "$driver" "$@" 2>"$work/driver-stderr" | tr -d '\r'
  local status=${PIPESTATUS[0]}
  grep -aE '^(no window titled|no control) ' "$work/driver-stderr" | tr -d '\r' >"$work/driver-complaint"
  return "$status"
}
screenshot() { mkdir -p "$shots" && import -window root "$shots/$1.png"; }
# The name under which the program sees a folder or file of this machine: drive C: is the prefix's
# drive_c, drive Z: the root.
windows_path() {
  local path=$1
  case "$path" in
    "$WINEPREFIX/drive_c/"*) path=${path#"$WINEPREFIX/drive_c"}; path=${path//\//\\}; echo "C:$path" ;;
    *) path=${path//\//\\}; echo "Z:$path" ;;
  esac
}
# Waits for a message box, checks its title and that its text holds the expected words, presses a button.
# The box's text stays in box_text for further checks.
answer() {  # title text-part button-id [screenshot-name]
  drive wait "$1" 20000 || fail "no box titled $1"
  local text
  text=$(drive text "$1")
  box_text=$text
  echo "   box \"$1\": $text"
  grep -qF -- "$2" <<<"$text" || fail "box $1 says \"$text\", expected \"$2\""
  [ -z "${4:-}" ] || screenshot "$4"
  drive press "$1" "$3" || fail "cannot press $3 in $1"
  drive gone "$1" 10000 || fail "box $1 did not close"
}

step "preparing the Wine prefix and the display"
"$wine" wineboot -i >/dev/null 2>&1 || fail "wineboot failed"
# Every program of the prefix in one Wine desktop, which draws the title bars as Windows would.
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
# Windows in any language links its dialog fonts to a Chinese font for characters they lack; a fresh
# Wine prefix does so only under a Chinese locale. The same links here, to the CJK font of this machine.
for font in 宋体 SimSun; do
  "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
done
for font in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI"; do
  "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$font" \
    /t REG_MULTI_SZ /d "wqy-microhei.ttc,WenQuanYi Micro Hei" /f >/dev/null 2>&1
done
"$wineserver" -k >/dev/null 2>&1; "$wineserver" -w >/dev/null 2>&1
# The programs unpacked into a folder of drive C:, the game's files written beside them.
folder=$WINEPREFIX/drive_c/$unpacked
mkdir -p "$folder" || fail "cannot make $folder"
program=$folder/Vorandel.exe cli=$folder/vorandel-cli.exe
cp "$built_program" "$program" && cp "$built_cli" "$cli" || fail "cannot copy the programs into $folder"
# The help file beside them, as in the archive (the build writes it next to Vorandel.exe).
help_file=$(dirname "$built_program")/Vorandel.rtf
[ ! -f "$help_file" ] || cp "$help_file" "$folder/" || fail "cannot copy the help file into $folder"
cd "$folder" || exit 1

# A pair made by the console program in a folder of its own: the built-in one with scenario 0's force 1
# given that 金钱.
make_pair() {  # folder-name money
  printf '剧本\t编号\t设置\t金钱\r\nx\tx\tx\t1\r\n0\t1\t1\t%s\r\n' "$2" | iconv -f UTF-8 -t GBK >"$work/$1-lord.txt"
  mkdir -p "$work/$1"
  "$wine" "$cli" generate --lord "$(windows_path "$work/$1-lord.txt")" --out "$(windows_path "$work/$1")" \
    >/dev/null 2>&1 || fail "the console program could not make the pair $1"
  cmp -s "$work/$1/sndata.s5" "$builtin/sndata.s5" && fail "the pair $1 is the built-in one"
}
if [ "$scenario" = own-pair ]; then
  step "the player's own pair in the game folder before the program starts"
  make_pair player 777777
  cp "$work/player/sndata.s5" "$work/player/taiki.s5" . || fail "cannot copy the player's pair"
fi

step "starting Vorandel.exe in $(windows_path "$folder") under $run_locale"
"$wine" "$program" >/dev/null 2>&1 &
if [ "$scenario" = own-pair ]; then
  answer 确认 与程序内置的剧本不同 6 offer-question
  answer 处理完毕 已读取文件夹 1
fi
drive wait Vorandel 60000 || fail "the main window did not open"
sleep 1
caption_is() { [ "$(drive caption Vorandel)" = "$1" ] || fail "the main window's caption is \"$(drive caption Vorandel)\", expected \"$1\""; }
# Applies a table with the batch dialog of the main window's button, offered as its default file.
batch_ok() {  # button title default-table source
  cp "$4" "$3"
  drive press Vorandel "$1" || fail "cannot press the batch button $1"
  drive wait "$2" 20000 || fail "the batch dialog $2 did not open"
  [ "$(drive item "$2" 1036)" = "$(windows_path "$folder/$3")" ] || fail "the batch dialog does not offer $3"
  drive press "$2" 1032 || fail "cannot press 开始处理"
  answer 处理完毕 已保存修改。 1
  drive gone "$2" 10000 || fail "the batch dialog did not close after the commit"
}

generate() {
  drive press Vorandel 1006 || fail "cannot press 生成新剧本"
  answer 处理完毕 已生成新的剧本。 1
}

# Runs the batch of the main window's button on the table file, expecting an error that the user
# fixes with the second file before pressing Retry.
batch_with_retry() {  # button title table broken-table fixed-table shot-prefix
  cp "$4" "$3"
  drive press Vorandel "$1" || fail "cannot press the batch button $1"
  drive wait "$2" 20000 || fail "the batch dialog $2 did not open"
  local path
  path=$(drive item "$2" 1036)
  # The default table is looked for in the program's folder, and offered with that folder.
  [ "$path" = "$(windows_path "$folder/$3")" ] || fail "the batch dialog offers \"$path\", expected \"$(windows_path "$folder/$3")\""
  [ -z "$6" ] || screenshot "$6-batch-dialog"
  drive press "$2" 1032 || fail "cannot press 开始处理"
  drive wait 错误 20000 || fail "no error box for the broken table"
  cp "$5" "$3"
  answer 错误 错误数据可能在 4 "${6:+$6-error-box}"
  answer 处理完毕 已保存修改。 1
  drive gone "$2" 10000 || fail "the batch dialog did not close after the commit"
}

case "$scenario" in
  generate-and-batch)
    screenshot main-window
    step "the main window has its close box and icon; a second start brings it to the front and ends"
    drive frame Vorandel || fail "the main window lacks its close box or its icon"
    drive minimize Vorandel || fail "cannot minimize the main window"
    timeout 60 "$wine" "$program" >/dev/null 2>&1 || fail "the second start did not end by itself"
    drive front Vorandel || fail "the second start did not bring the main window to the front"
    drive text Vorandel >/dev/null || fail "the first program is gone"

    step "生成新剧本 writes the built-in pair"
    generate
    cmp -s sndata.s5 "$builtin/sndata.s5" || fail "sndata.s5 differs from the built-in file"
    cmp -s taiki.s5 "$builtin/taiki.s5" || fail "taiki.s5 differs from the built-in file"

    step "修改势力信息: a broken table, Retry after fixing it, then generate"
    printf '剧本\t编号\t设置\t金钱\r\nx\tx\tx\t1\r\n0\t1\t1\t3000001\r\n' | iconv -f UTF-8 -t GBK >broken.txt
    printf '剧本\t编号\t设置\t金钱\r\nx\tx\tx\t1\r\n0\t1\t1\t123456\r\n' | iconv -f UTF-8 -t GBK >fixed.txt
    batch_with_retry 1004 批量修改势力信息 ruv5_lord.txt broken.txt fixed.txt force-table
    generate
    [ -f sndata.s5.bak ] && [ -f taiki.s5.bak ] || fail "the earlier files were not kept as .bak"
    mkdir -p cli-out
    "$wine" "$cli" generate --lord fixed.txt --out cli-out >/dev/null 2>&1 || fail "the console program failed"
    cmp -s sndata.s5 cli-out/sndata.s5 || fail "the batch did not reach sndata.s5 as the console program writes it"
    cmp -s sndata.s5 "$builtin/sndata.s5" && fail "sndata.s5 is unchanged after the batch"

    step "全部问题 opens at the first line of the list, nothing selected; Esc closes it"
    { printf '剧本\t编号\t设置\t金钱\r\nx\tx\tx\t1\r\n'
      for row in $(seq 1 40); do printf '0\t1\t1\t%d\r\n' $((4000000 + row)); done; } | iconv -f UTF-8 -t GBK >ruv5_lord.txt
    drive press Vorandel 1004 || fail "cannot press 修改势力信息"
    drive wait 批量修改势力信息 20000 || fail "the force batch dialog did not open"
    drive press 批量修改势力信息 1032 || fail "cannot press 开始处理"
    answer 错误 错误数据可能在 2
    drive press 批量修改势力信息 1037 || fail "cannot press 全部问题"
    drive wait 全部问题 20000 || fail "the list of all problems did not open"
    sleep 1
    screenshot problems-dialog
    read -r selected_from selected_to first_line first_left <<<"$(drive edit 全部问题 1070)"
    [ "$selected_from $selected_to $first_line" = "0 0 0" ] && [ "${first_left:--1}" -ge 0 ] ||
      fail "the list opens with \"$selected_from $selected_to\" selected at line $first_line, its start at x $first_left"
    drive frame 全部问题 || fail "the list of all problems lacks its close box or its icon"
    drive key 全部问题 esc
    drive gone 全部问题 10000 || fail "Esc did not close the list of all problems"
    drive press 批量修改势力信息 1034
    drive gone 批量修改势力信息 10000 || fail "返回 did not close the batch dialog"

    step "浏览 to a table in another folder; 生成新剧本 still writes into the program's folder"
    # The other folder has an officer table too: were the program's current folder moved there, the
    # officer batch dialog below would offer it.
    tables=$work/tables
    mkdir -p "$tables"
    printf '剧本\t编号\t设置\t金钱\r\nx\tx\tx\t1\r\n0\t1\t1\t654321\r\n' | iconv -f UTF-8 -t GBK >"$tables/ruv5_lord.txt"
    cp "$tables/ruv5_lord.txt" "$tables/ruv5_officer.txt"
    table=$(windows_path "$tables/ruv5_lord.txt")
    drive press Vorandel 1004 || fail "cannot press 修改势力信息"
    drive wait 批量修改势力信息 20000 || fail "the force batch dialog did not open"
    drive press 批量修改势力信息 1031 || fail "cannot press 浏览"
    sleep 2
    screenshot open-file-dialog
    drive choose 批量修改势力信息 "$table" || fail "cannot choose $table in the open-file dialog"
    [ "$(drive item 批量修改势力信息 1036)" = "$table" ] || fail "the chosen table is not shown in the batch dialog"
    drive press 批量修改势力信息 1032 || fail "cannot press 开始处理"
    answer 处理完毕 已保存修改。 1
    drive gone 批量修改势力信息 10000 || fail "the batch dialog did not close after the commit"
    generate
    [ "$(head -n 1 <<<"$box_text")" = 已生成新的剧本。 ] || fail "the done box does not start with 已生成新的剧本。"
    grep -qxF "剧本文件已写入：$(windows_path "$folder")" <<<"$box_text" || fail "the done box does not name $folder"
    for name in sndata.s5 taiki.s5 sndata.s5.bak taiki.s5.bak; do
      [ ! -e "$tables/$name" ] || fail "$name was written into the table's folder"
    done
    mkdir -p cli-browse
    "$wine" "$cli" generate --lord "$(windows_path "$tables/ruv5_lord.txt")" --out cli-browse >/dev/null 2>&1 ||
      fail "the console program failed"
    cmp -s sndata.s5 cli-browse/sndata.s5 || fail "the chosen table did not reach sndata.s5 of the program's folder"

    step "修改武将资料 without ruv5_officer.txt: empty path, 文件不存在！, the dialog stays; F1 opens the help, Esc closes"
    drive press Vorandel 1003 || fail "cannot press 修改武将资料"
    drive wait 批量修改武将资料 20000 || fail "the officer batch dialog did not open"
    [ -z "$(drive item 批量修改武将资料 1036)" ] || fail "a path is offered although the file is missing"
    screenshot batch-dialog
    drive press 批量修改武将资料 1032
    answer 错误 文件不存在！ 1 error-box
    drive wait 批量修改武将资料 2000 || fail "the batch dialog closed after the missing file"
    drive frame 批量修改武将资料 || fail "the batch dialog lacks its close box or its icon"
    drive key 批量修改武将资料 f1
    drive close-like Vorandel.rtf 30000 || fail "F1 did not open the help file"
    drive key 批量修改武将资料 esc
    drive gone 批量修改武将资料 10000 || fail "Esc did not close the batch dialog"

    step "放弃所有修改, then 生成新剧本 writes the pristine pair again"
    drive press Vorandel 1007
    answer 处理完毕 数据已恢复。 1
    generate
    cmp -s sndata.s5 "$builtin/sndata.s5" || fail "after 放弃所有修改 sndata.s5 is not the built-in file"

    step "地图 writes the current data's map of the chosen scenario next to the game's files"
    drive press Vorandel 1009 || fail "cannot press 地图"
    drive wait 地图 20000 || fail "the map dialog did not open"
    [ "$(drive item 地图 1061)" = 0 ] || fail "the map dialog does not offer scenario 0"
    drive frame 地图 || fail "the map dialog lacks its close box or its icon"
    screenshot map-dialog
    drive press 地图 1062 || fail "cannot press 生成地图"
    # The shell may open a browser, do nothing or say that nothing opens SVG files: the file is
    # written in every case, and a box that tells where is answered.
    for _ in $(seq 1 100); do [ -s vorandel-map-0.svg ] && break; sleep 0.2; done
    [ -s vorandel-map-0.svg ] || fail "vorandel-map-0.svg was not written"
    if drive wait 处理完毕 3000; then answer 处理完毕 vorandel-map-0.svg 1; fi
    [ "$(grep -o '<circle class="city"' vorandel-map-0.svg | wc -l)" = 47 ] || fail "the map does not show 47 cities"
    grep -qF '剧本 0：' vorandel-map-0.svg || fail "the map's title is not UTF-8 text of scenario 0"
    if command -v xmllint >/dev/null; then xmllint --noout vorandel-map-0.svg || fail "the map is not well-formed XML"; fi
    "$wine" "$cli" map --scenario 0 -o cli-map.svg >/dev/null 2>&1 || fail "the console program's map failed"
    cmp -s vorandel-map-0.svg cli-map.svg || fail "the map differs from the console program's map of the same data"
    drive press 地图 1063 || fail "cannot press 返回"
    drive gone 地图 10000 || fail "返回 did not close the map dialog"

    step "说明 opens the about box; 确定 closes it"
    drive press Vorandel 1000
    drive wait "Vorandel 1.1" 20000 || fail "the about box did not open"
    sleep 1
    screenshot about-box
    drive text "Vorandel 1.1" | grep -qF 使用前请仔细阅读帮助文件 || fail "the about box lacks its description"
    drive frame "Vorandel 1.1" || fail "the about box lacks its close box or its icon"
    drive press "Vorandel 1.1" 1042
    drive gone "Vorandel 1.1" 10000 || fail "确定 did not close the about box"
    ;;
  officer-table)
    step "修改武将资料: a broken and then a correct ruv5_officer.txt"
    # Officer 1 of the first scenario: a 武力 above 255 first, then 99.
    printf '剧本\tID\t姓名\t设置\t编号\t武力\r\nx\tx\tx\t0\tx\t1\r\n0\t1\t某人\t1\t0\t300\r\n' | iconv -f UTF-8 -t GBK >broken.txt
    printf '剧本\tID\t姓名\t设置\t编号\t武力\r\nx\tx\tx\t0\tx\t1\r\n0\t1\t某人\t1\t0\t99\r\n' | iconv -f UTF-8 -t GBK >fixed.txt
    batch_with_retry 1003 批量修改武将资料 ruv5_officer.txt broken.txt fixed.txt officer
    generate
    mkdir -p cli-out
    "$wine" "$cli" generate --officer fixed.txt --out cli-out >/dev/null 2>&1 || fail "the console program failed"
    cmp -s sndata.s5 cli-out/sndata.s5 || fail "the officer table did not reach sndata.s5 as the console program writes it"
    cmp -s sndata.s5 "$builtin/sndata.s5" && fail "sndata.s5 is unchanged after the officer table"
    ;;
  export-and-quit)
    # Exports a table with the batch dialog's button, checks it against the console program's export,
    # and applies it as it is.
    export_and_apply() {  # button title table cli-kind [shot]
      drive press Vorandel "$1" || fail "cannot press the batch button $1"
      drive wait "$2" 20000 || fail "the batch dialog $2 did not open"
      [ -z "$(drive item "$2" 1036)" ] || fail "a path is offered before anything was exported"
      drive press "$2" 1035 || fail "cannot press 导出当前数据"
      answer 处理完毕 已导出当前数据 1 "${5:+$5-export-done}"
      [ "$(drive item "$2" 1036)" = "$(windows_path "$folder/$3")" ] || fail "the exported table is not in the path box"
      [ -z "${5:-}" ] || screenshot "$5-exported-path"
      "$wine" "$cli" export "$4" -o "cli-$3" >/dev/null 2>&1 || fail "the console program's export failed"
      cmp -s "$3" "cli-$3" || fail "$3 differs from the console program's export"
      drive press "$2" 1032 || fail "cannot press 开始处理"
      answer 处理完毕 已保存修改。 1
      grep -qF 没有修改任何数据 <<<"$box_text" || fail "the unchanged table is not told as changing nothing"
      drive gone "$2" 10000 || fail "the batch dialog did not close after the commit"
      caption_is Vorandel
    }
    step "导出当前数据 of the officer and force tables, applied unchanged"
    export_and_apply 1003 批量修改武将资料 ruv5_officer.txt officer officer
    export_and_apply 1004 批量修改势力信息 ruv5_lord.txt lord
    generate
    cmp -s sndata.s5 "$builtin/sndata.s5" || fail "the unchanged tables changed sndata.s5"
    cmp -s taiki.s5 "$builtin/taiki.s5" || fail "the unchanged tables changed taiki.s5"

    step "an edited table: the done box tells that nothing is written yet, the caption shows it"
    cp ruv5_lord.txt exported-lord.txt
    printf '剧本\t编号\t设置\t金钱\r\nx\tx\tx\t1\r\n0\t1\t1\t123456\r\n' | iconv -f UTF-8 -t GBK >ruv5_lord.txt
    drive press Vorandel 1004 || fail "cannot press 修改势力信息"
    drive wait 批量修改势力信息 20000 || fail "the force batch dialog did not open"
    drive press 批量修改势力信息 1032 || fail "cannot press 开始处理"
    answer 处理完毕 修改尚未写入剧本文件 1 batch-done-pending
    [ "$(head -n 1 <<<"$box_text")" = 已保存修改。 ] || fail "the done box does not start with 已保存修改。"
    drive gone 批量修改势力信息 10000 || fail "the batch dialog did not close after the commit"
    caption_is "Vorandel *"
    screenshot main-window-pending

    step "退出 and Esc with pending changes ask; 否 keeps the program"
    drive press Vorandel 1008
    answer 确认 有修改尚未生成新剧本，确定退出吗？ 7 quit-question
    sleep 1
    drive wait Vorandel 2000 || fail "否 ended the program"
    drive key Vorandel esc
    answer 确认 有修改尚未生成新剧本，确定退出吗？ 7
    sleep 1
    drive wait Vorandel 2000 || fail "否 after Esc ended the program"

    step "放弃所有修改 asks too; 否 keeps the changes"
    drive press Vorandel 1007
    answer 确认 确定放弃所有修改吗？ 7
    caption_is "Vorandel *"

    step "生成新剧本 writes the changes and clears the mark"
    generate
    caption_is Vorandel
    mkdir -p cli-out
    "$wine" "$cli" generate --lord ruv5_lord.txt --out cli-out >/dev/null 2>&1 || fail "the console program failed"
    cmp -s sndata.s5 cli-out/sndata.s5 || fail "the edited table did not reach sndata.s5"
    ;;
  keep-and-restore)
    step "the player's own pair put into the game folder while the program runs"
    make_pair player 777777
    cp "$work/player/sndata.s5" "$work/player/taiki.s5" . || fail "cannot copy the player's pair"

    step "生成新剧本 over the player's pair asks first (否 keeps it); 是 keeps it for good"
    drive press Vorandel 1006 || fail "cannot press 生成新剧本"
    answer 确认 与这次修改的起点不同 7 keep-question
    cmp -s sndata.s5 "$work/player/sndata.s5" || fail "否 replaced the player's pair"
    drive press Vorandel 1006 || fail "cannot press 生成新剧本"
    answer 确认 Vorandel备份 6
    answer 处理完毕 已生成新的剧本。 1
    grep -qF 原有的剧本已保存到 <<<"$box_text" || fail "the done box does not say where the previous pair went"
    screenshot keep-done-box
    step "生成新剧本 twice more writes the same pair and keeps nothing new"
    generate
    grep -qF 完全相同 <<<"$box_text" || fail "the done box does not say that the folder held the same pair"
    generate
    kept=$(find Vorandel备份 -mindepth 1 -maxdepth 1 -type d | wc -l)
    [ "$kept" = 1 ] || fail "Vorandel备份 holds $kept generations, expected 1"
    cmp -s sndata.s5 "$builtin/sndata.s5" || fail "the presses did not write the built-in pair"

    step "恢复 of the first kept pair brings the player's pair back"
    drive press Vorandel 1010 || fail "cannot press 恢复"
    drive wait 恢复 20000 || fail "the restore dialog did not open"
    sleep 1
    drive frame 恢复 || fail "the restore dialog lacks its close box or its icon"
    screenshot restore-dialog
    drive select 恢复 1081 0 || fail "cannot choose the first line of the list"
    drive press 恢复 1082 || fail "cannot press 恢复 in the dialog"
    answer 处理完毕 已恢复 1 restore-done
    drive gone 恢复 10000 || fail "the restore dialog did not close"
    cmp -s sndata.s5 "$work/player/sndata.s5" || fail "sndata.s5 is not the player's file again"
    cmp -s taiki.s5 "$work/player/taiki.s5" || fail "taiki.s5 is not the player's file again"
    listed=$("$wine" "$cli" restore 2>/dev/null | tr -d '\r' | grep -c .)
    [ "$listed" = 2 ] || fail "restore lists $listed kept pairs, expected 2 (the restore kept the pair it replaced)"

    step "导出当前数据 twice after an edit: asked first, the edit stays on disk"
    drive press Vorandel 1004 || fail "cannot press 修改势力信息"
    drive wait 批量修改势力信息 20000 || fail "the force batch dialog did not open"
    drive press 批量修改势力信息 1035 || fail "cannot press 导出当前数据"
    answer 处理完毕 已导出当前数据 1
    printf '剧本\t编号\t设置\t金钱\r\nx\tx\tx\t1\r\n0\t1\t1\t555555\r\n' | iconv -f UTF-8 -t GBK >ruv5_lord.txt
    cp ruv5_lord.txt "$work/edited-lord.txt"
    drive press 批量修改势力信息 1035 || fail "cannot press 导出当前数据 again"
    answer 确认 内容与当前数据不同 7 export-question
    cmp -s ruv5_lord.txt "$work/edited-lord.txt" || fail "否 did not keep the edited table"
    drive press 批量修改势力信息 1035 || fail "cannot press 导出当前数据 a third time"
    answer 确认 内容与当前数据不同 6
    answer 处理完毕 已导出当前数据 1
    cmp -s ruv5_lord.txt.bak "$work/edited-lord.txt" || fail "the edited table is not kept as ruv5_lord.txt.bak"
    drive press 批量修改势力信息 1035 || fail "cannot press 导出当前数据 a fourth time"
    answer 处理完毕 没有改写 1
    cmp -s ruv5_lord.txt.bak "$work/edited-lord.txt" || fail "an unchanged export replaced the kept edit"
    drive press 批量修改势力信息 1034
    drive gone 批量修改势力信息 10000 || fail "返回 did not close the batch dialog"
    ;;
  what-if)
    # What the console program shows, as UTF-8 (a pipe gets its text as GBK with Windows line ends).
    shown() { "$wine" "$cli" "$@" 2>/dev/null | iconv -f GBK -t UTF-8 | tr -d '\r'; }
    gbk_table() { printf "$2" | iconv -f UTF-8 -t GBK >"$1"; }
    gbk_table city.txt '剧本\tID\t名称\t设置\t势力\r\n-\t-\t-\t32\t1\r\n0\t19\t许昌\t1\t4\r\n'
    gbk_table officer.txt '剧本\tID\t姓名\t设置\t编号\t所在地\r\n-\t-\t-\t1\t-\t1\r\n0\t434\t潘忠\t4\t127\t庐陵\r\n'
    gbk_table lord.txt '剧本\t编号\t设置\t君主\r\n-\t-\t-\t1\r\n0\t15\t1\t434\r\n'
    gbk_table new.txt '剧本\t编号\t设置\t君主\t声望\t金钱\t粮食\r\n-\t-\t-\t1\t1\t1\t1\r\n0\t1\t1\t101\t100\t5000\t20000\r\n'

    step "修改城市信息: 许昌 goes over to force 4"
    batch_ok 1005 批量修改城市信息 ruv5_city.txt city.txt
    step "修改武将资料 (row mode 4) and 修改势力信息: 潘忠 joins force 15 and becomes its ruler"
    batch_ok 1003 批量修改武将资料 ruv5_officer.txt officer.txt
    batch_ok 1004 批量修改势力信息 ruv5_lord.txt lord.txt
    step "修改势力信息: 梁恒瑜 founds force 1 in 代县"
    batch_ok 1004 批量修改势力信息 ruv5_lord.txt new.txt
    screenshot what-if-pending
    generate

    step "the generated pair validates, shows the changes and is what the console program writes"
    "$wine" "$cli" check --from . >/dev/null 2>&1 || fail "vorandel-cli check --from . refuses the generated pair"
    city=$(shown show city 许昌 --from .)
    grep -qF '所属势力：4（' <<<"$city" || fail "show city 许昌 does not show force 4 as its owner: $city"
    grep -qF '所属势力：1（梁恒瑜）' <<<"$(shown show city 代县 --from .)" || fail "show city 代县 does not show the new force"
    mkdir -p cli-out
    "$wine" "$cli" generate --city city.txt --officer officer.txt --lord lord.txt --lord new.txt --out cli-out \
      >/dev/null 2>&1 || fail "the console program failed on the example"
    cmp -s sndata.s5 cli-out/sndata.s5 || fail "sndata.s5 differs from the console program's"
    cmp -s taiki.s5 cli-out/taiki.s5 || fail "taiki.s5 differs from the console program's"
    ;;
  own-pair)
    caption_is "Vorandel - 剧本来自 $(windows_path "$folder")"
    screenshot own-pair-main-window
    step "a change on the player's pair, generated: diff against the player's pair shows only that change"
    printf '剧本\t编号\t设置\t金钱\r\nx\tx\tx\t1\r\n0\t2\t1\t4321\r\n' | iconv -f UTF-8 -t GBK >change.txt
    batch_ok 1004 批量修改势力信息 ruv5_lord.txt change.txt
    caption_is "Vorandel * - 剧本来自 $(windows_path "$folder")"
    generate
    changes=$("$wine" "$cli" diff . "$(windows_path "$work/player")" 2>/dev/null | iconv -f GBK -t UTF-8 | tr -d '\r' |
      tail -n +2)
    [ "$(grep -c . <<<"$changes")" = 1 ] || fail "diff against the player's pair lists: $changes"
    grep -qF 4321 <<<"$changes" || fail "diff against the player's pair does not show the change: $changes"

    step "another pair put into the folder: 生成新剧本 asks, 否 keeps it, 是 replaces it and keeps it"
    make_pair other 888888
    cp "$work/other/sndata.s5" "$work/other/taiki.s5" . || fail "cannot copy the other pair"
    drive press Vorandel 1006 || fail "cannot press 生成新剧本"
    answer 确认 与这次修改的起点不同 7 replace-question
    cmp -s sndata.s5 "$work/other/sndata.s5" || fail "否 replaced the pair"
    drive press Vorandel 1006 || fail "cannot press 生成新剧本"
    answer 确认 Vorandel备份 6
    answer 处理完毕 原有的剧本已保存到 1

    step "读取剧本 opens the pair chosen in the open-file dialog; the caption names its folder"
    drive press Vorandel 1011 || fail "cannot press 读取剧本"
    sleep 2
    drive choose Vorandel "$(windows_path "$work/other/sndata.s5")" || fail "cannot choose the other pair"
    answer 处理完毕 已读取文件夹 1 pair-read
    caption_is "Vorandel - 剧本来自 $(windows_path "$work/other")"
    ;;
  *) echo "unknown scenario $scenario"; exit 2 ;;
esac

step "退出 ends the program"
drive press Vorandel 1008
drive gone Vorandel 10000 || fail "退出 did not end the program"
echo "PASSED: $scenario"
