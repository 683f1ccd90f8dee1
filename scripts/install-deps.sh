#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need.
# Safe to run again: apt-get only installs what is missing.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libqt6svg6 libqt6sql6-sqlite
  # lupdate and lrelease for the translations; Qt's own texts (standard buttons) in them.
  qt6-l10n-tools qt6-translations-l10n
  libarchive-dev libcurl4-openssl-dev qtkeychain-qt6-dev
  libx11-dev libxtst-dev
  libgtest-dev libgmock-dev
  xvfb xauth xdotool x11-utils qt6-qpa-plugins xdg-utils
  zip unzip unar python3 python3-aiosmtpd openssl ca-certificates
  libglib2.0-bin shared-mime-info dbus-daemon tzdata
  fonts-dejavu-core
  librsvg2-bin dpkg-dev file desktop-file-utils appstream lintian
  clang libclang-rt-14-dev clang-tidy
  dovecot-imapd libgmime-3.0-dev
  python3-markdown
  wine wine64 gcc-mingw-w64-x86-64 openbox
  # The built-in games are 32-bit: the Wine tests run a 32-bit stand-in through Wine's
  # 32-bit part (about 150 MB, three minutes of the CI run).
  gcc-mingw-w64-i686 wine32:i386
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  # wine32:i386 comes from Debian's i386 architecture, which must be enabled first.
  if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
