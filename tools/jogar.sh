#!/usr/bin/env bash
# Installs what is missing, builds, and starts the client.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
bash "$raiz/tools/dependencias.sh"
bash "$raiz/tools/compilar.sh"
exec "$raiz/build/client/quarpel" "$@"
