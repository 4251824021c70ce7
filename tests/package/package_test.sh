#!/usr/bin/env bash
# Builds the .deb, installs it with apt, checks the installed programs and the desktop
# entry, and removes the package again. It installs into the system, so it needs root.
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: installing a package needs root"
    exit 77
fi
src=$(cd "$1" && pwd)
work=$(mktemp -d)
cleanup() {
    apt-get remove -y -qq trivant > /dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

cmake -S "$src" -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DTRIVANT_TESTS=OFF > /dev/null
cmake --build "$work/build" -j 2 --target trivant trivant-cli trivant-sim > /dev/null
(cd "$work/build" && cpack -G DEB > /dev/null)
deb=$(ls "$work"/build/trivant_*.deb)
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" > /dev/null

/usr/bin/trivant-cli --help | grep -q "Usage: trivant-cli"
/usr/bin/trivant-sim --help | grep -q "Usage: trivant-sim"
# The package and both tools carry the one version of the project.
version=$(dpkg-query -W -f='${Version}' trivant)
[ "$(/usr/bin/trivant-cli --version)" = "trivant-cli $version" ]
[ "$(/usr/bin/trivant-sim --version)" = "trivant-sim $version" ]
desktop-file-validate /usr/share/applications/trivant.desktop
test -s /usr/share/icons/hicolor/256x256/apps/trivant.png
test -s /usr/share/man/man1/trivant-cli.1
dpkg-query -W -f='${Status}\n' trivant | grep -q "install ok installed"
# Qt's own dialogs in Russian come from Qt's translations, loaded at run time.
dpkg-query -W -f='${Depends}\n' trivant | grep -q qt6-translations-l10n
echo "package installed, checked and removed: $(basename "$deb")"
