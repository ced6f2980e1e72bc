#pragma once

#include "Estrategia.h"

// The server's bot: plays low when its team is winning the trick, wins cheaply when it can, calls
// truco with a strong hand, accepts with a fair one, and plays a hand of eleven holding two strong
// cards between its own and its partner's.
class Robo : public Estrategia
{
public:
    Lance Decidir(const Visao& visao, const std::vector<Lance>& validos) override;

    // How good the rest of the hand looks to this seat, counting the tricks already decided.
    static int AvaliarMao(const Visao& visao);

private:
    static Lance EscolherCarta(const Visao& visao, const std::vector<Lance>& validos);
};
