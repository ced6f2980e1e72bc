#include "Arte.h"

#include <QSet>
#include <QTest>

class TstArte : public QObject
{
    Q_OBJECT

private slots:
    // Every card, from the deck and painted, has the key colour in exactly its twelve corner
    // pixels and no two cards are alike.
    void cantos_data()
    {
        QTest::addColumn<QImage>("faces");
        QTest::addColumn<QImage>("verso");
        QTest::newRow("baralho svg") << Arte::FacesCartas() << Arte::VersoCarta();
        QTest::newRow("baralho pintado") << Arte::DesenharFaces({}) << Arte::DesenharVerso({});
    }

    void cantos()
    {
        QFETCH(QImage, faces);
        QFETCH(QImage, verso);
        QCOMPARE(faces.size(), QSize(710, 384));
        QCOMPARE(verso.size(), QSize(71, 96));
        QList<QImage> cartas{verso};
        for (int c = 0; c < 40; ++c)
            cartas.append(faces.copy(c % 10 * 71, c / 10 * 96, 71, 96));
        QList<QPoint> cantos;
        for (int x : {0, 70})
            for (int y : {0, 95})
                cantos << QPoint(x, y) << QPoint(x == 0 ? 1 : 69, y) << QPoint(x, y == 0 ? 1 : 94);
        QSet<size_t> vistas;
        for (const QImage& c : cartas) {
            QList<QPoint> chaves;
            for (int y = 0; y < 96; ++y)
                for (int x = 0; x < 71; ++x)
                    if ((c.pixel(x, y) & 0xFFFFFF) == (Arte::kCorChave & 0xFFFFFF))
                        chaves << QPoint(x, y);
            QCOMPARE(QSet(chaves.begin(), chaves.end()), QSet(cantos.begin(), cantos.end()));
            vistas.insert(qHashBits(c.constBits(), size_t(c.sizeInBytes())));
        }
        QCOMPARE(vistas.size(), cartas.size());
    }
};

QTEST_MAIN(TstArte)
#include "tst_arte.moc"
