#include "Foto.h"

#include <QRandomGenerator>
#include <QTest>
#include <stdexcept>

namespace {
QByteArray Aleatoria(quint32 semente)
{
    QRandomGenerator g(semente);
    QByteArray b(Foto::kBytes, '\0');
    for (char& c : b)
        c = char(g.bounded(256));
    return b;
}
} // namespace

class TstFoto : public QObject
{
    Q_OBJECT

private slots:
    void bytesViramPixelsNaOrdemDoFio()
    {
        QByteArray b(Foto::kBytes, '\0');
        b[0] = char(255); // top-left: pure red
        // Row 3, column 7 sits at 153 * 3 + 3 * 7; bottom-right is the last three bytes.
        b.replace(153 * 3 + 3 * 7, 3, "\x0A\x14\x1E");
        b.replace(Foto::kBytes - 3, 3, "\x01\x02\x03");
        const QImage f = Foto::DecodificarFoto(b);
        QCOMPARE(f.size(), QSize(51, 51));
        QCOMPARE(f.pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(f.pixel(7, 3), qRgb(10, 20, 30));
        QCOMPARE(f.pixel(3, 7), qRgb(0, 0, 0));
        QCOMPARE(f.pixel(50, 50), qRgb(1, 2, 3));
    }

    void fotoCurtaEhErroEBytesAMaisSaoIgnorados()
    {
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 Foto::DecodificarFoto(QByteArray(Foto::kBytes - 1, 'a')));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, Foto::DecodificarFoto(QByteArray()));
        const QByteArray b = Aleatoria(7);
        QCOMPARE(Foto::DecodificarFoto(b + "resto"), Foto::DecodificarFoto(b));
        // Cutting pictures to the preview is checked through the profile dialog.
        QVERIFY(Foto::Recortar(QImage()).isNull());
    }

    void codificarDevolveOsMesmosBytesSemQueDecodificacoesSePerturbem()
    {
        QByteArray a = Aleatoria(1);
        const QByteArray b = Aleatoria(2);
        const QImage fa = Foto::DecodificarFoto(a);
        const QImage fb = Foto::DecodificarFoto(b);
        // The first image owns its pixels: neither the next decoding nor a change of the bytes
        // it came from reaches it.
        a.fill('\x7f');
        QCOMPARE(Foto::CodificarFoto(fa), Aleatoria(1));
        QCOMPARE(Foto::CodificarFoto(fb), b);
    }
};

QTEST_GUILESS_MAIN(TstFoto)
#include "tst_foto.moc"
