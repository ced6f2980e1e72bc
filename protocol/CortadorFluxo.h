#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// Cuts a byte stream into whole messages by their length fields. Pending bytes are kept with a
// read offset, so a burst of many messages is cut in linear time; the consumed front is dropped
// only once it is at least half of the buffer, or all of it when new bytes arrive.
class CortadorFluxo
{
public:
    // limite: the largest message accepted, length field included, so that a peer cannot make
    // the other side hold an arbitrary amount.
    explicit CortadorFluxo(qint32 limite = 0x7FFFFFFF) : m_limite(limite) {}

    void Acrescentar(const QByteArray& dados);

    // The next whole message, or nothing until more bytes arrive. Throws ErroProtocolo on a length
    // field that cannot be right (below 4, 2^31 or more, or above the limit); the stream cannot be
    // cut past it, so the caller gives up on the connection.
    std::optional<QByteArray> Proxima();
    // The same without a copy: a view of the pending bytes, valid until the next Acrescentar or
    // Limpar.
    std::optional<QByteArrayView> ProximaVista();

    // Bytes received but not yet returned as a message.
    qsizetype Pendentes() const { return m_dados.size() - m_inicio; }
    // Those bytes, taken out as they came: for a stream that goes on elsewhere uncut.
    QByteArray TirarPendentes();
    void Limpar();

private:
    QByteArray m_dados;
    qsizetype m_inicio = 0;
    qint32 m_limite;
};
