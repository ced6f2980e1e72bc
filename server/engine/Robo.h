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
// Where nothing is to be judged (no call open to it, one way to play) it deals nothing, and the
// first card of a hand is judged once per hand shape for the whole process (Medida).
class Robo : public Estrategia
{
public:
    // Deals played out per judgement: for an answer or a hand of eleven `amostras`; for a call
    // `primeiras`, doubled up to `amostras` while the gain stays within two standard errors; for
    // cards tried afresh up to `busca` while some deal tells them apart.
    struct Orcamento
    {
        int amostras = 32;
        int primeiras = 8;
        int busca = 48;
    };
    explicit Robo(std::uint32_t semente = 0) : Robo(semente, Orcamento{}) {}
    Robo(std::uint32_t semente, Orcamento orcamento) : m_semente(semente), m_orcamento(orcamento) {}
    Lance Decidir(const Visao& visao, const std::vector<Lance>& validos) override;

    // The chance that the team with a points wins the game against a team with b, when each
    // hand is a point to either side: what a point is worth at this score.
    static double ChanceDoJogo(int a, int b);

    // How the hand ended over the deals played out: by the hand position of the card the seat
    // put down first, by the level of the other team's best hand (MaoSimulada::Nivel) and by who
    // took it (0 the seat's team, 1 the other, 2 nobody). When the seat had no card to try, the
    // deals are at position 0.
    struct Medida
    {
        std::array<std::array<std::array<std::uint16_t, 3>, 3>, 3> n{};
        int amostras = 0;
        // Deals in which the cards tried did not all end the hand alike.
        int diferentes = 0;
    };

protected:
    void DefinirOrcamento(Orcamento orcamento) { m_orcamento = orcamento; }
    // Whether to try each card the seat may play over the deals, rather than the rule's alone.
    virtual bool Buscar(const Visao&, const MaoSimulada&, const std::vector<Lance>&) const
    {
        return false;
    }

private:
    // Deals for a first card kept for the process: a budget that deals more judges afresh.
    static constexpr int kAmostrasMemo = 64;

    // Plays out deals of base, each with every card of tentar tried first (with none, the seat
    // plays as the rule says). The first card of a hand comes from the process's memory, unless
    // the budget deals more than the memory was dealt with.
    Medida Medir(const MaoSimulada& base, std::array<bool, 3> tentar, double solto, int amostras,
                 std::uint64_t& estado) const;
    static Medida Jogar(const MaoSimulada& base, std::array<bool, 3> tentar, int amostras,
                        double descuido, std::uint64_t estado);
    // What ending the hand with this winning team (0 ours, 1 theirs, -1 nobody) at this value is
    // worth to the seat.
    static double Valor(const Visao& visao, int vencedora, int valor);
    // The rule's card, face down when it neither takes nor ties the trick.
    static Lance EscolherCarta(const Visao& visao, const std::vector<Lance>& validos);
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
    Orcamento m_orcamento;
    std::array<Memoria, 2> m_memoria{};
};
