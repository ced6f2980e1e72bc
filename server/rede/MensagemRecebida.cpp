#include "MensagemRecebida.h"

#include "FuncoesComuns.h"

std::optional<MensagemRecebida> MensagemRecebida::Ler(const QByteArray& mensagem)
{
    // Walks the fields once, as their length fields say: the message is whole when its length
    // field matches its size and the declared count of fields fills it exactly.
    if (mensagem.size() < 10 || DecodificarTamanho(mensagem) != mensagem.size())
        return std::nullopt;
    const int n = quint8(mensagem[9]);
    MensagemRecebida m{mensagem.mid(4, 5), {}};
    m.argumentos.reserve(n);
    qsizetype pos = 10;
    for (int i = 0; i < n; ++i) {
        if (mensagem.size() - pos < 4)
            return std::nullopt;
        const quint32 l =
            (quint32(quint8(mensagem[pos])) << 24) | (quint32(quint8(mensagem[pos + 1])) << 16) |
            (quint32(quint8(mensagem[pos + 2])) << 8) | quint32(quint8(mensagem[pos + 3]));
        pos += 4;
        if (quint64(mensagem.size() - pos) < l)
            return std::nullopt;
        m.argumentos << mensagem.mid(pos, qsizetype(l));
        pos += qsizetype(l);
    }
    if (pos != mensagem.size())
        return std::nullopt;
    return m;
}
