#include "FuncoesComuns.h"

#include "ErroProtocolo.h"

QByteArray CodificarTamanho(qint32 v)
{
    const auto u = static_cast<quint32>(v);
    QByteArray campo(4, '\0');
    campo[0] = char((u >> 24) & 0xFF);
    campo[1] = char((u >> 16) & 0xFF);
    campo[2] = char((u >> 8) & 0xFF);
    campo[3] = char(u & 0xFF);
    return campo;
}

qint32 DecodificarTamanho(QByteArrayView campo)
{
    if (campo.size() < 4)
        throw ErroProtocolo("Campo de tamanho incompleto");
    const auto b = [&](int i) { return quint32(quint8(campo[i])); };
    if (b(0) >= 0x80)
        throw ErroProtocolo("Estouro de capacidade no campo de tamanho");
    return qint32((b(0) << 24) | (b(1) << 16) | (b(2) << 8) | b(3));
}

QByteArray MontarMensagem(QByteArrayView comando, const QList<QByteArray>& argumentos)
{
    Q_ASSERT(comando.size() == 5);
    Q_ASSERT(argumentos.size() <= 255);
    qsizetype total = 4 + 5 + 1;
    for (const QByteArray& a : argumentos)
        total += 4 + a.size();

    QByteArray m;
    m.reserve(total);
    m += CodificarTamanho(qint32(total));
    m += comando;
    m += char(quint8(argumentos.size()));
    for (const QByteArray& a : argumentos) {
        m += CodificarTamanho(qint32(a.size()));
        m += a;
    }
    return m;
}
