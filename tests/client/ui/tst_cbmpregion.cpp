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

    void arquivoMalformado_data()
    {
        QTest::addColumn<QByteArray>("conteudo");
        QTest::addColumn<QRegion>("regiao");
        const QRegion base(1, 1, 9, 3); // "10,5": (1, 1)-(10, 4)
        QTest::newRow("registro ilegivel repete o anterior")
            << QByteArray("10,5\r\n2,4@1|x,y@z") << base.subtracted(QRect(2, 1, 2, 1));
        QTest::newRow("sinal fica com o anterior")
            << QByteArray("10,5\r\n-3,4@1") << base.subtracted(QRect(1, 1, 3, 1));
        QTest::newRow("fora do retangulo ou invertido")
            << QByteArray("10,5\r\n5,50@2|1,3@99|0,3@0|6,2@3")
            << base.subtracted(QRect(5, 2, 5, 1));
        QTest::newRow("lixo") << QByteArray("abc|,@") << QRegion();
        QTest::newRow("tamanho absurdo") << QByteArray("999999999,99999\r\n1,9@1") << QRegion();
        QTest::newRow("nao existe") << QByteArray() << QRegion();
    }

    void arquivoMalformado()
    {
        QFETCH(QByteArray, conteudo);
        QFETCH(QRegion, regiao);
        const QString caminho = pasta.filePath(QString::fromLatin1(QTest::currentDataTag()));
        if (!conteudo.isEmpty())
            Escrever(caminho, conteudo);
        CBMPRegion r;
        QVERIFY(r.CreateFromFile(caminho) && r.TemRegiao());
        QVERIFY((r.Handle() ^ regiao).isEmpty());
    }

    void falhas()
    {
        CBMPRegion r;
        QVERIFY(!r.Destroy() && !r.TemRegiao() && r.Handle().isEmpty());
        QVERIFY(!r.CreateFromPic(QImage(), kChave));
        QImage img(2, 2, QImage::Format_RGB32);
        QVERIFY(!r.CreateRegionFile(img, kChave, pasta.filePath(QStringLiteral("sem/pasta/r"))));
    }
};

QTEST_MAIN(TstCBMPRegion)
#include "tst_cbmpregion.moc"
