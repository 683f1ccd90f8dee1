#!/usr/bin/env bash
# Builds the Debian package (cpack -G DEB) from a build folder and checks it: its control
# fields, the files it ships (unpacked with dpkg -x), desktop-file-validate, appstreamcli,
# lintian (errors fail, warnings are shown), then a real install with apt-get, after which
# the desktop must hand a *.klt file to the installed entry for a fresh user and the
# installed window must leave that entry in charge.
#
#   scripts/package-check.sh [BUILD_FOLDER]   default build/ (configured when missing,
#                                             without tests and benchmarks)
#
# Needs root or sudo for apt-get. The package is removed again at the end unless it was
# installed before. Ends with "package-check: N passed, N failed"; any failure fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)

scripts/install-deps.sh
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOLT_BUILD_TESTS=OFF \
    -DKOLT_BUILD_BENCH=OFF -DKOLT_WARNINGS_AS_ERRORS="${KOLT_WARNINGS_AS_ERRORS:-OFF}"
fi
# A package of section games has its programs in /usr/games. Only the install rules
# change: nothing is compiled again.
cmake -S . -B "$build" -DKOLT_INSTALL_BINDIR=games >/dev/null
cmake --build "$build" --parallel "$(nproc)"
rm -f "$build"/kolt-helper_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/kolt-helper_*.deb)
deb="$(realpath "${debs[0]}")"
echo "package: $deb"

work="$(mktemp -d)"
# Whatever the tools below leave in the temporary folder goes with the work folder.
mkdir "$work/tmp"
export TMPDIR="$work/tmp"
installed_before=no
dpkg-query -W -f='${Status}' kolt-helper 2>/dev/null | grep -q "install ok installed" && installed_before=yes
cleanup() {
  if [ "$installed_before" = no ] && dpkg-query -W -f='${Status}' kolt-helper 2>/dev/null | grep -q "ok installed"; then
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get remove -y -qq kolt-helper >/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0
check() {
  local what="$1"
  shift
  if "$@"; then
    passed=$((passed + 1))
    echo "ok: $what"
  else
    failed=$((failed + 1))
    echo "FAILED: $what"
  fi
}
field() { dpkg-deb -f "$deb" "$1"; }
has() { grep -q -- "$2" <<<"$1"; }

# Control fields.
check "section games" test "$(field Section)" = games
check "maintainer" test -n "$(field Maintainer)"
check "description" has "$(field Description)" "play-by-e-mail"
check "libraries found by dpkg-shlibdeps" has "$(field Depends)" "libqt6widgets6"
check "the SVG icon engine" has "$(field Depends)" "libqt6svg6"
check "recommends wine, unar, xdg-utils, qt6-translations-l10n" test "$(field Recommends)" = "wine, unar, xdg-utils, qt6-translations-l10n"
check "no maintainer scripts (dpkg triggers refresh the caches)" \
  bash -c '! dpkg-deb -I "$1" | grep -Eq " (postinst|postrm|preinst|prerm) "' _ "$deb"

# Files, unpacked.
root="$work/root"
dpkg -x "$deb" "$root"
share="$root/usr/share"
desktop="$share/applications/kolt-helper.desktop"
metainfo="$share/metainfo/io.github.kolthelper.KoltHelper.metainfo.xml"
for f in usr/games/kolt-helper usr/games/kolt-cli; do
  check "$f is a stripped executable" bash -c 'test -x "$1" && file -b "$1" | grep -q ", stripped"' _ "$root/$f"
done
check "desktop entry" grep -qx "Exec=kolt-helper %f" "$desktop"
check "desktop entry's MIME type" grep -qx "MimeType=application/x-kolt-turn;" "$desktop"
check "desktop entry's categories" grep -qx "Categories=Game;StrategyGame;" "$desktop"
check "MIME type of *.klt" grep -q '<glob pattern="\*.klt"' "$share/mime/packages/kolt-helper.xml"
check "MIME type is a ZIP archive" grep -q '<sub-class-of type="application/zip"/>' "$share/mime/packages/kolt-helper.xml"
check "scalable icon" test -s "$share/icons/hicolor/scalable/apps/kolt-helper.svg"
for size in 16 32 48 64 128 256; do
  check "${size}x${size} icon" bash -c 'file -b "$1" | grep -q "PNG image data, $2 x $2,"' _ \
    "$share/icons/hicolor/${size}x${size}/apps/kolt-helper.png" "$size"
done
check "AppStream metadata" test -s "$metainfo"
check "copyright" test -s "$share/doc/kolt-helper/copyright"
check "user guide" grep -q "<h2 id=\"sending-mail\">" "$share/doc/kolt-helper/user-guide.html"
check "desktop-file-validate" desktop-file-validate "$desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$metainfo"
check "appstreamcli validate-tree" appstreamcli validate-tree --no-net "$root"

# lintian: errors fail; warnings and the rest are shown.
lintian_out="$work/lintian.txt"
lintian --tag-display-limit 0 --display-info "$deb" >"$lintian_out" 2>&1 || true
sed 's/^/  lintian: /' "$lintian_out"
check "lintian finds no errors" bash -c '! grep -q "^E: " "$1"' _ "$lintian_out"

# A real install: apt-get resolves the dependencies, dpkg's triggers refresh the caches.
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "$deb"
check "installed" bash -c 'dpkg-query -W -f="\${Status}" kolt-helper | grep -q "install ok installed"'
check "the MIME database knows the type" test -f /usr/share/mime/application/x-kolt-turn.xml
check "the desktop's MIME cache names the entry" \
  grep -q "^application/x-kolt-turn=.*kolt-helper.desktop" /usr/share/applications/mimeinfo.cache
check "kolt-cli runs" bash -c '/usr/games/kolt-cli --help >/dev/null'

# A fresh user on this machine.
user="$work/user"
mkdir -p "$user"
mkdir -m 700 "$work/runtime"
as_user() {
  env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u KOLT_HOME HOME="$user" XDG_RUNTIME_DIR="$work/runtime" \
    XDG_DATA_DIRS=/usr/local/share:/usr/share "$@"
}
printf 'PK\005\006%018d' 0 | tr 0 '\0' >"$work/KOLT.KLT"
check "a received KOLT.KLT is of the type" \
  bash -c 'gio info -a standard::content-type "$1" | grep -q "application/x-kolt-turn"' _ "$work/KOLT.KLT"
check "xdg-mime names the installed entry" \
  test "$(as_user xdg-mime query default application/x-kolt-turn)" = kolt-helper.desktop
# The installed window, started once without a file, registers nothing of its own. Its
# registration is done when mimeapps.list appears; then the window is ended.
# exec: the window itself is the background job, so that ending the job ends the window.
(exec env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u KOLT_HOME HOME="$user" XDG_RUNTIME_DIR="$work/runtime" \
  XDG_DATA_DIRS=/usr/local/share:/usr/share QT_QPA_PLATFORM=offscreen /usr/games/kolt-helper >"$work/run.txt" 2>&1) &
window=$!
for _ in $(seq 150); do
  [ -s "$user/.config/mimeapps.list" ] && break
  sleep 0.2
done
sleep 0.5
kill "$window" 2>/dev/null || true
wait "$window" 2>/dev/null || true
check "the installed window wrote no user-level desktop entry" \
  test ! -e "$user/.local/share/applications/kolt-helper.desktop"
check "the installed window wrote no user-level MIME type" test ! -e "$user/.local/share/mime/packages/kolt-helper.xml"
check "the installed window made the installed entry the default" \
  grep -qx "application/x-kolt-turn=kolt-helper.desktop" "$user/.config/mimeapps.list"
check "xdg-mime still names the installed entry" \
  test "$(as_user xdg-mime query default application/x-kolt-turn)" = kolt-helper.desktop

echo "package-check: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
