#pragma once

#include "Configuracao.h"
#include "Lobby.h"
#include "OrcamentoRobos.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <memory>

class Despachante;
class QSocketNotifier;
class Sessao;
class QTcpServer;
class QTcpSocket;

// The whole server on one event loop: the lobby, the dispatcher (and through it the accounts) and
// the listening socket. Each accepted connection becomes a session fed from its socket.
class ServidorQuarpel : public QObject
{
    Q_OBJECT
public:
    // Without a room factory the rooms are game rooms.
    explicit ServidorQuarpel(Configuracao configuracao, Lobby::FabricaSala fabrica = {},
                             QObject* parent = nullptr);
    ~ServidorQuarpel() override;

    // Opens the accounts (creating them on first start) and listens.
    bool Iniciar(QString* erro);
    quint16 Porta() const;

    const Configuracao& Config() const { return m_configuracao; }
    Lobby& Saguao() { return m_lobby; }
    Despachante& Despacho() { return *m_despachante; }

private:
    // Takes the connections waiting in the kernel's queue. Out of file descriptors, accepting
    // pauses until a connection closes (or a second has passed): the listening socket would
    // otherwise stay readable and be tried in a loop.
    void Aceitar();
    void PausarAceite();
    void RetomarAceite();
    void NovaConexao(QTcpSocket* socket);
    // Short of connections: the one that has waited longest without logging in, taken off the
    // list; null when everyone is logged in.
    Sessao* MaisAntigaSemLogin();
    // Every quarter second: connections that did not log in in time, peers that stopped reading,
    // and the slowest readers when the memory held for all of them passes the limit.
    void Vigiar();
    // Sockets are aborted and deleted a slice per pass of the event loop, not all in one pass:
    // when thousands of people leave at once, the games and the lobby get their turn between
    // slices.
    void Fechar(QTcpSocket* socket, bool apagar);
    void FecharAlguns();
    // Rooms that hold games, with this server's bot delay, turn time and seeds.
    Lobby::FabricaSala FabricaPadrao();

    Configuracao m_configuracao;
    // Before the lobby: its games use it until they go.
    OrcamentoRobos m_orcamentoRobos;
    Lobby m_lobby;
    std::unique_ptr<Despachante> m_despachante;
    QTcpServer* m_escuta;
    QSocketNotifier* m_aceite = nullptr;
    QTimer m_retomada;
    qint64 m_semDescritoresEm = -1; // when the log last said so
    // Sessions by arrival, those not logged in when they came; pruned as they log in or go.
    std::deque<quint64> m_semLogin;
    QTimer* m_vigia;
    qint64 m_avisoSaidaEm = -1'000'000;
    struct AFechar
    {
        QPointer<QTcpSocket> socket;
        bool apagar;
    };
    std::deque<AFechar> m_aFechar;
    QTimer m_fechamento;
    QElapsedTimer m_relogio;
    qsizetype m_sessoesNoPico = 0;
    quint64 m_proximaSessao = 1;
    quint64 m_jogos = 0;
};
