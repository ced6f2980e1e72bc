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

#include <algorithm>
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

// The card's edge, drawn pixel by pixel to follow the cut (the deck's own corners are rounder
// than three pixels can show): a dark line along the outer rows and columns that steps in by one
// diagonal pixel at each corner, with paper just inside. The key colour goes in three pixels at
// each corner: two along the outer row, one on the row next to it. Anything else of that colour
// on the card is nudged off it, so that the region cut from the back has no holes.
void Contornar(QImage& img, const QRect& celula)
{
    const QRgb quase = qRgb(128, 128, 254);
    for (int y = celula.top(); y <= celula.bottom(); ++y) {
        auto* linha = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = celula.left(); x <= celula.right(); ++x)
            if ((linha[x] & 0x00FFFFFF) == (kCorChave & 0x00FFFFFF))
                linha[x] = quase;
    }
    const QRgb borda = qRgb(0x1A, 0x1A, 0x1A), papel = qRgb(255, 255, 255);
    const int l = celula.left(), r = celula.right(), t = celula.top(), b = celula.bottom();
    for (int x = l + 2; x <= r - 2; ++x) {
        img.setPixel(x, t, borda);
        img.setPixel(x, b, borda);
    }
    for (int y = t + 2; y <= b - 2; ++y) {
        img.setPixel(l, y, borda);
        img.setPixel(r, y, borda);
    }
    // Each corner: (dx, dy) points inwards.
    for (const auto& [cx, cy, dx, dy] : {std::array{l, t, 1, 1}, std::array{r, t, -1, 1},
                                         std::array{l, b, 1, -1}, std::array{r, b, -1, -1}}) {
        img.setPixel(cx, cy, kCorChave);
        img.setPixel(cx + dx, cy, kCorChave);
        img.setPixel(cx, cy + dy, kCorChave);
        img.setPixel(cx + dx, cy + dy, borda);
        img.setPixel(cx + 2 * dx, cy + dy, papel);
        img.setPixel(cx + dx, cy + 2 * dy, papel);
    }
}

QRect Celula(int linha, int coluna)
{
    return QRect(coluna * kLarguraCarta, linha * kAlturaCarta, kLarguraCarta, kAlturaCarta);
}

bool TemTodasAsCartas(const QSvgRenderer& svg)
{
    for (const char* naipe : kNaipesSvg)
        for (const char* valor : kValoresSvg)
            if (!svg.elementExists(QStringLiteral("%1_%2").arg(valor, naipe)))
                return false;
    return true;
}

QFont Fonte(int pixels, bool negrito = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(negrito);
    return f;
}

// Text centred on a point, by its drawn outline rather than by the font's line box, so that
// symbols sit where the eye expects them; upside down for the lower half of a card.
void Centrado(QPainter& p, const QString& texto, const QFont& fonte, QPointF centro,
              bool invertido = false)
{
    QPainterPath caminho;
    caminho.addText(0, 0, fonte, texto);
    const QRectF caixa = caminho.boundingRect();
    p.save();
    p.translate(centro);
    if (invertido)
        p.rotate(180);
    p.translate(-caixa.center());
    p.drawPath(caminho);
    p.restore();
}

// Where the pips of the number cards go, by rank column (4, 5, 6, 7, -, -, -, -, 2, 3).
QList<QPointF> Pips(int coluna)
{
    constexpr double e = 22, m = 35.5, d = 49, a = 22, c = 48, b = 74;
    const QList<QPointF> quatro{{e, a}, {d, a}, {e, b}, {d, b}};
    switch (coluna) {
    case 0:
        return quatro;
    case 1:
        return quatro + QList<QPointF>{{m, c}};
    case 2:
        return quatro + QList<QPointF>{{e, c}, {d, c}};
    case 3:
        return quatro + QList<QPointF>{{e, c}, {d, c}, {m, 35}};
    case 8:
        return {{m, a}, {m, b}};
    case 9:
        return {{m, a}, {m, c}, {m, b}};
    default:
        return {};
    }
}

// The deck drawn here when the system has none: index and suit in two corners, pips for the
// number cards, a framed letter for the court cards and one large pip for the ace.
QImage PintarFaces()
{
    static const QStringList naipes{QStringLiteral("\u2663"), QStringLiteral("\u2665"),
                                    QStringLiteral("\u2660"), QStringLiteral("\u2666")};
    QImage img(kColunas * kLarguraCarta, kLinhas * kAlturaCarta, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QFont indice = Fonte(13, true), pequeno = Fonte(10), pip = Fonte(15), grande = Fonte(34),
                figura = Fonte(26, true);
    for (int s = 0; s < kLinhas; ++s) {
        const QColor tinta =
            (s == 1 || s == 3) ? QColor(0xC0, 0x16, 0x1E) : QColor(0x14, 0x14, 0x14);
        for (int k = 0; k < kColunas; ++k) {
            const QRect cel = Celula(s, k);
            p.save();
            p.translate(cel.topLeft());
            p.setBrush(tinta);
            const QString valor = QString::fromLatin1(kValoresPintados[k]);
            for (bool inv : {false, true}) {
                const double x = inv ? 71 - 9.5 : 9.5, y1 = inv ? 96 - 11 : 11,
                             y2 = inv ? 96 - 25 : 25;
                Centrado(p, valor, indice, {x, y1}, inv);
                Centrado(p, naipes[s], pequeno, {x, y2}, inv);
            }
            if (k >= 4 && k <= 6) {
                const QRectF quadro(17, 14, 37, 68);
                p.setBrush(QColor(0xF6, 0xEB, 0xC8));
                p.setPen(QPen(tinta, 1));
                p.drawRect(quadro.adjusted(0.5, 0.5, -0.5, -0.5));
                p.setPen(Qt::NoPen);
                p.setBrush(tinta);
                Centrado(p, valor, figura, {35.5, 36});
                Centrado(p, naipes[s], pip, {35.5, 64});
            } else if (k == 7) {
                Centrado(p, naipes[s], grande, {35.5, 48});
            } else {
                for (const QPointF& c : Pips(k))
                    Centrado(p, naipes[s], pip, c, c.y() > 48);
            }
            p.restore();
        }
    }
    p.end();
    for (int s = 0; s < kLinhas; ++s)
        for (int k = 0; k < kColunas; ++k)
            Contornar(img, Celula(s, k));
    return img;
}

// The painted back: a white margin around a deep red field with a fine lattice.
QImage PintarVerso()
{
    QImage img(kLarguraCarta, kAlturaCarta, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        const QRect campo(4, 4, kLarguraCarta - 8, kAlturaCarta - 8);
        p.fillRect(campo, QColor(0x8E, 0x23, 0x1F));
        p.setClipRect(campo.adjusted(2, 2, -2, -2));
        p.setPen(QPen(QColor(0xC2, 0x5A, 0x4E), 1));
        for (int i = -kAlturaCarta; i < kLarguraCarta + kAlturaCarta; i += 5) {
            p.drawLine(i, 0, i + kAlturaCarta, kAlturaCarta);
            p.drawLine(i, kAlturaCarta, i + kAlturaCarta, 0);
        }
        p.setClipping(false);
        p.setPen(QPen(QColor(0xF6, 0xEB, 0xC8), 1));
        p.drawRect(campo.adjusted(2, 2, -3, -3));
    }
    Contornar(img, img.rect());
    return img;
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

namespace {
// The faces from a loaded deck that has every card; null otherwise.
QImage FacesDoSvg(QSvgRenderer& svg)
{
    if (!svg.isValid() || !TemTodasAsCartas(svg))
        return {};
    QImage img(kColunas * kLarguraCarta, kLinhas * kAlturaCarta, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        for (int s = 0; s < kLinhas; ++s)
            for (int k = 0; k < kColunas; ++k)
                svg.render(&p, QStringLiteral("%1_%2").arg(kValoresSvg[k], kNaipesSvg[s]),
                           Celula(s, k));
    }
    for (int s = 0; s < kLinhas; ++s)
        for (int k = 0; k < kColunas; ++k)
            Contornar(img, Celula(s, k));
    return img;
}

QImage VersoDoSvg(QSvgRenderer& svg)
{
    if (!svg.isValid() || !svg.elementExists(QStringLiteral("back")))
        return {};
    QImage img(kLarguraCarta, kAlturaCarta, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p, QStringLiteral("back"), img.rect());
    }
    Contornar(img, img.rect());
    return img;
}

// The deck is read once for both the faces and the back.
struct Baralho
{
    QImage faces;
    QImage verso;
};

const Baralho& BaralhoDoSistema()
{
    static const Baralho b = [] {
        QSvgRenderer svg;
        const QString arquivo = ArquivoDoBaralho();
        if (!arquivo.isEmpty())
            svg.load(arquivo);
        QImage faces = FacesDoSvg(svg);
        QImage verso = VersoDoSvg(svg);
        return Baralho{faces.isNull() ? PintarFaces() : faces,
                       verso.isNull() ? PintarVerso() : verso};
    }();
    return b;
}
} // namespace

QImage DesenharFaces(const QString& arquivoSvg)
{
    QSvgRenderer svg;
    if (!arquivoSvg.isEmpty())
        svg.load(arquivoSvg);
    const QImage img = FacesDoSvg(svg);
    return img.isNull() ? PintarFaces() : img;
}

QImage DesenharVerso(const QString& arquivoSvg)
{
    QSvgRenderer svg;
    if (!arquivoSvg.isEmpty())
        svg.load(arquivoSvg);
    const QImage img = VersoDoSvg(svg);
    return img.isNull() ? PintarVerso() : img;
}

const QImage& FacesCartas()
{
    return BaralhoDoSistema().faces;
}

const QImage& VersoCarta()
{
    return BaralhoDoSistema().verso;
}

// The scoreboard is a paper score card in a grid of 16-pixel rows: the header, the local team,
// the other team and the hand's value. The table writes into it at fixed places: trick marks at
// x 63, 79, 95 on rows 21 and 37, numbers centred on x 127 at tops 18, 34 and 50. The columns
// are cut around those places (marks centred on 66, 82, 98; the Total column from 106 to the
// edge) and those cells are left plain.
const QImage& FundoPlacar()
{
    static const QImage img = [] {
        const QColor papel(0xFB, 0xF9, 0xF1), cabecalho(0xE8, 0xE1, 0xCC), linha(0xCF, 0xC6, 0xAC),
            tinta = CorTextoPlacar();
        QImage i(149, 65, QImage::Format_RGB32);
        i.fill(papel);
        QPainter p(&i);
        p.fillRect(QRect(0, 0, 149, 16), cabecalho);
        p.setPen(linha);
        for (int y : {16, 32, 48})
            p.drawLine(1, y, 147, y);
        for (int x : {58, 74, 90})
            p.drawLine(x, 1, x, 47);
        p.drawLine(106, 1, 106, 63);
        p.setPen(QColor(0x5A, 0x55, 0x48));
        p.drawRect(0, 0, 148, 64);

        p.setRenderHint(QPainter::TextAntialiasing);
        p.setPen(tinta);
        const QFont fonte = Fonte(9), negrito = Fonte(9, true);
        auto texto = [&](const QRect& r, int alinhamento, const QFont& f, const QString& t) {
            p.setFont(f);
            p.drawText(r, alinhamento | Qt::AlignVCenter, t);
        };
        texto(QRect(4, 0, 54, 16), Qt::AlignLeft, negrito, QStringLiteral("Rodada"));
        const QStringList vazas{QStringLiteral("1\u00AA"), QStringLiteral("2\u00AA"),
                                QStringLiteral("3\u00AA")};
        for (int k = 0; k < 3; ++k)
            texto(QRect(58 + 16 * k, 0, 17, 16), Qt::AlignHCenter, negrito, vazas[k]);
        texto(QRect(106, 0, 43, 16), Qt::AlignHCenter, negrito, QStringLiteral("Total"));
        texto(QRect(4, 16, 54, 16), Qt::AlignLeft, fonte, QStringLiteral("Seu Time"));
        texto(QRect(4, 32, 54, 16), Qt::AlignLeft, fonte, QStringLiteral("Advers\u00E1rio"));
        texto(QRect(4, 48, 102, 16), Qt::AlignLeft, fonte,
              QStringLiteral("Rodada est\u00E1 valendo"));
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
        p.setBrush(QColor(0xB0, 0x24, 0x1C));
        p.drawEllipse(QRectF(0, 0, 7, 7));
        return i;
    }();
    return img;
}

// An empty chair seen from the table: a faint outline of a person, dashed, on darker felt.
const QImage& Ninguem()
{
    static const QImage img = [] {
        QImage i(51, 51, QImage::Format_RGB32);
        QPainter p(&i);
        p.setRenderHint(QPainter::Antialiasing);
        QRadialGradient luz(25.5, 20, 36);
        luz.setColorAt(0, CorMesa().darker(115));
        luz.setColorAt(1, CorMesa().darker(165));
        p.fillRect(i.rect(), luz);
        QPainterPath pessoa;
        pessoa.addEllipse(QPointF(25.5, 18), 8, 8.5);
        QPainterPath ombros;
        ombros.moveTo(9, 48);
        ombros.cubicTo(9, 34, 16, 30, 25.5, 30);
        ombros.cubicTo(35, 30, 42, 34, 42, 48);
        QPen tracejado(QColor(0xF5, 0xF1, 0xE3, 120), 1.4);
        tracejado.setDashPattern({2.5, 2});
        p.setPen(tracejado);
        p.setBrush(QColor(0xF5, 0xF1, 0xE3, 22));
        p.drawPath(pessoa);
        p.drawPath(ombros);
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

// The felt is drawn once per size and kept: the table repaints under every moving card.
void PintarMesa(QPainter& p, const QRect& area)
{
    static QImage cache;
    if (cache.size() != area.size()) {
        cache = QImage(area.size(), QImage::Format_RGB32);
        QPainter q(&cache);
        q.setRenderHint(QPainter::Antialiasing);
        const QRectF r(cache.rect());
        QRadialGradient luz(r.center(), std::max(r.width(), r.height()) * 0.62);
        luz.setColorAt(0, CorMesa().lighter(118));
        luz.setColorAt(0.55, CorMesa());
        luz.setColorAt(1, CorMesa().darker(150));
        q.fillRect(r, luz);
        // The rail: a thin light line with a dark one outside it, a few pixels in from the edge.
        const QRectF trilho = r.adjusted(7.5, 7.5, -7.5, -7.5);
        q.setBrush(Qt::NoBrush);
        q.setPen(QPen(QColor(0, 0, 0, 60), 3));
        q.drawRoundedRect(trilho.adjusted(-2, -2, 2, 2), 14, 14);
        q.setPen(QPen(QColor(0xD9, 0xB1, 0x4E, 70), 1));
        q.drawRoundedRect(trilho, 12, 12);
    }
    p.drawImage(area.topLeft(), cache);
}

} // namespace Arte
