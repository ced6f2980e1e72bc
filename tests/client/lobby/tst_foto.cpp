#include "Foto.h"

#include <QRandomGenerator>
#include <QTest>
#include <stdexcept>

// The 51 x 51 picture as it travels: three bytes a pixel, row by row.
class TstFoto : public QObject
{
    Q_OBJECT

private slots:
    void bytesEPixels()
    {
        QByteArray b(Foto::kBytes, '\0');
        QRandomGenerator g(7);
        for (char& c : b)
            c = char(g.bounded(256));
        // Row 3, column 7 sits at 153 * 3 + 3 * 7; bottom-right is the last three bytes.
        b.replace(153 * 3 + 3 * 7, 3, "\x0A\x14\x1E");
        b.replace(Foto::kBytes - 3, 3, "\x01\x02\x03");
        QByteArray copia = b;
        const QImage f = Foto::DecodificarFoto(copia + "resto");
        QCOMPARE(f.size(), QSize(51, 51));
        QCOMPARE(f.pixel(7, 3), qRgb(10, 20, 30));
        QCOMPARE(f.pixel(50, 50), qRgb(1, 2, 3));
        // The image owns its pixels: a change of the bytes it came from does not reach it.
        copia.fill('\x7f');
        QCOMPARE(Foto::CodificarFoto(f), b);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, Foto::DecodificarFoto(b.chopped(1)));
        QVERIFY(Foto::Recortar(QImage()).isNull());
    }
};

QTEST_GUILESS_MAIN(TstFoto)
#include "tst_foto.moc"
