#pragma once

#include "MesaDeJogo.h"
#include "RoboNaSala.h"
#include "Sala.h"

#include <functional>
#include <memory>

class Participante;

// A room that can hold a game. "Start" by the host seats bots in the empty seats and deals; a
// person who leaves during the game is replaced by a bot; at the end the bots stand up and the
// first person in seat order becomes host if seat 1 is empty.
class SalaDeJogo : public Sala
{
public:
    struct Opcoes
    {
        int atrasoRoboMs = 800;
        int tempoJogadaS = 60;
        // The game told in the room's chat.
        bool narracao = true;
        // Shared by the server's games; none: every bot decision is a deep one.
        OrcamentoRobos* orcamentoRobos = nullptr;
        // The seed of each game, drawn by the server.
        std::function<std::uint32_t()> semente;
        // The lobby's room list changed (a game began or ended).
        std::function<void()> aoMudar;
    };

    SalaDeJogo(const QString& nome, const QByteArray& senha, Opcoes opcoes);
    ~SalaDeJogo() override;

    bool EmJogo() const override { return m_mesa != nullptr; }
    void Levantar(Participante* p) override;

    // "Start", "Carta", "Truco", "tcSim" and "tcNao" from someone seated here.
    void Comando(Participante* p, const QByteArray& comando, const QList<QByteArray>& argumentos);

private:
    struct ApagarDepois
    {
        void operator()(MesaDeJogo* m) const;
    };

    void Iniciar(Participante* p);
    void Terminar();
    // Stops the game at once, without telling anyone: no person is left to hear it.
    void Abandonar();
    void TirarRobos();
    bool EhRobo(const Participante* p) const;

    Opcoes m_opcoes;
    std::unique_ptr<MesaDeJogo, ApagarDepois> m_mesa;
    std::array<std::unique_ptr<RoboNaSala>, kAssentos> m_robos;
};
