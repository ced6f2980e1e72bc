#!/usr/bin/env bash
# Installs what is missing, builds the two programs (not the tests), starts a local server
# (127.0.0.1 only, its data in the user's data folder) and the client; the server stops when the
# client ends.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
porta=33500
bash "$raiz/tools/dependencias.sh"
cmake -S "$raiz" -B "$raiz/build" -G Ninja >/dev/null
cmake --build "$raiz/build" --target quarpel quarpel-server

# The client connects once, at start, to this port: another program on it would only end in
# "Servidor não encontrado!" or in a server that is not ours.
escutando() { (exec 3<>"/dev/tcp/127.0.0.1/$porta") 2>/dev/null; }
if escutando; then
  echo "A porta $porta já está em uso por outro programa, e o servidor local não pode iniciar." >&2
  echo "Feche esse programa (veja qual é com: ss -ltnp 'sport = :$porta') e tente de novo." >&2
  exit 1
fi

dados="${XDG_DATA_HOME:-$HOME/.local/share}/quarpel-server"
mkdir -p "$dados"
log="$dados/servidor.log"
"$raiz/build/server/quarpel-server" --endereco 127.0.0.1 --porta "$porta" --dados "$dados" \
  2>>"$log" &
servidor=$!
parar() {
  kill -TERM "$servidor" 2>/dev/null || true
  wait "$servidor" 2>/dev/null || true
}
trap parar EXIT

# Waits until the server listens; one that has already ended could not start.
for _ in $(seq 50); do
  if ! kill -0 "$servidor" 2>/dev/null; then
    echo "O servidor local não iniciou (a porta $porta pode estar ocupada); veja $log." >&2
    exit 1
  fi
  escutando && break
  sleep 0.1
done
if ! escutando; then
  echo "O servidor local não respondeu na porta $porta; veja $log." >&2
  exit 1
fi

"$raiz/build/client/quarpel" "$@"
