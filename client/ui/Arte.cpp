#include "Arte.h"

#include "Aparencia.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStandardPaths>
#include <QSvgRenderer>

#include <array>

namespace Arte {

namespace {

constexpr int kColunas = 10;
constexpr int kLinhas = 4;

// Cell order of the face sheet: suits by row, ranks by column from the lowest card to the highest.
constexpr std::array<const char*, kLinhas> kNaipesSvg{"club", "heart", "spade", "diamond"};
constexpr std::array<const char*, kColunas> kValoresSvg{"4",    "5",    "6", "7", "queen",
                                                        "jack", "king", "1", "2", "3"};
constexpr std::array<const char*, kColunas> kValoresPintados{"4", "5", "6", "7", "Q",
                                                             "J", "K", "A", "2", "3"};

// The key colour goes in three pixels at each corner: two along the outer row, one on the row
// next to it. Anything else of that colour on the card is nudged off it, so that the region cut
// from the back has no holes.
void MarcarCantos(QImage& img, const QRect& celula)
{
    const QRgb quase = qRgb(128, 128, 254);
    for (int y = celula.top(); y <= celula.bottom(); ++y) {
        auto* linha = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = celula.left(); x <= celula.right(); ++x)
            if ((linha[x] & 0x00FFFFFF) == (kCorChave & 0x00FFFFFF))
                linha[x] = quase;
    }
    const int l = celula.left(), r = celula.right(), t = celula.top(), b = celula.bottom();
    for (const QPoint& p : {QPoint(l, t), QPoint(l + 1, t), QPoint(l, t + 1), QPoint(r, t),
                            QPoint(r - 1, t), QPoint(r, t + 1), QPoint(l, b), QPoint(l + 1, b),
                            QPoint(l, b - 1), QPoint(r, b), QPoint(r - 1, b), QPoint(r, b - 1)})
        img.setPixel(p, kCorChave);
}

QRect Celula(int linha, int coluna)
{
    return QRect(coluna * kLarguraCarta, linha * kAlturaCarta, kLarguraCarta, kAlturaCarta);
}

} // namespace

QString ArquivoDoBaralho()
{
    const QString pasta = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                 QStringLiteral("carddecks/svg-standard"),
                                                 QStandardPaths::LocateDirectory);
    if (pasta.isEmpty())
        return {};
    const QDir dir(pasta);
    QFile indice(dir.filePath(QStringLiteral("index.desktop")));
    if (indice.open(QIODevice::ReadOnly)) {
        while (!indice.atEnd()) {
            const QByteArray linha = indice.readLine().trimmed();
            if (linha.startsWith("SVG=")) {
                const QString nome = QString::fromUtf8(linha.mid(4));
                if (dir.exists(nome))
                    return dir.filePath(nome);
            }
        }
    }
    const QStringList svgs =
        dir.entryList({QStringLiteral("*.svgz"), QStringLiteral("*.svg")}, QDir::Files);
    return svgs.isEmpty() ? QString() : dir.filePath(svgs.first());
}

QImage DesenharFaces(const QString& arquivoSvg)
{
    QImage img(kColunas * kLarguraCarta, kLinhas * kAlturaCarta, QImage::Format_RGB32);
    img.fill(Qt::white);
    QSvgRenderer svg(arquivoSvg);
    if (!svg.isValid())
        return img;
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        for (int s = 0; s < kLinhas; ++s)
            for (int k = 0; k < kColunas; ++k) {
                const QString id =
                    QStringLiteral("%1_%2").arg(kValoresSvg[k], kNaipesSvg[s]);
                svg.render(&p, id, Celula(s, k));
            }
    }
    for (int s = 0; s < kLinhas; ++s)
        for (int k = 0; k < kColunas; ++k)
            MarcarCantos(img, Celula(s, k));
    return img;
}

QImage DesenharVerso(const QString& arquivoSvg)
{
    QImage img(kLarguraCarta, kAlturaCarta, QImage::Format_RGB32);
    img.fill(Qt::white);
    QSvgRenderer svg(arquivoSvg);
    if (svg.isValid()) {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p, QStringLiteral("back"), img.rect());
    }
    MarcarCantos(img, img.rect());
    return img;
}

const QImage& FacesCartas()
{
    static const QImage img = DesenharFaces(ArquivoDoBaralho());
    return img;
}

const QImage& VersoCarta()
{
    static const QImage img = DesenharVerso(ArquivoDoBaralho());
    return img;
}

const QImage& FundoPlacar()
{
    static const QImage img = [] {
        QImage i(149, 65, QImage::Format_RGB32);
        i.fill(QColor(0xFB, 0xF9, 0xF1));
        return i;
    }();
    return img;
}

const QImage& Ponto()
{
    static const QImage img = [] {
        QImage i(7, 7, QImage::Format_ARGB32_Premultiplied);
        i.fill(Qt::transparent);
        QPainter p(&i);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xB0, 0x2A, 0x1E));
        p.drawEllipse(QRectF(0.5, 0.5, 6, 6));
        return i;
    }();
    return img;
}

const QImage& Ninguem()
{
    static const QImage img = [] {
        QImage i(51, 51, QImage::Format_RGB32);
        i.fill(CorMesa().darker(130));
        return i;
    }();
    return img;
}

QColor CorMesa()
{
    return Aparencia::Mesa();
}

QColor CorTextoPlacar()
{
    return QColor(0x1D, 0x22, 0x1F);
}

void PintarMesa(QPainter& p, const QRect& area)
{
    p.fillRect(area, CorMesa());
}

} // namespace Arte
