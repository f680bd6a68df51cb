#!/bin/sh
# Measures the real program on the display in $DISPLAY: its resident memory holding a
# script of N paragraphs (default 5000) and its processor use over 10 idle seconds.
#   DISPLAY=:1 bench/measure-program.sh [N]
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
n="${1:-5000}"
work="$(mktemp -d)"
trap 'kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
cp -r "$root/res" "$work/res"
mkdir "$work/user"
cp "$root/user/empty.html" "$work/user/"
python3 - "$root/../shared/testdata/screenplays/big-fish.fountain" "$n" > "$work/user/measure.html" <<'PY'
import html, sys
lines = [l.strip() for l in open(sys.argv[1], encoding="utf-8", errors="replace") if l.strip()]
kinds = ["Directorial", "Name", "Speech", "Name", "Parenthetical", "Speech", "Directorial"]
out = ['<html>\n<head>\n\t<link rel="stylesheet" href="../res/standalone.css"/>\n</head>\n<body>\n\t<div class="Page">\n'
       '\t\t<div class="Title">Measure</div>\n\t\t<div class="Subtitle">By Quillmere</div>\n\t</div>\n\t<div class="Page">\n']
for i in range(int(sys.argv[2])):
    text = html.escape(lines[i % len(lines)], quote=False)
    if i % 8 == 0:
        out.append('\t\t<div class="SceneNum">%d </div><div class="Scene">%s</div>\n' % (i // 8 + 1, text.upper()))
    else:
        out.append('\t\t<div class="%s">%s</div>\n' % (kinds[i % 7], text))
out.append('\t</div>\n</body>\n</html>')
sys.stdout.write("".join(out))
PY
cd "$work"
"$root/build/quillmere" >/dev/null 2>&1 &
pid=$!
sleep 2
xdotool mousemove 960 400 click 1 sleep 0.3 mousemove 820 550 click 1
sleep 3
xdotool mousemove 1700 700
sleep 2
rss=$(awk '/VmRSS/ {print $2, $3}' /proc/$pid/status)
ticks() { awk '{print $14 + $15}' /proc/$pid/stat; }
before=$(ticks)
sleep 10
after=$(ticks)
hz=$(getconf CLK_TCK)
echo "paragraphs: $n ($(( $(stat -c %s "$work/user/measure.html") / 1048576 )) MB)"
echo "resident memory: $rss"
echo "processor time over 10 idle seconds: $(( (after - before) * 1000 / hz )) ms"
