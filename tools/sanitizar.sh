#!/usr/bin/env bash
# Builds into ./build-san with AddressSanitizer and UndefinedBehaviorSanitizer and runs the tests
# that take input from the network (the message format, the client's receive path and lobby, the
# server's sessions, rooms and games). Only their programs are built. Extra arguments go to the
# configure step.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
testes=(tst_mensagem tst_recepcao tst_conexao tst_variaveis tst_conta tst_salas
        tst_frmperfil tst_fluxo tst_salasservidor tst_contas tst_jogos tst_carga)
# The test files of a part build into one program each.
programas=(testes_protocol testes_client testes_server)

lancador=()
command -v ccache >/dev/null && lancador=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$raiz" -B "$raiz/build-san" -G Ninja -DBUILD_TESTING=ON -DQUARPEL_SANITIZE=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo "${lancador[@]}" "$@" >/dev/null
cmake --build "$raiz/build-san" -j "$(nproc)" --target "${programas[@]}"

# Leaks stay checked; only what fontconfig keeps for the process' lifetime is suppressed.
export LSAN_OPTIONS="suppressions=$raiz/tools/sanitizar.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$raiz/build-san"
filtro="^($(IFS='|'; echo "${testes[*]}"))\$"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)" --timeout 600 -R "$filtro"
