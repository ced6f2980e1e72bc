#include "CUnPacker.h"
#include "ErroProtocolo.h"
#include "FuncoesComuns.h"

#include <QTest>

class TstMensagem : public QObject
{
    Q_OBJECT

private slots:
    void campoDeTamanho()
    {
        for (qint32 v : {0, 1, 255, 256, 65535, 16777216, 0x7FFFFFFF})
            QCOMPARE(DecodificarTamanho(CodificarTamanho(v)), v);
        QCOMPARE(CodificarTamanho(0x01020304), QByteArray::fromHex("01020304"));
        for (const char* campo : {"80000000", "ffffffff", "000000"})
            QVERIFY_THROWS_EXCEPTION(ErroProtocolo, DecodificarTamanho(QByteArray::fromHex(campo)));
    }

    void exemplosDoFormato()
    {
        QCOMPARE(MontarMensagem("obVer", {}), QByteArray::fromHex("0000000a6f62566572 00"));
        QCOMPARE(MontarMensagem("slBla", {"abc"}),
                 QByteArray::fromHex("00000011736c426c6101 00000003616263"));
        QCOMPARE(MontarMensagem("Troca", {"", "x"}),
                 QByteArray::fromHex("00000013 54726f6361 02 00000000 00000001 78"));
    }

    void analise_data()
    {
        QTest::addColumn<QByteArray>("pacote");
        QTest::addColumn<QByteArrayList>("argumentos");
        const QByteArray binario("a\0b\r\nc", 6);
        QTest::newRow("montada") << MontarMensagem("slMsg", {"Ana", binario, ""})
                                 << QByteArrayList{"Ana", binario, ""};
        // The count rules: a slot with no field is empty, a field beyond the count is ignored.
        QByteArray m = MontarMensagem("jgInf", {"a", "b"});
        QTest::newRow("contagem maior") << m.replace(9, 1, "\x03") << QByteArrayList{"a", "b", ""};
        QTest::newRow("contagem menor") << m.replace(9, 1, "\x01") << QByteArrayList{"a"};
        // Stops: an oversized length field, a field longer than the message (it takes what is
        // there), a cut length field. What came before stays.
        m = MontarMensagem("rdFim", {"1", "2"});
        QTest::newRow("tamanho enorme")
            << m.replace(15, 4, QByteArray::fromHex("80000000")) << QByteArrayList{"1", ""};
        QTest::newRow("campo alem do fim")
            << MontarMensagem("slMsg", {"abcdef"}).left(16) << QByteArrayList{"ab"};
        QTest::newRow("tamanho cortado")
            << MontarMensagem("slMsg", {"x", "y"}).left(17) << QByteArrayList{"x", ""};
    }

    void analise()
    {
        QFETCH(QByteArray, pacote);
        QFETCH(QByteArrayList, argumentos);
        CUnPacker u;
        u.SetPacote(pacote);
        QCOMPARE(u.Comando(), pacote.mid(4, 5));
        QCOMPARE(u.Argumentos(), argumentos.size());
        for (int i = 0; i < argumentos.size(); ++i)
            QCOMPARE(u.Argumento(i + 1), argumentos[i]);
        QVERIFY_THROWS_EXCEPTION(ErroProtocolo, u.Argumento(argumentos.size() + 1));
        QVERIFY_THROWS_EXCEPTION(ErroProtocolo, u.Argumento(0));
    }

    void mensagemSemArgumentosGuardaOsAnteriores()
    {
        CUnPacker u;
        u.SetPacote(MontarMensagem("slMsg", {"Ana", "oi"}));
        u.SetPacote(MontarMensagem("cmJog", {}));
        QCOMPARE(u.Comando(), QByteArray("cmJog"));
        QCOMPARE(u.Argumentos(), 2);
        QCOMPARE(u.Argumento(2), QByteArray("oi"));
        // Shorter than the count byte: the command is what there is, the slots stay.
        u.SetPacote(QByteArray::fromHex("00000007414243"));
        QCOMPARE(u.Comando(), QByteArray("ABC"));
        QCOMPARE(u.Argumento(1), QByteArray("Ana"));
    }
};

QTEST_APPLESS_MAIN(TstMensagem)
#include "tst_mensagem.moc"
