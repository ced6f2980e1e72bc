#pragma once

#include "Estrategia.h"
#include "MaoSimulada.h"

#include <array>
#include <cstdint>

// The server's bot. It judges its hand by dealing the cards it cannot see many ways and playing
// each deal out (MaoSimulada), and weighs points by what they are worth at the score: it calls
// truco when calling gains on average, answers a call by the best of accepting, refusing and
// raising, and plays a hand of eleven when the hand is worth more than the point it would give.
// It reads a call or an acceptance by the other team as a sign of strong cards. Its cards: the
// least that takes the trick, nothing over a partner who holds it, throwaways face down.
// Decisions are a function of what the seat sees and the seed, so a game replays exactly.
class Robo : public Estrategia
{
public:
    explicit Robo(std::uint32_t semente = 0) : m_semente(semente) {}
    Lance Decidir(const Visao& visao, const std::vector<Lance>& validos) override;

    // The chance that the team with a points wins the game against a team with b, when each
    // hand is a point to either side: what a point is worth at this score.
    static double ChanceDoJogo(int a, int b);

protected:
    // The card to play. The heuristic one follows MaoSimulada::Escolha.
    virtual Lance EscolherCarta(const Visao& visao, const std::vector<Lance>& validos, double solto,
                                std::uint64_t& estado);
    // How many deals each judgement plays out: twice as many do no better against the players in
    // quarpel-taxas and cost twice the time.
    static constexpr int kAmostras = 48;

    // The deals this seat may be facing, the other team's cards drawn as its calls suggest.
    // The more loosely the other team calls (solto, 0 to 1), the less its calls tell.
    static MaoSimulada Amostra(const Visao& visao, const MaoSimulada& base, double solto,
                               std::uint64_t& estado);
    // Plays a dealt hand to its end as the bot expects it to go; returns the winning team or -1.
    static int Terminar(const Visao& visao, MaoSimulada& mao, double solto, std::uint64_t& estado);
    // What ending the hand with this winning team (or -1) at this value is worth to the seat.
    static double Valor(const Visao& visao, int vencedora, int valor);

private:
    // What the team of the seat deciding has seen of the other team's calls, hand after hand:
    // returns how loosely it calls, 0 (only on cards) to 1 (on anything).
    double Lembrar(const Visao& visao);

    struct Memoria
    {
        std::uint64_t mao = ~std::uint64_t{0};
        bool viuPedido = false;
        int maos = 0;
        int pedidos = 0;
    };
    std::uint32_t m_semente;
    std::array<Memoria, 2> m_memoria{};
};
