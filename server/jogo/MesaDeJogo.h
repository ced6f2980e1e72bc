#pragma once

#include "Alarme.h"
#include "MensagemJogo.h"
#include "Narrador.h"
#include "OrcamentoRobos.h"
#include "Partida.h"
#include "RoboBuscador.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>

// One game at a table of four: passes the players' commands to the engine, tells each seat what
// it may see of the events, and moves for the bots. A bot waits a delay before each move; a person
// who does not act within the turn time has a bot move for him, so the game never stalls.
class MesaDeJogo : public QObject
{
    Q_OBJECT
public:
    struct Opcoes
    {
        int atrasoRoboMs = 800;
        // 0: no limit.
        int tempoJogadaS = 60;
        // The seed, and in tests the first seat and the starting score.
        ConfiguracaoPartida partida;
        // Takes each line that tells the room what happened; none when empty.
        std::function<void(const QString& linha)> narrar;
        // How deeply the bots may think; none: always deeply.
        OrcamentoRobos* orcamentoRobos = nullptr;
    };
    // Delivers a message to the person in a seat; bot seats get nothing.
    using Envio = std::function<void(int assento, const MensagemJogo& mensagem)>;

    MesaDeJogo(const std::array<QString, 4>& logins, const std::array<bool, 4>& robos,
               const Opcoes& opcoes, Envio envio, QObject* parent = nullptr);

    // "cmJog" to everyone, then the first deal.
    void Comecar();
    // "Carta", "Truco", "tcSim" or "tcNao" from the person in this seat; anything else, or a move
    // the rules do not allow now, is ignored.
    void Receber(int assento, const QByteArray& comando, const QList<QByteArray>& argumentos);
    // From now on a bot plays this seat, under the given name.
    void TrocarPorRobo(int assento, const QString& nome);

    // Nothing more is sent and no one moves: the room is letting the game go.
    void Encerrar();

    bool Terminada() const { return m_partida.Terminada(); }
    bool EhRobo(int assento) const { return m_robos.at(assento); }
    const Partida& PartidaAtual() const { return m_partida; }

signals:
    // After "jgFim" went out. The game may be released with deleteLater() from here.
    void Terminou(int equipeVencedora);

private:
    void Aplicar(const Lance& lance);
    // lance: the move that caused the events, null for the first deal.
    void Anunciar(const std::vector<Evento>& eventos, const Lance* lance = nullptr);
    void Narrar(const QString& linha);
    void EnviarATodos(const MensagemJogo& mensagem);
    // Starts the bot's move or the person's clock for whoever must act now.
    void Agendar();
    // The bot in this seat is to move now.
    bool RoboAge(int assento) const;
    void MoverRobo();
    void TempoEsgotado();
    // The bot's choice for a seat, whoever sits there.
    void JogarPor(int assento);

    std::array<QString, 4> m_logins;
    std::array<bool, 4> m_robos;
    Opcoes m_opcoes;
    Envio m_envio;
    Partida m_partida;
    RoboBuscador m_robo;
    Narrador m_narrador;
    // Grows with every accepted move; a timer is restarted when the moment it was set for passed.
    quint64 m_momento = 0;
    bool m_encerrada = false;
    quint64 m_roboAgendado = ~quint64{0};
    quint64 m_relogioAgendado = ~quint64{0};
    Alarme m_relogio{[this] { TempoEsgotado(); }};
    Alarme m_vezRobo{[this] { MoverRobo(); }};
};
