#pragma once

#include "HashSenha.h"
#include "OrigemContas.h"

#include <QHostAddress>
#include <QString>
#include <optional>

// How the server runs, from its command line.
struct Configuracao
{
    quint16 porta = 33500;
    QHostAddress endereco = QHostAddress::Any;
    QString pastaDados;
    // With a PostgreSQL URI the accounts and who is on line are there, shared by every process
    // that names it; a process' logins stay held this long after it stops renewing its lease.
    QString banco;
    int validadePresencaS = 30;
    // Where the other processes reach this one ("host:port") to relay players to its rooms;
    // empty: the listening address.
    QString anunciar;
    // What "utVer" reports and what "Login" must carry.
    QString versaoCliente;
    // For games: the pause before each move of a bot, the time a person has to act, and the seed
    // of the deals (drawn at start when not given).
    int atrasoRoboMs = 800;
    int tempoJogadaS = 60;
    std::optional<quint64> semente;
    // The share of one core the bots may spend weighing their moves deeply, in percent.
    int cpuRobosPercentual = 5;
    // The games told in their rooms' chat.
    bool narracao = true;
    HashSenha::Custo custoSenha = HashSenha::Custo::Interativo;
    // Limits that keep one crowd from slowing everyone: connections at once (0: as many as the
    // file descriptors allow); seconds a connection may stay without logging in, longer than
    // anyone takes to fill in the sign-up form (short of connections, the oldest of them go
    // first); seconds output may wait without the peer reading any of it; and the memory held in
    // total for peers that read slowly (the slowest are dropped beyond it).
    int maxConexoes = 0;
    int tempoSemLoginS = 30 * 60;
    int tempoSemLerS = 10;
    qint64 limiteSaidaTotal = 64LL * 1024 * 1024;
    // Chat lines a person may send in a burst, then one a second; 0: no limit.
    int rajadaChat = 5;

    OrigemContas Contas() const { return {pastaDados, banco}; }
};
