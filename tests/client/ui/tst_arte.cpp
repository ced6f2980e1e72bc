#include "Arte.h"
#include "CBMPRegion.h"
#include "CaixaFigura.h"

#include <QDir>
#include <QPainter>
#include <QSet>
#include <QTest>

namespace {
// The twelve key pixels of a card whose top-left corner is (l, t).
QList<QPoint> Cantos(int l, int t)
{
    const int r = l + Arte::kLarguraCarta - 1, b = t + Arte::kAlturaCarta - 1;
    return {{l, t}, {l + 1, t}, {l, t + 1}, {r, t}, {r - 1, t}, {r, t + 1},
            {l, b}, {l + 1, b}, {l, b - 1}, {r, b}, {r - 1, b}, {r, b - 1}};
}

bool Chave(const QImage& img, QPoint p)
{
    return (img.pixel(p) & 0xFFFFFF) == (Arte::kCorChave & 0xFFFFFF);
}

QString Pasta()
{
    const QString pasta = qEnvironmentVariable("QUARPEL_ARTEFATOS", QDir::tempPath());
    QDir().mkpath(pasta);
    return pasta;
}

// A table with a few cards cut by the back's region, as the table screen shows them.
class MesaDeAmostra : public QWidget
{
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        Arte::PintarMesa(p, rect());
    }
};
} // namespace

class TstArte : public QObject
{
    Q_OBJECT

private slots:
    void cantosComAChaveEmCadaCarta_data()
    {
        QTest::addColumn<QImage>("faces");
        QTest::addColumn<QImage>("verso");
        QTest::newRow("baralho svg") << Arte::FacesCartas() << Arte::VersoCarta();
        QTest::newRow("baralho pintado") << Arte::DesenharFaces({}) << Arte::DesenharVerso({});
    }

    void cantosComAChaveEmCadaCarta()
    {
        QFETCH(QImage, faces);
        QFETCH(QImage, verso);
        QCOMPARE(faces.size(), QSize(710, 384));
        QCOMPARE(verso.size(), QSize(71, 96));

        QList<QImage> cartas{verso};
        for (int s = 0; s < 4; ++s)
            for (int k = 0; k < 10; ++k)
                cartas.append(faces.copy(k * 71, s * 96, 71, 96));
        QSet<size_t> vistas;
        for (int i = 0; i < cartas.size(); ++i) {
            const QImage& c = cartas[i];
            const QList<QPoint> cantos = Cantos(0, 0);
            int chaves = 0;
            for (int y = 0; y < 96; ++y)
                for (int x = 0; x < 71; ++x)
                    if (Chave(c, {x, y})) {
                        QVERIFY2(cantos.contains(QPoint(x, y)),
                                 qPrintable(QStringLiteral("carta %1 em %2,%3").arg(i).arg(x).arg(y)));
                        ++chaves;
                    }
            QCOMPARE(chaves, 12);
            vistas.insert(qHashBits(c.constBits(), size_t(c.sizeInBytes())));
        }
        QCOMPARE(vistas.size(), cartas.size());
    }

    void verso_recortadoPelaRegiao()
    {
        CBMPRegion r;
        QVERIFY(r.CreateFromPic(Arte::VersoCarta(), Arte::kCorChave));
        int area = 0;
        for (const QRect& q : r.Handle())
            area += q.width() * q.height();
        QCOMPARE(area, 71 * 96 - 12);
    }

    void capturas()
    {
        const QString pasta = Pasta();
        QVERIFY(Arte::FacesCartas().save(pasta + "/arte-faces.png"));
        QVERIFY(Arte::DesenharFaces({}).save(pasta + "/arte-faces-pintadas.png"));
        QVERIFY(Arte::VersoCarta().save(pasta + "/arte-verso.png"));
        QVERIFY(Arte::Ninguem().scaled(204, 204).save(pasta + "/arte-ninguem.png"));

        QImage placar = Arte::FundoPlacar();
        {
            QPainter p(&placar);
            for (int k = 0; k < 3; ++k)
                p.drawImage(63 + 16 * k, 21, Arte::Ponto());
            p.drawImage(63, 37, Arte::Ponto());
            p.setPen(Arte::CorTextoPlacar());
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPixelSize(11);
            p.setFont(f);
            const QStringList t{"10", "7", "3"};
            for (int i = 0; i < 3; ++i) {
                const int w = p.fontMetrics().horizontalAdvance(t[i]);
                p.drawText(127 - w / 2, 18 + 16 * i + p.fontMetrics().ascent(), t[i]);
            }
        }
        QVERIFY(placar.scaled(596, 260).save(pasta + "/arte-placar.png"));

        CBMPRegion regiao;
        regiao.CreateFromPic(Arte::VersoCarta(), Arte::kCorChave);
        MesaDeAmostra mesa;
        mesa.resize(400, 260);
        const QList<int> codigos{28, 1, 40, 0, 15, 36};
        for (int i = 0; i < codigos.size(); ++i) {
            auto* c = new CaixaFigura(&mesa);
            c->resize(71, 96);
            c->setMask(regiao.Handle());
            const int cod = codigos[i];
            c->SetFigura(cod ? Arte::FacesCartas().copy((cod - 1) % 10 * 71, (cod - 1) / 10 * 96,
                                                        71, 96)
                             : Arte::VersoCarta());
            c->SetPosicao(15 * (20 + 56 * i), 15 * (30 + (i % 2) * 100));
        }
        const QImage m = mesa.grab().toImage();
        QVERIFY(m.save(pasta + "/arte-mesa.png"));
        // Six times larger, to see the cut corners.
        QVERIFY(m.copy(10, 20, 130, 110).scaled(780, 660).save(pasta + "/arte-mesa-canto.png"));
    }
};

QTEST_MAIN(TstArte)
#include "tst_arte.moc"
