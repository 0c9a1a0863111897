#!/usr/bin/env bash
# Installs the Debian 12 packages Vesk needs to build, test and run.
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config python3
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg62-turbo-dev libgif-dev
  libxlsxwriter-dev       # the contest results as an .xlsx workbook
  qt6-translations-l10n   # Qt's own buttons and file dialogs in German
  python3-openpyxl        # the tests read that workbook back with an independent reader
  fonts-dejavu-core
  hamradio-files tzdata   # cty.dat and tzdata.zi for tools/dxcc/make_dxcc.py; tzdata also for the tests
  qt6-multimedia-dev libqt6multimedia6 libpulse0   # the CW output's sound card (QAudioSink over PulseAudio)
  pulseaudio pulseaudio-utils                       # the audio server and parec for the CW playback test
  libhamlib-utils         # rigctld and rigctl: the rig link talks to rigctld, its tests start the dummy rig
  desktop-file-utils appstream man-db   # the menu entry, the AppStream file and the man page are checked by tests
  dpkg-dev file lintian   # tools/package-test.sh: cpack -G DEB (dpkg-shlibdeps) and the package check
  librsvg2-bin            # tools/icons/make-icons.sh renders the icon's PNG sizes
  clang libclang-rt-14-dev   # the fuzz targets (fuzz/run.sh): clang with libFuzzer and the sanitizers
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Bitte als root ausführen oder sudo installieren: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
echo "Installiere: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
