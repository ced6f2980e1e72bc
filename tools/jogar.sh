#!/usr/bin/env bash
# Installs what is missing, builds, starts a local server (127.0.0.1 only, its data in the user's
# data folder) and the client; the server stops when the client ends.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
bash "$raiz/tools/dependencias.sh"
bash "$raiz/tools/compilar.sh"

dados="${XDG_DATA_HOME:-$HOME/.local/share}/quarpel-server"
mkdir -p "$dados"
log="$dados/servidor.log"
"$raiz/build/server/quarpel-server" --endereco 127.0.0.1 --porta 33500 --dados "$dados" \
  2>>"$log" &
servidor=$!
parar() {
  kill -TERM "$servidor" 2>/dev/null || true
  wait "$servidor" 2>/dev/null || true
}
trap parar EXIT

# The client connects once at start, so it waits until the server listens (or has given up,
# for instance because another server already holds the port).
for _ in $(seq 50); do
  if ! kill -0 "$servidor" 2>/dev/null; then
    echo "O servidor local não iniciou (veja $log); o cliente usará o que estiver na porta 33500." >&2
    break
  fi
  if (exec 3<>/dev/tcp/127.0.0.1/33500) 2>/dev/null; then
    break
  fi
  sleep 0.1
done

"$raiz/build/client/quarpel" "$@"
