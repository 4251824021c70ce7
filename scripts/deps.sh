#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the tests and the demo need
# and the machine lacks. Quick when everything is there already.
set -euo pipefail

packages=(
    build-essential cmake pkg-config libfftw3-dev
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-connectivity-dev  # straps: QtBluetooth
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n  # lupdate, lrelease, their CMake; Qt's own dialogs
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth x11-apps imagemagick poppler-utils desktop-file-utils dpkg-dev
    shared-mime-info xdg-utils libglib2.0-bin  # the .rr type and gio open in the package test
    libbiosig-dev  # ECG records: EDF, BDF, GDF, WFDB
    fonts-dejavu-core clang-format
    python3-numpy python3-scipy  # the standard measures' oracle and the bench baseline
    g++-mingw-w64-x86-64-posix wine64 googletest  # make test-windows: the plain libraries under Wine
    locales  # files are checked byte for byte under ru_RU.UTF-8 too
    dbus python3-dbusmock  # a mocked BlueZ drives the strap's radio link in the tests
)

# make fuzz also needs clang's libFuzzer.
[ "${1:-}" = fuzz ] && packages+=(clang-14)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Our users run under a Russian locale; the tests check that no file depends on it.
if ! locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; then
    echo "Making the ru_RU.UTF-8 locale"
    $sudo localedef -i ru_RU -c -f UTF-8 ru_RU.UTF-8 || true
fi
