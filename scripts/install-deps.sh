#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test Morvane.
# Does nothing when everything is already installed; otherwise needs root (or sudo).
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
packages=(
  build-essential cmake ninja-build pkg-config clang-format ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  unixodbc unixodbc-dev odbcinst libsqlite3-dev
  libzip-dev libpugixml-dev libxlsxwriter-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n libgl-dev
  xvfb xauth fonts-noto-cjk xdg-utils
  libreoffice-calc-nogui poppler-utils
  libre2-dev
  python3-openpyxl
  postgresql-15 odbc-postgresql mariadb-server odbc-mariadb libsqliteodbc
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
