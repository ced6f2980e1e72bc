#!/usr/bin/env bash
# Measures what the test suite catches: applies each fault of tools/mutantes.txt in turn to the
# source tree, rebuilds incrementally, runs ctest and puts the file back as it was.
#   bash tools/mutantes.sh [build-dir] [id...]     (build-dir defaults to ./build)
# A fault's line may name the tests that should catch it ("@ S39 server/jogo/Alarme.cpp tst_carga");
# then only those run, unless TODOS=1 (a fault they miss is counted as not caught either way).
# With MATRIZ=1 every test of the part runs and each fault lists all the tests that caught it:
# a test that is never the only one is a candidate for deletion.
# Slow: run it with nice, in the background. The tree is restored even when interrupted.
set -u
raiz=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$raiz/build}" && pwd) || exit 2
shift $(($# > 0 ? 1 : 0))
escolhidos=" $* "
copia=$(mktemp)
alterado=""

# Rewrite, do not copy with its times: the restored file must be newer than the faulty object.
restaurar() {
    [ -n "$alterado" ] && cat "$copia" >"$raiz/$alterado"
    alterado=""
}
trap 'restaurar; rm -f "$copia"' EXIT
trap 'exit 130' INT TERM HUP

# A fault in the server is looked for by the tests of the server (and of its engine), one in the
# client by the client's; one in the protocol by all. Only those test programs are rebuilt.
partes=""
compilar() {
    local alvos=()
    for p in $partes; do alvos+=(--target "testes_$p"); done
    cmake --build "$build" -j2 "${alvos[@]}" >"$build/mutante.log" 2>&1 </dev/null
}
testes=""
testar() {
    local rotulos=${partes// /|} parar=--stop-on-failure filtro=()
    [ -z "${MATRIZ:-}" ] || parar=""
    if [ -n "$testes" ] && [ -z "${TODOS:-}" ]; then
        filtro=(-R "^(${testes// /|})\$")
    elif [ -n "$rotulos" ]; then
        filtro=(-L "^($rotulos)\$")
    fi
    (cd "$build" && QT_QPA_PLATFORM=offscreen ctest -j2 --timeout 60 $parar "${filtro[@]}" \
        >>"$build/mutante.log" 2>&1 </dev/null)
}

compilar || { echo "A árvore sem falhas não compila (veja $build/mutante.log)"; exit 2; }
testar || { echo "A suíte falha sem falhas aplicadas (veja $build/mutante.log)"; exit 2; }

pegos=0 soltos=0 fora=0
declare -a naoPegos=()
aplicar() { # id file original replacement
    local id=$1 arquivo=$2 original=$3 troca=$4 texto resto resultado inicio
    [ "$escolhidos" = "  " ] || [[ $escolhidos == *" $id "* ]] || return 0
    if [ ! -f "$raiz/$arquivo" ]; then
        echo "$id não aplicável ($arquivo não existe)"; fora=$((fora + 1)); return 0
    fi
    texto=$(cat "$raiz/$arquivo"; printf x)
    texto=${texto%x}
    resto=${texto#*"$original"}
    if [ "$resto" = "$texto" ] || [[ $resto == *"$original"* ]]; then
        echo "$id não aplicável (texto ausente ou repetido em $arquivo)"; fora=$((fora + 1)); return 0
    fi
    case $arquivo in
    server/engine/*) partes="engine server" ;;
    server/*) partes="server" ;;
    client/*) partes="client" ;;
    *) partes="" ;;
    esac
    cat "$raiz/$arquivo" >"$copia"
    alterado=$arquivo
    printf '%s' "${texto/"$original"/"$troca"}" >"$raiz/$arquivo"
    inicio=$SECONDS
    if ! compilar; then
        resultado="não aplicável (não compila)"; fora=$((fora + 1))
    elif testar; then
        resultado="NÃO PEGO"; soltos=$((soltos + 1)); naoPegos+=("$id")
    else
        resultado="pego por $(grep -E '^[[:space:]]+[0-9]+ - ' "$build/mutante.log" |
            sed 's/.* - //; s/ (.*//' | head -n "$([ -n "${MATRIZ:-}" ] && echo 99 || echo 1)" |
            xargs)"
        pegos=$((pegos + 1))
    fi
    restaurar
    partes=""
    echo "$id $resultado ($arquivo, $((SECONDS - inicio)) s)"
}

id="" arquivo="" original=""
while IFS= read -r -u 3 linha || [ -n "$linha" ]; do
    case $linha in
    "@ "*) read -r _ id arquivo testes <<<"$linha" ;;
    "- "*) original=${linha#- } ;;
    "+ "*) aplicar "$id" "$arquivo" "$original" "${linha#+ }" ;;
    esac
done 3<"$raiz/tools/mutantes.txt"

compilar # leaves the build matching the restored tree
echo "Total: $pegos pegos de $((pegos + soltos)) aplicáveis; $fora não aplicáveis."
[ ${#naoPegos[@]} -eq 0 ] || echo "Não pegos: ${naoPegos[*]}"
