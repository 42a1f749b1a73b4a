#!/usr/bin/env bash
# Takes a screenshot of the terminal (already built in build/ or the folder in
# VP_BUILD) under Xvfb with openbox for the window frame:
#   scripts/screenshot.sh [OUTPUT.png [REQUEST...]]
# Each REQUEST (e.g. "invoke 32777") goes to the control socket before the
# shot. Without arguments it takes the README's docs/screenshot.png.
# Needs xvfb, openbox, imagemagick and python3.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${VP_BUILD:-$root/build}
output=${1:-docs/screenshot.png}
shift || true
requests=$(printf '%s\n' "$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"

cat > "$work/session.sh" <<SESSION
#!/usr/bin/env bash
set -euo pipefail
openbox >/dev/null 2>&1 &
sleep 1
cd "$work"
XDG_RUNTIME_DIR="$work/runtime" "$build/videophone" --control "$work/control" --answer yes &
terminal=\$!
sleep 6
python3 - <<'SEND'
import socket, sys, time
for line in """$requests""".split("\\n"):
    if line.strip():
        s = socket.socket(socket.AF_UNIX); s.connect("$work/control")
        s.sendall(line.encode() + b"\\n"); s.recv(65536); s.close()
        time.sleep(1)
SEND
sleep 3
import -window root "$work/screen.png"
python3 -c "import socket; s = socket.socket(socket.AF_UNIX); s.connect('$work/control'); s.sendall(b'quit\n'); s.recv(100)"
wait \$terminal
SESSION
chmod +x "$work/session.sh"
xvfb-run -a -s "-screen 0 1280x1024x24" "$work/session.sh"
mkdir -p "$(dirname "$output")"
# The window sits in the middle of the screen; keep a margin around it.
convert "$work/screen.png" -trim +repage -bordercolor black -border 16 "$output"
echo "wrote $output"
