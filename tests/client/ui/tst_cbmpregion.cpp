#include "CBMPRegion.h"

#include <QTemporaryDir>
#include <QTest>

namespace {
constexpr QRgb kChave = qRgb(128, 128, 255);

void Escrever(const QString& caminho, const QByteArray& conteudo)
{
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(conteudo) == conteudo.size());
}
} // namespace

class TstCBMPRegion : public QObject
{
    Q_OBJECT

    QTemporaryDir pasta;

private slots:
    // '.' is the key colour, '#' a colour one step from it; alfa goes into every pixel.
    void regiaoEArquivo_data()
    {
        QTest::addColumn<QStringList>("desenho");
        QTest::addColumn<int>("alfa");
        QTest::addColumn<QByteArray>("arquivo");
        QTest::newRow("sem a cor") << QStringList{"###", "###"} << 255 << QByteArray("3,2\r\n");
        QTest::newRow("borda direita, alfa 0")
            << QStringList{"####", "##..", "####"} << 0 << QByteArray("4,3\r\n2,4@1");
        QTest::newRow("um pixel; linha 0 e coluna 0 fora do arquivo")
            << QStringList{".###", "#.##", ".###", "####"} << 255 << QByteArray("4,4\r\n1,2@1");
        QTest::newRow("duas corridas numa linha")
            << QStringList{"######", "#.#..#", "##..##", "######"} << 255
            << QByteArray("6,4\r\n1,2@1|3,5@1|2,4@2");
        QTest::newRow("mesmas corridas com uma linha entre elas")
            << QStringList{"####", "#.##", "####", "#.##", "####"} << 255
            << QByteArray("4,5\r\n1,2@1|1,2@3");
    }

    void regiaoEArquivo()
    {
        QFETCH(QStringList, desenho);
        QFETCH(int, alfa);
        QFETCH(QByteArray, arquivo);
        QImage img(int(desenho[0].size()), int(desenho.size()), QImage::Format_ARGB32);
        QRegion esperada;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const bool chave = desenho[y][x] == '.';
                img.setPixel(x, y, ((chave ? kChave : kChave - 1) & 0xFFFFFF) | QRgb(alfa) << 24);
                if (!chave)
                    esperada += QRect(x, y, 1, 1);
            }
        CBMPRegion r;
        QVERIFY(!r.CreateFromPic(QImage(), kChave) && !r.TemRegiao());
        QVERIFY(r.CreateFromPic(img, kChave));
        QVERIFY((r.Handle() ^ esperada).isEmpty());

        const QString caminho = pasta.filePath(QStringLiteral("regiao.txt"));
        Escrever(caminho, "conteudo anterior, mais longo que o novo");
        QVERIFY(r.CreateRegionFile(img, kChave, caminho));
        QFile escrito(caminho);
        QVERIFY(escrito.open(QIODevice::ReadOnly));
        QCOMPARE(escrito.readAll(), arquivo);
        // The file leaves out the top row, the left column and the bottom row.
        CBMPRegion f;
        QVERIFY(f.CreateFromFile(caminho));
        QVERIFY(
            (f.Handle() ^ (esperada & QRect(1, 1, img.width() - 1, img.height() - 2))).isEmpty());
    }
};

QTEST_MAIN(TstCBMPRegion)
#include "tst_cbmpregion.moc"
