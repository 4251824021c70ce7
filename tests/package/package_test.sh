#!/usr/bin/env bash
# Builds the .deb, installs it with apt, checks the installed programs, the desktop entry and
# the .rr file type, opens recordings with gio under Xvfb (handed to the running Trivant when
# one runs), and removes the package again. It installs into the system, so it needs root.
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: installing a package needs root"
    exit 77
fi
src=$(cd "$1" && pwd)
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    for pid in $(our_trivants); do kill "$pid" 2> /dev/null || true; done
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null || true
    apt-get remove -y -qq trivant > /dev/null 2>&1 || true
    rm -rf "$work"
}
# The Trivants of this test: their environment names its scratch home.
our_trivants() {
    for pid in $(pgrep -x trivant || true); do
        { tr '\0' '\n' < "/proc/$pid/environ"; } 2> /dev/null | grep -qx "HOME=$work/home" &&
            echo "$pid"
    done
    return 0
}
# Waits up to 30 s for a command to succeed.
wait_for() {
    for _ in $(seq 300); do "$@" && return 0; sleep 0.1; done
    echo "timed out: $*" >&2
    return 1
}
trap cleanup EXIT

cmake -S "$src" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DTRIVANT_TESTS=OFF > /dev/null
cmake --build "$work/build" -j 2 --target trivant trivant-cli trivant-sim > /dev/null
(cd "$work/build" && cpack -G DEB > /dev/null)
deb=$(ls "$work"/build/trivant_*.deb)
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" > /dev/null

# grep reads the whole help: with -q it would stop early and the tool could die of SIGPIPE.
/usr/bin/trivant-cli --help | grep "Usage: trivant-cli" > /dev/null
/usr/bin/trivant-sim --help | grep "Usage: trivant-sim" > /dev/null
# The package and both tools carry the one version of the project.
version=$(dpkg-query -W -f='${Version}' trivant)
[ "$(/usr/bin/trivant-cli --version)" = "trivant-cli $version" ]
[ "$(/usr/bin/trivant-sim --version)" = "trivant-sim $version" ]
desktop-file-validate /usr/share/applications/trivant.desktop
test -s /usr/share/icons/hicolor/256x256/apps/trivant.png
test -s /usr/share/man/man1/trivant-cli.1
test -s /usr/share/man/man1/trivant.1
# The completion loads in bash and offers the commands.
for tool in trivant-cli trivant-sim; do
    bash -c "source /usr/share/bash-completion/completions/$tool && complete -p $tool" > /dev/null
done
dpkg-query -W -f='${Status}\n' trivant | grep -q "install ok installed"
# Debian's machine-readable copyright, naming Trivant's licence.
head -n 1 /usr/share/doc/trivant/copyright | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/'
grep -q '^License: GPL-3+' /usr/share/doc/trivant/copyright
# Qt's own dialogs in Russian come from Qt's translations, loaded at run time.
dpkg-query -W -f='${Depends}\n' trivant | grep -q qt6-translations-l10n

# The .rr type, and Trivant as its application (the dpkg triggers updated both databases).
grep -q 'type="application/x-trivant-recording"' /usr/share/mime/packages/trivant.xml
grep -qx 'MimeType=application/x-trivant-recording;' /usr/share/applications/trivant.desktop
for i in $(seq 300); do echo $((760 + i % 80)); done > "$work/ms.txt"
for name in a b c; do trivant-cli import-ms "$work/ms.txt" "$work/$name.rr"; done
[ "$(XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "$work/a.rr")" = application/x-trivant-recording ]
[ "$(xdg-mime query default application/x-trivant-recording)" = trivant.desktop ]

# A scratch session: its own home, folders and display.
mkdir -p "$work/home" "$work/start"
mkdir -m 700 "$work/run"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_RUNTIME_DIR=$work/run
unset XDG_DOCUMENTS_DIR XDG_CURRENT_DESKTOP DBUS_SESSION_BUS_ADDRESS
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -nolisten tcp > /dev/null 2>&1 &
xvfb_pid=$!
wait_for test -e "/tmp/.X11-unix/X$display"
export DISPLAY=":$display"
recent=$XDG_CONFIG_HOME/trivant/recent-files
top_is() { [ "$(head -n 1 "$recent" 2> /dev/null)" = "$1" ]; }
only() { [ "$(our_trivants)" = "$1" ]; }

# Started in a folder: the settings' folder there. A file opened with gio, and one named
# relative to another folder on a second start, open in that first Trivant; the later
# starts end with 0.
(cd "$work/start" && exec /usr/bin/trivant > "$work/first.log" 2>&1) &
first=$!
wait_for test -S "$XDG_RUNTIME_DIR/trivant-$(id -u).socket"
wait_for test -d "$work/start/Data"
gio open "$work/a.rr"
wait_for top_is "$work/a.rr"
(cd "$work" && /usr/bin/trivant b.rr)
top_is "$work/b.rr"
wait_for only "$first"
kill "$first"
wait "$first" || true

# Started through gio with nobody running: the menu's folders, in the scratch home.
gio open "$work/c.rr"
wait_for top_is "$work/c.rr"
test -d "$HOME/.config/trivant"
test -d "$HOME/Documents/Trivant"
[ -z "$(find "$HOME" -maxdepth 1 -type f)" ]  # nothing straight into the home folder
for pid in $(our_trivants); do kill "$pid"; done
echo "package installed, checked and removed: $(basename "$deb")"
