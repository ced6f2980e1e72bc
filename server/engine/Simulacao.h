#pragma once

#include "Estrategia.h"
#include "Partida.h"

#include <array>

// Plays a whole game at once, each seat choosing through its strategy: for benchmarks and tests,
// where no one waits between moves. When several seats must act, the lowest seat answers first.
class Simulacao
{
public:
    // Returns every event in order. Stops after limiteLances moves if the game has not ended.
    static std::vector<Evento> JogarAteOFim(Partida& partida,
                                            const std::array<Estrategia*, 4>& jogadores,
                                            int limiteLances = 10000);
};
