#!/usr/bin/env bash
# Installs the Debian 12 packages that Quarpel builds, runs and tests with; only the missing ones,
# so a machine that has them all needs no package index.
set -euo pipefail
pacotes=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-private-dev qt6-svg-dev libqt6svg6 libqt6sql6-sqlite libgl-dev
  kdegames-card-data-kf5 fonts-dejavu-core
  libsodium-dev libbenchmark-dev clang
  postgresql libqt6sql6-psql
  xvfb xauth qt6-translations-l10n
)
faltam=()
for p in "${pacotes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltam+=("$p")
done
if [ ${#faltam[@]} -gt 0 ]; then
  echo "Instalando: ${faltam[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${faltam[@]}"
fi
