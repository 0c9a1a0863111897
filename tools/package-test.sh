#!/usr/bin/env bash
# Builds the Debian package of Vesk, checks it with lintian, installs it on
# this machine, starts the installed program as an ordinary user and as root,
# and removes it again (also when a check fails). Needs root for apt-get.
#
#   tools/package-test.sh                      # builds in build/package
#   VESK_BUILD_DIR=build/ci tools/package-test.sh   # reuses a release build
#
# Exit status 0 when every check passed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

fail() { echo "package-test: $*" >&2; exit 1; }

[ "$(id -u)" -eq 0 ] || fail "needs root: it installs and removes the package with apt-get"
tools/install-deps.sh
if dpkg-query -W -f='${Status}' vesk 2>/dev/null | grep -q "install ok installed"; then
  fail "a package vesk is already installed on this machine; this test would remove it"
fi

build="${VESK_BUILD_DIR:-build/package}"
options="${VESK_CMAKE_OPTIONS:-}"
# A folder of its own needs only the program; a given one is built as it is.
[ -n "${VESK_BUILD_DIR:-}" ] || options="$options -DVESK_BUILD_TESTS=OFF"
# shellcheck disable=SC2086
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release $options >/dev/null
cmake --build "$build" -j"$(nproc)"
out="$root/$build/deb"
rm -rf "$out"
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
debs=("$out"/vesk_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single vesk_*.deb in $out"
deb="${debs[0]}"
echo "== $(basename "$deb")"
dpkg-deb --field "$deb" Package Version Architecture Depends Recommends

work=$(mktemp -d /tmp/vesk-package-test.XXXXXX)
installed=0
cleanup() {
  status=$?
  if [ "$installed" -eq 1 ]; then
    echo "== removing the package"
    DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq -o DPkg::Lock::Timeout=300 vesk >/dev/null ||
      { echo "package-test: apt-get remove failed" >&2; status=1; }
  fi
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT

echo "== lintian"
# Errors fail the test; warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"

echo "== contents"
dpkg-deb -x "$deb" "$work/tree"
expected=(usr/bin/vesk usr/share/vesk/vesk-data.lst usr/share/vesk/deutsch.lng usr/share/vesk/Hilfe/index.htm
  usr/share/applications/org.vesk.Vesk.desktop usr/share/metainfo/org.vesk.Vesk.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/vesk.svg usr/share/man/man1/vesk.1.gz
  usr/share/doc/vesk/copyright usr/share/doc/vesk/changelog.gz)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/vesk.png")
done
for f in "${expected[@]}"; do
  [ -f "$work/tree/$f" ] || fail "the package lacks /$f"
done
# Every data file the program seeds a user's folder from is in the package.
while IFS= read -r f; do
  [ -z "$f" ] || [ -f "$work/tree/usr/share/vesk/$f" ] || fail "vesk-data.lst names $f, which the package lacks"
done < "$work/tree/usr/share/vesk/vesk-data.lst"
for size in 16 22 24 32 48 64 128 256; do
  file "$work/tree/usr/share/icons/hicolor/${size}x${size}/apps/vesk.png" | grep -q "PNG image data, $size x $size," ||
    fail "the ${size}x${size} icon is no PNG of that size"
done
desktop-file-validate "$work/tree/usr/share/applications/org.vesk.Vesk.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$work/tree/usr/share/metainfo/org.vesk.Vesk.metainfo.xml" || fail "appstreamcli validate"
man --warnings -E UTF-8 -l -Tutf8 -Z "$work/tree/usr/share/man/man1/vesk.1.gz" >/dev/null 2>"$work/man.err"
[ ! -s "$work/man.err" ] || fail "man warns about vesk.1: $(cat "$work/man.err")"

echo "== installing"
installed=1
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=300 "$deb" >/dev/null ||
  fail "apt-get install $deb failed"
dpkg -L vesk | sort > "$work/files"
[ -x /usr/bin/vesk ] || fail "/usr/bin/vesk is not installed"
find /usr/share/vesk | sort > "$work/shipped-before"

# Runs a command as the given user id in a fresh home, with only the
# environment a desktop session would give it (no XDG_DATA_HOME, no VESK_FOLDER).
as_user() {
  local uid=$1 home=$2; shift 2
  setpriv --reuid="$uid" --regid="$uid" --clear-groups \
    env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen "$@"
}
run_vesk() {
  local uid=$1 home=$2; shift 2
  as_user "$uid" "$home" /usr/bin/vesk "$@"
}

check_user() {
  local user=$1 home="$work/home-$1"
  mkdir -p "$home"
  chown "$user:$user" "$home"
  chmod 755 "$work"
  echo "== running as user id $user"
  version=$(run_vesk "$user" "$home" --version) || fail "vesk --version failed as $user"
  [ "$version" = "$(dpkg-deb --field "$deb" Version | sed 's/^/Vesk /')" ] ||
    fail "vesk --version says '$version', the package is $(dpkg-deb --field "$deb" Version)"
  run_vesk "$user" "$home" --screenshot "$home/window.png" || fail "vesk --screenshot failed as $user"
  file "$home/window.png" | grep -q "PNG image data" || fail "the screenshot of $user is no PNG"
  local folder="$home/.local/share/vesk"
  while IFS= read -r f; do
    [ -z "$f" ] || [ -f "$folder/$f" ] || fail "the program folder of $user lacks $f"
  done < /usr/share/vesk/vesk-data.lst
  [ -f "$folder/Vesk.ini" ] || fail "the program folder of $user holds no Vesk.ini"
  # The copies are the user's to edit.
  as_user "$user" "$home" test -w "$folder/deutsch.lng" || fail "user $user cannot edit the copied deutsch.lng"
}

check_user 65534  # nobody
check_user 0

# Neither run wrote beside the installed program.
find /usr/share/vesk | sort > "$work/shipped-after"
diff "$work/shipped-before" "$work/shipped-after" || fail "the program wrote into /usr/share/vesk"
[ ! -e /usr/bin/Vesk.ini ] || fail "the program wrote Vesk.ini beside /usr/bin/vesk"
man -w vesk >/dev/null || fail "man does not find vesk(1)"

echo "== removing"
DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq -o DPkg::Lock::Timeout=300 vesk >/dev/null ||
  fail "apt-get remove --purge vesk failed"
installed=0
left=()
while IFS= read -r f; do
  # Shared folders (/usr/bin, /usr/share/icons/...) stay; files and our own folders go.
  if [ -e "$f" ] && { [ ! -d "$f" ] || [ "$f" = /usr/share/vesk ] || [ "$f" = /usr/share/doc/vesk ]; }; then
    left+=("$f")
  fi
done < "$work/files"
[ ${#left[@]} -eq 0 ] || fail "left behind after removal: ${left[*]}"
echo "package-test: $(basename "$deb") builds, passes lintian, installs, starts and uninstalls cleanly"
