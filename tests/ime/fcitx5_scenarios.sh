# The scenarios of fcitx5_session.sh, sourced by it. Each starts pivraf on a
# file of its own, types through Mozc, saves and checks the bytes; the
# pictures are checked by picture_check.py.
check() { python3 "$here/picture_check.py" "$@"; }
shots=$work/shots

scenario=mark
start_app 'x\r\n'
# The menu bar's right end, where the input-method mark stands.
corner="680 0 120 30"
shot mark-off
keys ctrl+space
sleep 0.5
shot mark-on
keys ctrl+space
sleep 0.5
shot mark-off-again
[ "$(check region "$shots/mark-off.ppm" "$shots/mark-on.ppm" $corner)" = differs ] ||
  fail "$scenario: the mark did not change when Mozc was switched on with nothing typed"
[ "$(check region "$shots/mark-off.ppm" "$shots/mark-off-again.ppm" $corner)" = same ] ||
  fail "$scenario: the mark did not come back when Mozc was switched off"
pass "$scenario: the mark follows Mozc switched on and off with nothing typed"
stop_app

scenario=commit
start_app ''
keys ctrl+space
keys n i h o n g o space Return
save
[ "$(hex)" = 93fa967b8cea ] || fail "$scenario: saved $(hex), expected 93fa967b8cea (日本語)"
pass "$scenario: nihongo Space Enter saves 日本語 as 93 fa 96 7b 8c ea"
stop_app

scenario=middle
start_app 'abcdefghijklmnop\r\n'
keys ctrl+Home Right Right Right ctrl+space
shot middle-before
keys n i h o n g o
shot middle-composing
shift=$(check moved "$shots/middle-before.ppm" "$shots/middle-composing.ppm") ||
  fail "$scenario: $shift"
[ "$shift" -ge 32 ] || fail "$scenario: the text after the caret moved only $shift pixels for にほんご"
pass "$scenario: composing にほんご after abc moves defg... $shift pixels right, uncovered"
keys space Return
save
[ "$(hex)" = 61626393fa967b8cea6465666768696a6b6c6d6e6f700d0a ] || fail "$scenario: saved $(hex)"
pass "$scenario: the commit lands between abc and defg"
stop_app

scenario=clauses
start_app ''
keys ctrl+space
shot clauses-before
keys k y o u h a i i t e n k i d e s u
keys space
shot clauses-first
keys Right
shot clauses-second
first=$(check highlight "$shots/clauses-before.ppm" "$shots/clauses-first.ppm") || fail "$scenario: $first"
second=$(check highlight "$shots/clauses-before.ppm" "$shots/clauses-second.ppm") || fail "$scenario: $second"
[ "${second% *}" -gt "${first% *}" ] ||
  fail "$scenario: the focused clause did not move right with → (columns $first, then $second)"
pass "$scenario: the focused clause is highlighted (columns $first) and → moves it (columns $second)"
keys Return
save
expected=$(printf '今日はいい天気です' | iconv -t CP932 | od -An -tx1 | tr -d ' \n')
[ "$(hex)" = "$expected" ] || fail "$scenario: saved $(hex), expected $expected (今日はいい天気です)"
pass "$scenario: the sentence is saved as converted"
stop_app

scenario=reconvert
start_app '\x93\xfa\x96\x7b\x8c\xea\r\n'
keys ctrl+Home shift+End
shot reconvert-selected
keys ctrl+space Henkan_Mode
shot reconvert-open
[ "$(check region "$shots/reconvert-selected.ppm" "$shots/reconvert-open.ppm" 0 0 800 500)" = differs ] ||
  fail "$scenario: the reconvert key changed nothing"
keys space space Return
save
after=$(hex)
[ "$after" != 93fa967b8cea0d0a ] || fail "$scenario: a second candidate did not replace 日本語"
case $after in *93fa967b8cea*) fail "$scenario: 日本語 is still there beside its replacement: $after" ;; esac
case $after in *0d0a) ;; *) fail "$scenario: the line break went: $after" ;; esac
pass "$scenario: reconverting the selected 日本語 replaced it by another candidate ($after)"
keys ctrl+z
save
[ "$(hex)" = 93fa967b8cea0d0a ] || fail "$scenario: one undo gave $(hex), expected 日本語 back"
pass "$scenario: one undo brings 日本語 back"
stop_app
