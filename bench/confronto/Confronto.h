#pragma once

#include "Estrategia.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// Seeded games between two teams of strategies, A and B. Each seed is played twice, A in seats 0
// and 2 and then in seats 1 and 3, so that both teams get the same deals.
class Confronto
{
public:
    using Fabrica = std::function<std::unique_ptr<Estrategia>(std::uint32_t semente)>;

    struct Placar
    {
        int jogos = 0;
        int vitoriasA = 0;
        int inacabados = 0;
        int maos = 0;
        // Calls and raises made by each team, and how many of them the other team refused.
        std::array<int, 2> pedidos{};
        std::array<int, 2> recusados{};
        // Microseconds each of A's decisions took.
        std::vector<double> tempos;

        double TaxaA() const { return jogos ? double(vitoriasA) / jogos : 0.0; }
        // The 95 % Wilson interval of A's rate.
        std::pair<double, double> Intervalo() const;
        // The q-quantile (0 to 1) of A's decision times.
        double Tempo(double q);
    };

    // jogos is rounded down to an even number: seeds semente to semente + jogos / 2 - 1.
    static Placar Jogar(const Fabrica& a, const Fabrica& b, int jogos, std::uint32_t semente);
};
