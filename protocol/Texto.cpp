#include "Texto.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

namespace Texto {

namespace {

struct Tabelas
{
    bool valida = false;
    std::array<char16_t, 256> deByte{};
    // The characters below U+0100 that are their own byte need no look-up; the rest (27 of them)
    // are kept here with their byte.
    std::array<qint16, 256> latin1{}; // byte for U+0000..U+00FF, -1 when Windows-1252 lacks it
    QHash<char16_t, char> outros;

    Tabelas()
    {
        latin1.fill(-1);
        QStringDecoder decodificador("windows-1252");
        if (!decodificador.isValid())
            return;
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            const QString s = decodificador.decode(QByteArrayView(&c, 1));
            if (decodificador.hasError() || s.size() != 1)
                return;
            const char16_t u = s.front().unicode();
            deByte[b] = u;
            if (u < 256)
                latin1[u] = qint16(b);
            else
                outros.insert(u, c);
        }
        valida = true;
    }
};

const Tabelas& Tabela()
{
    static const Tabelas tabelas;
    return tabelas;
}

} // namespace

bool Disponivel()
{
    return Tabela().valida;
}

namespace {

void Decodificar(const Tabelas& t, QByteArrayView bytes, QChar* destino)
{
    char16_t* alvo = reinterpret_cast<char16_t*>(destino);
    const auto* origem = reinterpret_cast<const uchar*>(bytes.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        alvo[i] = t.deByte[origem[i]];
}

} // namespace

QString DeBytes(QByteArrayView bytes)
{
    const Tabelas& t = Tabela();
    if (!t.valida)
        return QString();
    QString texto(bytes.size(), Qt::Uninitialized);
    Decodificar(t, bytes, texto.data());
    return texto;
}

void DeBytes(QByteArrayView bytes, QString& destino)
{
    const Tabelas& t = Tabela();
    if (!t.valida) {
        destino = QString();
        return;
    }
    destino.resize(bytes.size()); // keeps the buffer when it is not shared and large enough
    Decodificar(t, bytes, destino.data());
}

QByteArray ParaBytes(const QString& texto)
{
    const Tabelas& t = Tabela();
    if (!t.valida)
        return QByteArray();
    QByteArray bytes(texto.size(), Qt::Uninitialized);
    char* destino = bytes.data();
    const auto* origem = reinterpret_cast<const char16_t*>(texto.utf16());
    const qsizetype n = texto.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = origem[i];
        if (u < 256 && t.latin1[u] >= 0) {
            *destino++ = char(t.latin1[u]);
        } else if (const auto it = t.outros.constFind(u); it != t.outros.cend()) {
            *destino++ = *it;
        } else {
            *destino++ = '?';
            if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(origem[i + 1]))
                ++i; // one character, one '?'
        }
    }
    bytes.truncate(destino - bytes.data());
    return bytes;
}

} // namespace Texto
