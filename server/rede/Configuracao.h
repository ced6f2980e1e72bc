#pragma once

#include "HashSenha.h"

#include <QHostAddress>
#include <QString>
#include <optional>

// How the server runs, from its command line.
struct Configuracao
{
    quint16 porta = 33500;
    QHostAddress endereco = QHostAddress::Any;
    QString pastaDados;
    // What "utVer" reports and what "Login" must carry.
    QString versaoCliente;
    // For games: the pause before each move of a bot, the time a person has to act, and the seed
    // of the deals (drawn at start when not given).
    int atrasoRoboMs = 800;
    int tempoJogadaS = 60;
    std::optional<quint64> semente;
    HashSenha::Custo custoSenha = HashSenha::Custo::Interativo;
};
