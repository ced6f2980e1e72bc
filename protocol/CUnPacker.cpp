#include "CUnPacker.h"

#include "ErroProtocolo.h"
#include "FuncoesComuns.h"

CUnPacker& CUnPacker::Global()
{
    static CUnPacker instancia;
    return instancia;
}

QByteArray CUnPacker::Argumento(quint8 indice) const
{
    if (indice < 1 || indice > m_slots.size())
        throw ErroProtocolo("Subscrito fora do intervalo");
    return m_slots[indice - 1];
}

void CUnPacker::SetPacote(const QByteArray& m)
{
    m_comando = m.mid(4, 5);
    if (m.size() < 10)
        return;
    m_n = quint8(m[9]);
    if (m_n == 0)
        return;
    m_slots = QList<QByteArray>(m_n);

    qsizetype pos = 10;
    for (int i = 1; pos < m.size() - 1; ++i) {
        if (i > m_n)
            return; // more fields than declared
        qint32 l = 0;
        try {
            l = DecodificarTamanho(QByteArrayView(m).sliced(pos, qMin<qsizetype>(4, m.size() - pos)));
        } catch (const ErroProtocolo&) {
            return; // a truncated or oversized length field ends the parse
        }
        if (l > 0)
            m_slots[i - 1] = m.mid(pos + 4, l);
        pos += 4 + qsizetype(l);
    }
}
