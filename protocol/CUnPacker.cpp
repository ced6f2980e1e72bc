#include "CUnPacker.h"

#include "ErroProtocolo.h"
#include "FuncoesComuns.h"

#include <algorithm>

CUnPacker& CUnPacker::Global()
{
    static CUnPacker instancia;
    return instancia;
}

const CUnPacker::Faixa& CUnPacker::Slot(quint8 indice) const
{
    if (indice < 1 || indice > m_faixas.size())
        throw ErroProtocolo("Subscrito fora do intervalo");
    return m_faixas[indice - 1];
}

QByteArray CUnPacker::Argumento(quint8 indice) const
{
    const Faixa& f = Slot(indice);
    return m_origem.sliced(f.inicio, f.tamanho);
}

QByteArrayView CUnPacker::ArgumentoVista(quint8 indice) const
{
    const Faixa& f = Slot(indice);
    return QByteArrayView(m_origem).sliced(f.inicio, f.tamanho);
}

void CUnPacker::SetPacote(QByteArrayView m)
{
    const qsizetype tamanho = m.size();
    m_tamanhoComando = std::clamp<qsizetype>(tamanho - 4, 0, 5);
    if (m_tamanhoComando > 0)
        std::copy_n(m.constData() + 4, m_tamanhoComando, m_comando);
    if (tamanho < 10)
        return;
    m_n = quint8(m[9]);
    if (m_n == 0)
        return;
    m_origem.resize(tamanho); // keeps the capacity: no allocation once it is large enough
    std::copy_n(m.data(), tamanho, m_origem.data());
    m_faixas.clear(); // keeps the capacity
    m_faixas.resize(m_n);

    const uchar* dados = reinterpret_cast<const uchar*>(m.data());
    qsizetype pos = 10;
    for (int i = 1; pos < tamanho - 1; ++i) {
        if (i > m_n)
            return; // more fields than declared
        if (tamanho - pos < 4 || dados[pos] >= 0x80)
            return; // a truncated or oversized length field ends the parse
        const qsizetype l = (qsizetype(dados[pos]) << 24) | (qsizetype(dados[pos + 1]) << 16) |
                            (qsizetype(dados[pos + 2]) << 8) | qsizetype(dados[pos + 3]);
        if (l > 0) {
            const qsizetype inicio = pos + 4;
            m_faixas[i - 1] = {inicio, std::min(l, tamanho - inicio)};
        }
        pos += 4 + l;
    }
}
