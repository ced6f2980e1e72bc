#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Someone logged in, as the lobby and the rooms see him: a login, a picture and a way to be told
// things. The network session is one; the lobby knows nothing of sockets.
class Participante
{
public:
    virtual ~Participante() = default;

    virtual QString Login() const = 0;
    // 7803 bytes, or empty for none.
    virtual QByteArray Foto() const = 0;
    virtual void Enviar(QByteArrayView comando, const QList<QByteArray>& argumentos) = 0;
};
