#include "CBMPRegion.h"

#include <QTemporaryDir>
#include <QTest>

namespace {
constexpr QRgb kChave = qRgb(128, 128, 255);

// '.' is the key colour, any other character another colour; alfa goes into every pixel.
QImage Desenho(const QStringList& linhas, int alfa = 255)
{
    QImage img(int(linhas[0].size()), int(linhas.size()), QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, ((linhas[y][x] == '.' ? kChave : qRgb(128, 128, 254)) & 0xFFFFFF) |
                                   QRgb(alfa) << 24);
    return img;
}

// What the region must be: every pixel that is not of the key colour.
QRegion Esperada(const QStringList& linhas)
{
    QRegion r;
    for (int y = 0; y < linhas.size(); ++y)
        for (int x = 0; x < linhas[y].size(); ++x)
            if (linhas[y][x] != '.')
                r += QRect(x, y, 1, 1);
    return r;
}

QByteArray Ler(const QString& caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(sem arquivo)");
}

bool Escrever(const QString& caminho, const QByteArray& conteudo)
{
    QFile f(caminho);
    return f.open(QIODevice::WriteOnly) && f.write(conteudo) == conteudo.size();
}
} // namespace

class TstCBMPRegion : public QObject
{
    Q_OBJECT

    QTemporaryDir pasta;

private slots:
    void regiaoEArquivo_data()
    {
        QTest::addColumn<QStringList>("desenho");
        QTest::addColumn<int>("alfa");
        QTest::addColumn<QByteArray>("arquivo");
        QTest::newRow("sem a cor") << QStringList{"###", "###"} << 255 << QByteArray("3,2\r\n");
        QTest::newRow("corrida na borda direita")
            << QStringList{"####", "##..", "####"} << 255 << QByteArray("4,3\r\n2,4@1");
        QTest::newRow("um pixel") << QStringList{"###", "#.#", "###"} << 255
                                  << QByteArray("3,3\r\n1,2@1");
        QTest::newRow("duas corridas numa linha")
            << QStringList{"######", "#.#..#", "##..##", "######"} << 255
            << QByteArray("6,4\r\n1,2@1|3,5@1|2,4@2");
        QTest::newRow("linha 0 e coluna 0 fora do arquivo")
            << QStringList{"..#", ".##", "###"} << 255 << QByteArray("3,3\r\n");
        QTest::newRow("so a cor") << QStringList{"..", ".."} << 255 << QByteArray("2,2\r\n1,2@1");
        QTest::newRow("alfa nao conta") << QStringList{"###", "#..", "###"} << 0
                                        << QByteArray("3,3\r\n1,3@1");
    }

    void regiaoEArquivo()
    {
        QFETCH(QStringList, desenho);
        QFETCH(int, alfa);
        QFETCH(QByteArray, arquivo);
        const QImage img = Desenho(desenho, alfa);
        CBMPRegion r;
        QVERIFY(r.CreateFromPic(img, kChave));
        QVERIFY(r.TemRegiao());
        QVERIFY((r.Handle() ^ Esperada(desenho)).isEmpty());

        const QString caminho = pasta.filePath(QStringLiteral("regiao.txt"));
        QVERIFY(Escrever(caminho, "conteudo anterior, mais longo que o novo"));
        QVERIFY(r.CreateRegionFile(img, kChave, caminho));
        QCOMPARE(Ler(caminho), arquivo);

        // Back from the file: the same region less the top row, the left column and the bottom row.
        const QRegion daFigura = r.Handle();
        CBMPRegion f;
        QVERIFY(f.CreateFromFile(caminho));
        const QRegion esperada =
            daFigura & QRect(1, 1, img.width() - 1, img.height() - 2);
        QVERIFY((f.Handle() ^ esperada).isEmpty());
    }

    void arquivoMalformado_data()
    {
        QTest::addColumn<QByteArray>("conteudo");
        QTest::addColumn<QRegion>("regiao");
        const QRegion base(1, 1, 9, 3); // "10,5": (1, 1)-(10, 4)
        QTest::newRow("so o cabecalho") << QByteArray("10,5\r\n") << base;
        QTest::newRow("registro ilegivel repete o anterior")
            << QByteArray("10,5\r\n2,4@1|x,y@z") << base.subtracted(QRect(2, 1, 2, 1));
        QTest::newRow("numero com sinal fica com o anterior")
            << QByteArray("10,5\r\n-3,4@1") << base.subtracted(QRect(1, 1, 3, 1));
        QTest::newRow("fora do retangulo")
            << QByteArray("10,5\r\n5,50@2|1,3@99|0,3@0") << base.subtracted(QRect(5, 2, 5, 1));
        QTest::newRow("invertido nao corta") << QByteArray("10,5\r\n6,2@2") << base;
        QTest::newRow("sem fim de linha") << QByteArray("10,5") << QRegion();
        QTest::newRow("lixo") << QByteArray("abc|,@") << QRegion();
        QTest::newRow("tamanho absurdo")
            << QByteArray("999999999,999999999\r\n1,999999999@1") << QRegion();
        QTest::newRow("lado acima do limite") << QByteArray("40000,5\r\n") << QRegion();
    }

    void arquivoMalformado()
    {
        QFETCH(QByteArray, conteudo);
        QFETCH(QRegion, regiao);
        const QString caminho = pasta.filePath(QStringLiteral("malformado.txt"));
        QVERIFY(Escrever(caminho, conteudo));
        CBMPRegion r;
        QVERIFY(r.CreateFromFile(caminho));
        QVERIFY2((r.Handle() ^ regiao).isEmpty(), qPrintable(QDebug::toString(r.Handle())));
    }

    void falhas()
    {
        CBMPRegion r;
        QVERIFY(!r.Destroy());
        QVERIFY(!r.TemRegiao());
        QVERIFY(r.Handle().isEmpty());
        QVERIFY(r.CreateFromFile(pasta.filePath(QStringLiteral("nao existe"))));
        QVERIFY(r.Handle().isEmpty());
        QVERIFY(r.TemRegiao());
        QVERIFY(!r.CreateFromPic(QImage(), kChave));
        QVERIFY(!r.TemRegiao());
        QVERIFY(!r.CreateRegionFile(Desenho({"#"}), kChave,
                                    pasta.filePath(QStringLiteral("sem/pasta/regiao.txt"))));
    }
};

QTEST_MAIN(TstCBMPRegion)
#include "tst_cbmpregion.moc"
