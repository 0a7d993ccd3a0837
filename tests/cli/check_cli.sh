#!/usr/bin/env bash
# The command lines of calc-script and calculator, one row per case: exit status, stdout and stderr (glob patterns;
# a backslash is \\\\), the command; `in=` / `to=` before a row redirect stdin / stdout.   check_cli.sh SCRIPT VERSION [CALCULATOR]
set -u
export LC_ALL=C.UTF-8
script=$1 version=$2 calculator=${3:-}
tmp=$(cd "$(mktemp -d)" && pwd -P)
trap 'chmod -R u+rwx "$tmp"; rm -rf "$tmp"' EXIT
failures=0
declare -A statuses  # program -> the exit statuses its rows gave, for the manual pages' EXIT STATUS
row() {
    local code=$1 out=$2 err=$3; shift 3
    : >"$tmp/out"
    "$@" <"${in:-/dev/null}" >"${to:-$tmp/out}" 2>"$tmp/err"
    local rc=$? got_out got_err program=calc-script
    [[ -n $calculator && " $* " == *" $calculator "* ]] && program=calculator
    [ "$code" -lt 100 ] && statuses[$program]+=" $code"
    got_out=$(head -c 2000 "$tmp/out"; echo x) got_err=$(head -c 2000 "$tmp/err"; echo x)
    got_out=${got_out%x} got_err=${got_err%x}
    # shellcheck disable=SC2053  # the expectations are patterns
    if [ "$rc" != "$code" ] || [[ $got_out != $out ]] || [[ $got_err != $err ]]; then
        printf 'FAIL: %s\n  status %s (want %s)\n  stdout: %q\n  stderr: %q\n' "$*" "$rc" "$code" "$got_out" "$got_err"
        failures=$((failures + 1))
    fi
}
nl=$'\n'
hint="${nl}Try 'calc-script --help' for more information.$nl"
printf 'press 1 + 2 =\nexpect display 3\n' >"$tmp/ok.calc"
cp "$tmp/ok.calc" "$tmp/-x.calc"
mkdir "$tmp/dir"
: >"$tmp/empty.calc"
printf '# only a comment\n\n' >"$tmp/comment.calc"
cp "$tmp/ok.calc" "$tmp/locked.calc" && chmod 000 "$tmp/locked.calc"
{ printf '\177ELF\2\1\1'; head -c 200 /dev/zero; } >"$tmp/elf"  # the start of a program file
{ printf 'press '; head -c 1000000 /dev/zero | tr '\0' 'x'; printf '\n'; } >"$tmp/huge.calc"  # within the bound
printf 'press 1\nbogus\x01\nshow\n' >"$tmp/session"
printf '\357\273\277  press 1 + 2 = \t\r\n\t expect display 3 \r\n \r\n' >"$tmp/editor.calc"  # BOM, indents, CRLF
# Escaped messages (ESC, U+202E, U+2003), then pasted \r and \u{...}, an unknown escape.
printf 'press \033[1m\342\200\256\n\342\200\203\nwindow scientific\npaste 1\\r+\\u{ff12}=\nexpect display 3\npaste 1\\q\n' \
    >"$tmp/odd"
state1="display: 1${nl}memory: ${nl}paren: ${nl}inv: ${nl}hyp: ${nl}locked: no${nl}tokens: $nl"

# calc-script: options
for v in --version -v; do row 0 "calc-script $version$nl" "" "$script" $v; done
row 0 "usage: calc-script [[]--gui] --check FILE...$nl       calc-script [[]--gui]$nl       calc-script --record ACTIONS$nl*Exit status: 0*" "" "$script" --help
row 2 "" "calc-script: unknown option '--bogus'$hint" "$script" --bogus
row 2 "" "calc-script: --check needs at least one file$hint" "$script" --check
row 2 "" "calc-script: --record needs a file of actions$hint" "$script" --record
row 2 "" "calc-script: 'ok.calc': files are run with --check$hint" "$script" ok.calc
row 2 "" "calc-script: --record runs alone, without --check or --gui$hint" "$script" --record x --check y
row 2 "" "calc-script: unknown option '-check'$hint" "$script" -check x
row 2 "" "calc-script: -platform chooses how the windows open: it goes with --gui$hint" "$script" -platform xcb
# calc-script: nothing unchecked passes; the reason is strerror's
row 0 "PASS $tmp/-x.calc${nl}1 passed, 0 failed$nl" "" "$script" --check -- "$tmp/-x.calc"
in=$tmp/ok.calc row 0 "PASS -${nl}1 passed, 0 failed$nl" "" "$script" --check -
row 2 "0 passed, 1 failed$nl" "calc-script: $tmp/dir: Is a directory$nl" "$script" --check "$tmp/dir"
row 2 "0 passed, 1 failed$nl" "calc-script: $tmp/none: No such file or directory$nl" "$script" --check "$tmp/none"
row 2 "0 passed, 1 failed$nl" "calc-script: $tmp/empty.calc: holds no command$nl" "$script" --check "$tmp/empty.calc"
row 2 "PASS $tmp/ok.calc${nl}1 passed, 1 failed$nl" "calc-script: $tmp/comment.calc: holds no command$nl" \
    "$script" --check "$tmp/ok.calc" "$tmp/comment.calc"
if [ "$(id -u)" != 0 ]; then
    row 2 "0 passed, 1 failed$nl" "calc-script: $tmp/locked.calc: Permission denied$nl" "$script" --check "$tmp/locked.calc"
else
    echo "skipped: the unreadable file (root reads every file)"
fi
row 2 "" "calc-script: $tmp/dir: Is a directory$nl" "$script" --record "$tmp/dir"
row 2 "*" "calc-script: $tmp/empty.calc: holds no action$nl" "$script" --record "$tmp/empty.calc"
row 1 "*" "calc-script: $tmp/session:2: malformed line: unknown command \"bogus\\\\x01\"$nl" "$script" --record "$tmp/session"
to=/dev/full row 2 "" "calc-script: cannot write to standard output: No space left on device$nl" \
    "$script" --check "$tmp/ok.calc"
# calc-script: messages quote escaped, cut excerpts (the ELF header, 50 MB of one caption)
row 1 "FAIL $tmp/elf:1: malformed line: unknown command \"\\\\x7fELF\\\\x02\\\\x01\\\\x01\\\\x00*…\"${nl}0 passed, 1 failed$nl" "" \
    "$script" --check "$tmp/elf"
row 1 "FAIL $tmp/huge.calc:1: unknown caption \"$(printf 'x%.0s' {1..80})…\" in the standard window${nl}0 passed, 1 failed$nl" \
    "" "$script" --check "$tmp/huge.calc"
row 0 "PASS $tmp/editor.calc${nl}1 passed, 0 failed$nl" "" "$script" --check "$tmp/editor.calc"
peak=() && [ -x /usr/bin/time ] && peak=(/usr/bin/time -f %M -o "$tmp/peak")  # kB; endless input stops at its bound
row 2 "0 passed, 1 failed$nl" "calc-script: /dev/zero:1: line longer than 1 MiB (paste data: 256 MiB); nothing more is read$nl" \
    timeout 60 "${peak[@]}" "$script" --check /dev/zero
[ -z "${peak[*]}" ] || [ "$(tail -n1 "$tmp/peak")" -lt 600000 ] || { echo "FAIL: peak $(tail -n1 "$tmp/peak") kB"; failures=$((failures + 1)); }
e="calc-script: line"
in=$tmp/odd row 1 "*" "$e 1: unknown caption \"\\\\x1b[[]1m\\\\u202e\" in the standard window$nl$e 2: malformed line: blank command \"\\\\u2003\"$nl$e 6: malformed line: unknown escape \"\\\\q\"*" "$script"
# calc-script under an address-space limit: 2000000! and its `show` work or end in 内存不足, and the state lives on.
printf 'window scientific\npress 5 MS C 2 0 0 0 0 0 0 n!\nshow\npress C 2 + 3 =\nexpect display 5\nexpect memory M\n' >"$tmp/big.calc"
# (A sanitizer build cannot start under such a limit: it reserves its shadow memory first.)
if prlimit --as=$((60 << 20)) "$script" --version >/dev/null 2>&1; then
    for mib in 60 200; do to=/dev/null row 0 "" "" prlimit --as=$((mib << 20)) "$script" --check "$tmp/big.calc"; done
else echo "skipped: the address-space limit rows (this build cannot start under one)"; fi
# calc-script: interactive errors on standard error, the final status, `show` once
in=/ row 2 "" "calc-script: -: Is a directory$nl" "$script"
in=$tmp/session row 1 "$state1$state1$state1" "calc-script: line 2: malformed line: unknown command \"bogus\\\\x01\"$nl" \
    "$script"

# calc-script --gui hands its arguments over to calc-script-gui, beside it first, else in ../libexec/calculator/.
mkdir -p "$tmp/bin" "$tmp/libexec/calculator"
cp "$script" "$tmp/bin/calc-script"
gui=("$tmp/bin/calc-script" --gui --check 'a b.calc')
if [ -n "$calculator" ]; then
    row 2 "" "calc-script: --gui runs calc-script-gui, which is neither at $tmp/bin/calc-script-gui nor at $tmp/libexec/calculator/calc-script-gui$nl" "${gui[@]}"
else
    row 2 "" "calc-script: built without the Qt windows; --gui is not available$nl" "${gui[@]}"
fi
for dir in libexec/calculator bin; do
    printf '#!/bin/sh\nprintf "%%s|" "$0" "$@"\n' >"$tmp/$dir/calc-script-gui"
    chmod +x "$tmp/$dir/calc-script-gui"
    row 0 "$tmp/$dir/calc-script-gui|--gui|--check|a b.calc|" "" "${gui[@]}"
done
chmod -x "$tmp/bin/calc-script-gui"
row 2 "" "calc-script: cannot start $tmp/bin/calc-script-gui: Permission denied$nl" "${gui[@]}"

if [ -n "$calculator" ]; then
    row 0 "PASS $tmp/ok.calc${nl}1 passed, 0 failed$nl" "*" "$script" --gui -platform offscreen --check "$tmp/ok.calc"
    # --gui with no display runs offscreen; a chosen platform without its display is refused.
    row 0 "PASS $tmp/ok.calc${nl}1 passed, 0 failed$nl" "*" \
        env -u QT_QPA_PLATFORM DISPLAY= WAYLAND_DISPLAY= XDG_SESSION_TYPE= "$script" --gui --check "$tmp/ok.calc"
    row 2 "" "calc-script: --gui: no display to open the windows on; tried X (DISPLAY not set)$nl" \
        env DISPLAY= QT_QPA_PLATFORM=xcb "$script" --gui --check "$tmp/ok.calc"
    # A display named but not answering (nothing listening, no such host, a dead Wayland socket): a word, no abort.
    : >"$tmp/dead-socket"
    for e in DISPLAY=:87 DISPLAY=nohost.invalid:0 "DISPLAY= XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=$tmp/dead-socket"; do
        # shellcheck disable=SC2086  # the variables of the environment
        row 2 "" "calc-script: --gui: no display to open the windows on; tried ?* (*)$nl" \
            env -u QT_QPA_PLATFORM $e "$script" --gui --check "$tmp/ok.calc"
        # shellcheck disable=SC2086
        row 1 "" "calculator：找不到可用的图形显示，无法打开窗口。已尝试：?* (*)$nl" env -u QT_QPA_PLATFORM $e "$calculator"
    done
    # No XDG_RUNTIME_DIR, or one others may enter: a private one instead, and no word from Qt about it.
    mkdir -m 755 "$tmp/open"
    for e in "-u XDG_RUNTIME_DIR" "XDG_RUNTIME_DIR=$tmp/open"; do
        # shellcheck disable=SC2086
        row 124 "" "" env $e QT_QPA_PLATFORM=offscreen timeout 2 "$calculator"
    done
    # calculator: Chinese messages naming the option; no display is said before Qt would abort.
    zh="${nl}请执行“calculator --help”查看可用的选项。$nl"
    export DISPLAY= WAYLAND_DISPLAY= QT_QPA_PLATFORM=
    for v in --version -v; do row 0 "calculator $version$nl" "" "$calculator" $v; done
    row 0 "用法：calculator \[选项\]${nl}*另可使用 Qt 的通用选项*" "" "$calculator" -platform offscreen -style Fusion -reverse -h
    row 2 "" "calculator：无法识别的选项“--no-such-option”$zh" "$calculator" --no-such-option
    row 2 "" "calculator：无法识别的选项“-x”$zh" "$calculator" -x
    row 2 "" "calculator：无法识别的选项“-xyz”$zh" "$calculator" -xyz=1
    for v in --help --version; do
        to=/dev/full row 2 "" "calculator：无法写入标准输出：No space left on device$nl" "$calculator" $v
    done
    row 1 "" "" grep -aqE 'example\.(org|com|net)' "$calculator"  # no made-up address in the program
    row 2 "" "calculator：多余的参数“stray”$zh" "$calculator" stray
    row 2 "" "calculator：选项“-platform”缺少参数$zh" "$calculator" -platform
    row 2 "" "calculator：选项“--help”不接受参数$zh" "$calculator" --help=x
    row 1 "" "calculator：找不到可用的图形显示*" "$calculator"
    if ls /usr/lib/*/qt6/plugins/platforms/libqwayland* >/dev/null 2>&1; then  # a Wayland display with no socket
        row 1 "" "calculator：找不到可用的图形显示*" env WAYLAND_DISPLAY="$tmp/none" XDG_SESSION_TYPE=wayland "$calculator"
    else  # a Wayland socket, but no plugin (qt6-wayland) to use it
        : >"$tmp/wayland-0"
        row 1 "" "calculator：找不到可用的图形显示*" env XDG_RUNTIME_DIR="$tmp" XDG_SESSION_TYPE=wayland "$calculator"
    fi
fi
# The EXIT STATUS section of each manual page lists exactly the statuses its program gave above.
for program in "${!statuses[@]}"; do
    listed=$(awk '/^\.SH/ { on = $0 == ".SH EXIT STATUS" } on && /^\.B [0-9]+$/ { print $2 }' \
        "${0%/*}/../../docs/man/$program.1.in" | sort -u)
    gave=$(tr ' ' '\n' <<<"${statuses[$program]}" | sed '/^$/d' | sort -u)
    if [ "$listed" != "$gave" ]; then
        echo "FAIL: $program.1 EXIT STATUS lists" $listed "but the program gave" $gave
        failures=$((failures + 1))
    fi
done
[ "$failures" -eq 0 ] && echo "command lines as expected"
exit $((failures > 0))
