#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

// One message from a peer, checked against the wire format.
struct MensagemRecebida
{
    QByteArray comando;
    QList<QByteArray> argumentos;

    // The message when its fields fill it exactly as their length fields say; nothing for a
    // message a well-behaved client could not have sent (a count that does not match the fields,
    // a field running past the end, bytes left over).
    static std::optional<MensagemRecebida> Ler(const QByteArray& mensagem);

    QByteArray Argumento(int indice) const { return argumentos.value(indice - 1); }
};
