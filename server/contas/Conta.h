#pragma once

#include <QByteArray>
#include <QString>

// One account as stored. The password is kept only as its argon2id hash text.
struct Conta
{
    qint64 id = 0;
    QString login;
    QString nome;
    QString email;
    QByteArray hashSenha;
    QByteArray foto;
};
