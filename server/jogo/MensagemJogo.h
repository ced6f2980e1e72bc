#pragma once

#include <QByteArray>
#include <QList>

// One message of a game for one player, before it is built on the wire.
struct MensagemJogo
{
    QByteArray comando;
    QList<QByteArray> argumentos;

    bool operator==(const MensagemJogo&) const = default;
};
