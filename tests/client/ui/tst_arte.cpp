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

    // The labels (Rodada, 1a-3a, Total, Seu Time, Adversario, Rodada esta valendo) are printed
    // where the table writes nothing; the cells it writes into (marks, numbers) are plain.
    void placar()
    {
        const QImage& placar = Arte::FundoPlacar();
        QCOMPARE(placar.size(), QSize(149, 65));
        QList<std::pair<QRect, bool>> areas{{{2, 2, 54, 12}, true},   {{60, 2, 13, 12}, true},
                                            {{76, 2, 13, 12}, true},  {{92, 2, 13, 12}, true},
                                            {{108, 2, 39, 12}, true}, {{2, 18, 54, 12}, true},
                                            {{2, 34, 54, 12}, true},  {{2, 50, 102, 12}, true}};
        for (int i = 0; i < 6; ++i)
            areas.append({QRect(63 + 16 * (i % 3), 21 + 16 * (i / 3), 7, 7), false});
        for (int i = 0; i < 3; ++i)
            areas.append({QRect(108, 18 + 16 * i, 38, 13), false});
        for (const auto& [area, comTinta] : areas) {
            const QRgb fundo = placar.pixel(area.topLeft());
            int tinta = 0, outras = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x) {
                    tinta += qGray(placar.pixel(x, y)) < qGray(fundo) - 60;
                    outras += placar.pixel(x, y) != fundo;
                }
            QVERIFY2((tinta > 8) == comTinta && (comTinta || outras == 0),
                     qPrintable(QString("%1,%2").arg(area.x()).arg(area.y())));
        }
    }
};

QTEST_MAIN(TstArte)
#include "tst_arte.moc"
