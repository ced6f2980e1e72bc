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
    // Whole messages (one or a few), built once by the sender; a broadcast shares the same bytes
    // with every recipient.
    virtual void EnviarMensagem(const QByteArray& mensagem) = 0;
    void Enviar(QByteArrayView comando, const QList<QByteArray>& argumentos);
};
