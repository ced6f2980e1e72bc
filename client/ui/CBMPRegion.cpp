#include "CBMPRegion.h"

#include "RegiaoPorFaixas.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <tuple>

namespace {
// A region file is read up to this size: the runs of any picture we shape take a small part of
// it, and a file that claims more is not read into memory whole.
constexpr qint64 kArquivoMaximo = 4 * 1024 * 1024;
// Sides larger than any picture we shape are taken as unreadable, so that no rectangle of the
// file comes near the limits of int.
constexpr int kLadoMaximo = 32767;

// The picture's bits as 32-bit pixels, converted only when they are not already.
QImage Pixels32(const QImage& figura)
{
    if (figura.format() == QImage::Format_RGB32 || figura.format() == QImage::Format_ARGB32)
        return figura;
    return figura.convertToFormat(QImage::Format_ARGB32);
}

bool MesmaCor(QRgb a, QRgb b)
{
    return ((a ^ b) & 0x00FFFFFF) == 0;
}

// A decimal number without sign or blanks; anything else leaves destino as it was.
void LerNumero(QByteArrayView texto, int& destino)
{
    if (texto.isEmpty() || texto.size() > 9)
        return;
    int v = 0;
    for (char c : texto) {
        if (c < '0' || c > '9')
            return;
        v = v * 10 + (c - '0');
    }
    destino = v;
}
} // namespace

bool CBMPRegion::CreateFromPic(const QImage& figura, QRgb crColor)
{
    Destroy();
    if (figura.isNull())
        return false;
    const QImage img = Pixels32(figura);
    const int w = img.width();
    RegiaoPorFaixas regiao;
    QVector<QPair<int, int>> mantidas;
    for (int y = 0; y < img.height(); ++y) {
        const auto* linha = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        mantidas.clear();
        int inicio = 0;
        for (int x = 0; x < w;) {
            if (!MesmaCor(linha[x], crColor)) {
                ++x;
                continue;
            }
            const int x0 = x;
            while (x < w && MesmaCor(linha[x], crColor))
                ++x;
            if (x0 > inicio)
                mantidas.append({inicio, x0});
            inicio = x;
        }
        if (inicio < w)
            mantidas.append({inicio, w});
        regiao.Linha(y, mantidas);
    }
    m_regiao = regiao.Regiao();
    m_temRegiao = true;
    return true;
}

bool CBMPRegion::Destroy()
{
    m_regiao = QRegion();
    m_temRegiao = false;
    return false;
}

bool CBMPRegion::CreateRegionFile(const QImage& figura, QRgb crColor, const QString& lpPath)
{
    if (figura.isNull())
        return false;
    const QImage img = Pixels32(figura);
    const int w = img.width();
    const int h = img.height();
    QByteArray t = QByteArray::number(w) + ',' + QByteArray::number(h) + "\r\n";
    // Row 0 and column 0 are never looked at: the file has always been written this way.
    bool algum = false;
    for (int y = 1; y < h; ++y) {
        const auto* linha = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 1; x < w; ++x) {
            if (!MesmaCor(linha[x], crColor))
                continue;
            const int x0 = x;
            while (x < w && MesmaCor(linha[x], crColor))
                ++x;
            if (algum)
                t += '|';
            t += QByteArray::number(x0) + ',' + QByteArray::number(x) + '@' + QByteArray::number(y);
            algum = true;
        }
    }
    QSaveFile f(lpPath);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(t);
    return f.commit();
}

bool CBMPRegion::CreateFromFile(const QString& lpFile)
{
    QByteArray s;
    QFile f(lpFile);
    if (f.open(QIODevice::ReadOnly))
        s = f.read(kArquivoMaximo);

    int w = 0;
    int h = 0;
    const qsizetype virgula = s.indexOf(',');
    const qsizetype fimCabecalho = s.indexOf("\r\n");
    if (virgula >= 0)
        LerNumero(QByteArrayView(s).first(virgula), w);
    if (virgula >= 0 && fimCabecalho > virgula)
        LerNumero(QByteArrayView(s).sliced(virgula + 1, fimCabecalho - virgula - 1), h);
    if (w > kLadoMaximo || h > kLadoMaximo)
        w = h = 0;
    const QRect base = QRect(QPoint(1, 1), QPoint(w - 1, h - 2)); // (1, 1)-(W, H - 1), exclusive

    // Runs clipped to the rectangle, then merged row by row into one region to subtract.
    std::vector<std::tuple<int, int, int>> corridas; // y, x0, x1
    if (fimCabecalho >= 0 && fimCabecalho + 2 < s.size() && !base.isEmpty()) {
        int x0 = 0, x1 = 0, y = 0;
        const QByteArrayView resto = QByteArrayView(s).sliced(fimCabecalho + 2);
        qsizetype inicio = 0;
        while (inicio <= resto.size()) {
            qsizetype fim = resto.indexOf('|', inicio);
            if (fim < 0)
                fim = resto.size();
            const QByteArrayView registro = resto.sliced(inicio, fim - inicio);
            inicio = fim + 1;
            const qsizetype c = registro.indexOf(',');
            const qsizetype a = registro.indexOf('@', c < 0 ? 0 : c);
            LerNumero(registro.first(c >= 0 ? c : (a >= 0 ? a : registro.size())), x0);
            if (c >= 0)
                LerNumero(registro.sliced(c + 1, (a >= 0 ? a : registro.size()) - c - 1), x1);
            if (a >= 0)
                LerNumero(registro.sliced(a + 1), y);
            const int e = std::max(x0, base.left());
            const int d = std::min(x1, base.right() + 1);
            if (y >= base.top() && y <= base.bottom() && e < d)
                corridas.emplace_back(y, e, d);
        }
    }
    std::sort(corridas.begin(), corridas.end());
    RegiaoPorFaixas cortes;
    QVector<QPair<int, int>> faixas;
    for (size_t i = 0; i < corridas.size();) {
        const int y = std::get<0>(corridas[i]);
        faixas.clear();
        for (; i < corridas.size() && std::get<0>(corridas[i]) == y; ++i) {
            const int e = std::get<1>(corridas[i]);
            const int d = std::get<2>(corridas[i]);
            if (!faixas.isEmpty() && e <= faixas.back().second)
                faixas.back().second = std::max(faixas.back().second, d);
            else
                faixas.append({e, d});
        }
        cortes.Linha(y, faixas);
    }
    m_regiao = QRegion(base).subtracted(cortes.Regiao());
    m_temRegiao = true;
    return true;
}
