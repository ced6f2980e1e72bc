// How long the engine takes to play whole games, bots in every seat.
#include "Partida.h"
#include "Robo.h"
#include "Simulacao.h"

#include <benchmark/benchmark.h>

static void PartidaEntreRobos(benchmark::State& estado)
{
    Robo robo;
    std::array<Estrategia*, 4> jogadores{&robo, &robo, &robo, &robo};
    std::uint32_t semente = 0;
    for (auto _ : estado) {
        ConfiguracaoPartida configuracao;
        configuracao.semente = ++semente;
        Partida partida(configuracao);
        benchmark::DoNotOptimize(Simulacao::JogarAteOFim(partida, jogadores));
    }
}
BENCHMARK(PartidaEntreRobos);

BENCHMARK_MAIN();
