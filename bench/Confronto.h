#pragma once

#include "Estrategia.h"

#include <cstdint>
#include <functional>
#include <memory>

// Seeded games between two teams of strategies, team 0 in seats 0 and 2.
class Confronto
{
public:
    using Fabrica = std::function<std::unique_ptr<Estrategia>(std::uint32_t semente)>;

    struct Placar
    {
        int jogos = 0;
        int vitorias0 = 0;
        int inacabados = 0;
        double Taxa0() const { return jogos ? 100.0 * vitorias0 / jogos : 0.0; }
    };

    static Placar Jogar(const Fabrica& equipe0, const Fabrica& equipe1, int jogos,
                        std::uint32_t semente);
};
