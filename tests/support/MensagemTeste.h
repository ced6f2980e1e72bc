#pragma once

#include "Texto.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One message a test client received, with its arguments numbered from 1 as on the wire.
struct MensagemTeste
{
    QByteArray comando;
    QList<QByteArray> argumentos;

    QByteArray Argumento(int i) const { return argumentos.value(i - 1); }
    QString Texto(int i) const { return Texto::DeBytes(Argumento(i)); }
    int Quantos() const { return int(argumentos.size()); }
};
