#!/usr/bin/env bash
# A throw-away PostgreSQL cluster in a temporary folder: for the tests, and for trying several
# quarpel-server processes on one database. It listens on 127.0.0.1 only, on a free port, and on a
# unix socket inside its folder; local connections are trusted (user postgres, no password).
#
#   postgres-temporario.sh iniciar ESTADO     starts one and prints its URI; the file ESTADO keeps
#                                             `export QUARPEL_BANCO=URI` and the folder (`. ESTADO`)
#   postgres-temporario.sh pausar ESTADO      stops the server, keeping its data and its port
#   postgres-temporario.sh retomar ESTADO     starts it again
#   postgres-temporario.sh parar ESTADO       stops it and removes the folder and ESTADO
#   postgres-temporario.sh executar CMD ARG.. starts one, runs CMD with QUARPEL_BANCO set, removes it
set -euo pipefail

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bin" ]; then
  echo "PostgreSQL não está instalado (tools/dependencias.sh instala)" >&2
  exit 1
fi

# initdb and the server refuse to run as root.
como_postgres() {
  if [ "$(id -u)" = 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

# A port nobody listens on: /proc/net/tcp{,6} list the listening sockets (state 0A) in hex.
porta_livre() {
  local p hex
  for _ in $(seq 50); do
    p=$((20000 + RANDOM % 40000))
    hex=$(printf '%04X' "$p")
    if ! grep -qE ":$hex [0-9A-F]+:[0-9A-F]{4} 0A " /proc/net/tcp /proc/net/tcp6 2>/dev/null; then
      echo "$p"
      return
    fi
  done
  return 1
}

ler_estado() {
  [ -f "$1" ] || { echo "Sem estado em $1" >&2; exit 1; }
  # shellcheck disable=SC1090
  . "$1"
  case "${PASTA_POSTGRES:-}" in
    */quarpel-pg.*) ;;
    *) echo "Estado inválido em $1" >&2; exit 1 ;;
  esac
}

iniciar() {
  local estado=$1 pasta porta
  # What a run that never stopped left behind.
  if [ -s "$estado" ]; then (parar "$estado") 2>/dev/null || true; fi
  pasta=$(mktemp -d "${TMPDIR:-/tmp}/quarpel-pg.XXXXXX")
  chmod 700 "$pasta"
  [ "$(id -u)" = 0 ] && chown postgres: "$pasta"
  if ! como_postgres "$bin/initdb" -D "$pasta/dados" -U postgres -A trust -E UTF8 --locale=C \
      --no-sync >"$pasta/initdb.log" 2>&1; then
    cat "$pasta/initdb.log" >&2
    rm -rf "$pasta"
    exit 1
  fi
  # fsync off: only the programs under test are ever killed, never this cluster, and the machine
  # is shared. Several servers of a test hold a few connections each.
  cat >>"$pasta/dados/postgresql.conf" <<EOF
listen_addresses = '127.0.0.1'
unix_socket_directories = '$pasta'
fsync = off
max_connections = 300
EOF
  # Another program may take the port between the look and the start: try another one.
  for _ in 1 2 3 4 5; do
    porta=$(porta_livre)
    echo "port = $porta" >>"$pasta/dados/postgresql.conf"
    if como_postgres "$bin/pg_ctl" -D "$pasta/dados" -l "$pasta/servidor.log" -w -t 60 start \
        >/dev/null; then
      {
        echo "export QUARPEL_BANCO=postgresql://postgres@127.0.0.1:$porta/postgres"
        echo "PASTA_POSTGRES=$pasta"
      } >"$estado"
      echo "postgresql://postgres@127.0.0.1:$porta/postgres"
      return
    fi
  done
  cat "$pasta/servidor.log" >&2
  rm -rf "$pasta"
  exit 1
}

parar() {
  ler_estado "$1"
  como_postgres "$bin/pg_ctl" -D "$PASTA_POSTGRES/dados" -m immediate -w stop >/dev/null 2>&1 || true
  rm -rf "$PASTA_POSTGRES"
  rm -f "$1"
}

case "${1:-}" in
  iniciar | pausar | retomar | parar)
    [ $# -eq 2 ] || { echo "Uso: $0 $1 ESTADO" >&2; exit 2; }
    ;;
esac
case "${1:-}" in
  iniciar) iniciar "$2" ;;
  parar) parar "$2" ;;
  pausar)
    ler_estado "$2"
    como_postgres "$bin/pg_ctl" -D "$PASTA_POSTGRES/dados" -m fast -w stop >/dev/null
    ;;
  retomar)
    ler_estado "$2"
    como_postgres "$bin/pg_ctl" -D "$PASTA_POSTGRES/dados" -l "$PASTA_POSTGRES/servidor.log" \
      -w -t 60 start >/dev/null
    ;;
  executar)
    shift
    [ $# -ge 1 ] || { echo "Uso: $0 executar COMANDO [ARGUMENTOS...]" >&2; exit 2; }
    estado=$(mktemp)
    trap 'parar "$estado"' EXIT
    iniciar "$estado" >/dev/null
    ler_estado "$estado"
    echo "PostgreSQL temporário em $QUARPEL_BANCO" >&2
    "$@"
    ;;
  *)
    sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
    ;;
esac
