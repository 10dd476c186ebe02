#!/usr/bin/env bash
# The file writer's fault walk and its named cases, built for Windows with the Windows calls
# (model/SystemFilesWindows.cpp) and run under Wine.
#   run-fault-tests.sh SOURCE_DIR WORK_DIR
# GoogleTest is built from its sources with the POSIX-threads variant of mingw-w64 (the default variant
# has no std::mutex, which GoogleTest needs). Exits 77 (skipped) where Wine, that compiler or the
# GoogleTest sources are missing.
set -uo pipefail
source=$1
mkdir -p "$2" && work=$(cd "$2" && pwd)
skip() { echo "SKIPPED: $*"; exit 77; }

compiler=$(command -v x86_64-w64-mingw32-g++-posix) || skip "x86_64-w64-mingw32-g++-posix is not installed"
gtest=/usr/src/googletest/googletest
[ -f "$gtest/src/gtest-all.cc" ] || skip "the GoogleTest sources (/usr/src/googletest) are missing"
wine=$(command -v wine64 || command -v wine || { [ -x /usr/lib/wine/wine64 ] && echo /usr/lib/wine/wine64; }) ||
  skip "wine is not installed"
[ -n "$wine" ] || skip "wine is not installed"
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

mkdir -p "$work/objects"
# GoogleTest's own sources hold text that GBK cannot carry: only the project's files are built for GBK.
flags=(-std=c++20 -O1 -D__USE_MINGW_ANSI_STDIO=1 -I"$source" -I"$gtest/include" -I"$gtest")
gbk=(-finput-charset=UTF-8 -fexec-charset=GBK -Wall -Wextra -Werror)
objects=()
compile() {  # compile SOURCE OBJECT [FLAGS...]; GoogleTest once, the project's files every time
  local from=$1 to=$2
  shift 2
  if [ ! -f "$to" ] || [[ $from != "$gtest"/* ]]; then
    "$compiler" "${flags[@]}" "$@" -c "$from" -o "$to" || exit 1
  fi
  objects+=("$to")
}
compile "$gtest/src/gtest-all.cc" "$work/objects/gtest-all.o"
compile "$gtest/src/gtest_main.cc" "$work/objects/gtest_main.o"
for file in "$source"/model/*.cpp "$source"/tests/model/FaultWalkTest.cpp "$source"/tests/model/WriterCasesTest.cpp; do
  case $(basename "$file") in BuiltInData.cpp | SystemFilesPosix.cpp) continue ;; esac
  compile "$file" "$work/objects/$(basename "$file" .cpp).o" "${gbk[@]}"
done
"$compiler" -static -static-libgcc -static-libstdc++ "${objects[@]}" -o "$work/fault-tests.exe" || exit 1

export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
trap 'WINEPREFIX=$WINEPREFIX "$wineserver" -k >/dev/null 2>&1' EXIT
"$wine" "$work/fault-tests.exe"
