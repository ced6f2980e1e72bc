// How long the engine takes to play whole games, bots in every seat: the heuristic bot and the
// searching one the server uses.
#include "Partida.h"
#include "Robo.h"
#include "RoboBuscador.h"
#include "Simulacao.h"

#include <benchmark/benchmark.h>

template <typename Bot>
static void PartidaEntreRobos(benchmark::State& estado)
{
    std::uint32_t semente = 0;
    for (auto _ : estado) {
        Bot robo;
        std::array<Estrategia*, 4> jogadores{&robo, &robo, &robo, &robo};
        ConfiguracaoPartida configuracao;
        configuracao.semente = ++semente;
        Partida partida(configuracao);
        benchmark::DoNotOptimize(Simulacao::JogarAteOFim(partida, jogadores));
    }
}
BENCHMARK(PartidaEntreRobos<Robo>);
BENCHMARK(PartidaEntreRobos<RoboBuscador>);

BENCHMARK_MAIN();
