#pragma once

#include "ConfiguracaoPartida.h"
#include "Distribuicao.h"
#include "Lance.h"
#include "ResultadoLance.h"
#include "Visao.h"

#include <deque>
#include <optional>
#include <random>

// A game of Truco Paulista to 12 between teams 0 (seats 0 and 2) and 1 (seats 1 and 3). It takes
// moves and returns events; an illegal move is refused with a reason and changes nothing. The
// same seed gives the same game.
class Partida
{
public:
    enum class Fase
    {
        NaoComecada,
        DecisaoOnze,
        Jogando,
        Terminada
    };

    explicit Partida(const ConfiguracaoPartida& configuracao = {});

    // The next deals come from here, in order, instead of the shuffled deck.
    void FixarDistribuicao(const Distribuicao& distribuicao);

    // Deals the first hand.
    std::vector<Evento> Comecar();
    ResultadoLance Jogar(const Lance& lance);

    // Why the move is illegal now, or nothing when it is legal.
    std::optional<std::string> Motivo(const Lance& lance) const;
    std::vector<Lance> LancesValidos(int jogador) const;
    // The seat is expected to move: its turn, its team was called, or its team decides at eleven.
    bool DeveAgir(int jogador) const;
    Visao VisaoDe(int jogador) const;

    Fase FaseAtual() const { return m_fase; }
    bool Terminada() const { return m_fase == Fase::Terminada; }
    int EquipeVencedora() const { return m_vencedora; }
    int Pontos(int equipe) const { return m_pontos.at(equipe); }
    int Vez() const { return m_vez; }
    int ValorMao() const { return m_valor; }
    TipoMao Tipo() const { return m_tipo; }
    bool TrucoPendente() const { return m_trucoPendente; }
    int Vira() const { return m_vira; }
    // The card at a hand position, 0 once played.
    int CartaNaMao(int jogador, int posicao) const;

    static int EquipeDe(int jogador) { return jogador % 2; }
    // The team that took the hand after this many closed tricks, -1 when all three tied,
    // nothing while it goes on. resultados holds each closed trick's winning team or -1.
    static std::optional<int> VencedoraDaMao(const std::array<int, 3>& resultados,
                                             const std::array<int, 2>& vazasGanhas, int vazas);

private:
    void IniciarMao(std::vector<Evento>& eventos);
    Distribuicao Embaralhar();
    void JogarCarta(const Lance& lance, std::vector<Evento>& eventos);
    void FecharVaza(std::vector<Evento>& eventos);
    void EncerrarMao(int equipe, int pontos, std::vector<Evento>& eventos);
    std::uint32_t Sortear(std::uint32_t limite);

    ConfiguracaoPartida m_configuracao;
    std::mt19937 m_gerador;
    std::deque<Distribuicao> m_fixas;
    Fase m_fase = Fase::NaoComecada;
    std::array<int, 2> m_pontos{};
    int m_vencedora = -1;
    int m_primeiroDaMao = 0;

    int m_vira = 0;
    std::array<std::array<int, 3>, 4> m_maos{};
    std::array<std::array<bool, 3>, 4> m_jogadas{};
    TipoMao m_tipo = TipoMao::Normal;
    int m_equipeOnze = -1;
    int m_valor = 1;
    int m_ultimaEquipeTruco = -1;
    bool m_trucoPendente = false;
    int m_valorPedido = 0;
    int m_equipeChamou = -1;
    int m_vaza = 0;
    int m_vez = 0;
    int m_lider = 0;
    std::array<int, 3> m_resultados{-1, -1, -1};
    std::array<int, 2> m_vazasGanhas{};
    std::vector<CartaNaMesa> m_historico;
};
