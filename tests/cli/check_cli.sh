#!/usr/bin/env bash
# The command lines: --version and --help answer without a display, an unknown option
# or a stray argument exits with code 2, and calc-script --gui hands its arguments over
# to calc-script-gui, beside it first, else in ../libexec/calculator/.
#   check_cli.sh CALC_SCRIPT VERSION [CALCULATOR]
set -u
export LC_ALL=C
script=$1 version=$2 calculator=${3:-}
tmp=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# expect CODE STDOUT STDERR COMMAND...: the exit code and both outputs, exactly (a newline ends each).
expect() {
    local code=$1 out=$2 err=$3; shift 3
    "$@" >"$tmp/out" 2>"$tmp/err"
    local rc=$?
    [ $rc = "$code" ] && printf '%b' "$out" | cmp -s - "$tmp/out" && printf '%b' "$err" | cmp -s - "$tmp/err" ||
        fail "$* exited with $rc, printed: $(cat "$tmp/out" "$tmp/err")"
}

expect 0 "calc-script $version\n" "" "$script" --version
"$script" --help 2>&1 | grep -q -x -e '  --version        print the version and exit' || fail "calc-script --help"

# A copy of calc-script, and stand-ins for calc-script-gui that print how they were started.
mkdir -p "$tmp/bin" "$tmp/libexec/calculator"
cp "$script" "$tmp/bin/calc-script"
gui=("$tmp/bin/calc-script" --gui --check 'a b.calc')
if [ -n "$calculator" ]; then  # a build with the windows makes calc-script-gui
    none="calc-script: --gui runs calc-script-gui, which is neither at $tmp/bin/calc-script-gui nor at"
    none+=" $tmp/libexec/calculator/calc-script-gui\n"
else
    none="calc-script: built without the Qt windows; --gui is not available\n"
fi
expect 2 "" "$none" "${gui[@]}"
for dir in libexec/calculator bin; do
    printf '#!/bin/sh\nprintf "%%s|" "$0" "$@"\n' >"$tmp/$dir/calc-script-gui"
    chmod +x "$tmp/$dir/calc-script-gui"
    expect 0 "$tmp/$dir/calc-script-gui|--gui|--check|a b.calc|" "" "${gui[@]}"
done
chmod -x "$tmp/bin/calc-script-gui"
expect 2 "" "calc-script: cannot start $tmp/bin/calc-script-gui: Permission denied\n" "${gui[@]}"

[ -n "$calculator" ] || exit 0
export DISPLAY= QT_QPA_PLATFORM=xcb  # the window system is out of reach
hint='\n请执行“calculator --help”查看可用的选项。\n'
expect 0 "calculator $version\n" "" "$calculator" --version
expect 0 "calculator $version\n" "" "$calculator" -v
expect 2 "" "calculator：无法识别的选项“--no-such-option”$hint" "$calculator" --no-such-option
expect 2 "" "calculator：无法识别的选项“-x”$hint" "$calculator" -x
expect 2 "" "calculator：多余的参数“stray”$hint" "$calculator" stray
expect 2 "" "calculator：Missing value after '-platform'.$hint" "$calculator" -platform
expect 0 "$(cat <<'HELP'
用法：calculator [选项]
打开计算器的标准型窗口；标准型与科学型可从“查看”菜单随时切换。

选项：
  -h, --help     显示本帮助并退出
  -v, --version  显示版本信息并退出

另可使用 Qt 的通用选项，如 -platform 名称、-style 名称、-reverse。
HELP
)\n" "" "$calculator" -platform offscreen -style Fusion -reverse -h
echo "command lines as expected"
