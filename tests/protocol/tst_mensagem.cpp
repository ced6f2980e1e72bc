// The message format: sizes, building, parsing, cutting a stream, and the text encoding.
#include "CUnPacker.h"
#include "CortadorFluxo.h"
#include "ErroProtocolo.h"
#include "FuncoesComuns.h"
#include "Texto.h"

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

    void cortaEmQualquerPosicao()
    {
        // Two and a half messages, then the rest, for every place of the cut.
        const QByteArray a = MontarMensagem("hlInf", {"1", "Ana"});
        const QByteArray b = MontarMensagem("hlInf", {"2", "Bia"});
        const QByteArray fluxo = a + a + b;
        for (int corte = 0; corte <= fluxo.size(); ++corte) {
            CortadorFluxo c;
            QList<QByteArray> saida;
            c.Acrescentar(fluxo.left(corte));
            while (auto m = c.Proxima())
                saida << *m;
            QCOMPARE(c.Pendentes(), corte - saida.size() * a.size());
            c.Acrescentar(fluxo.mid(corte));
            while (auto m = c.Proxima())
                saida << *m;
            QCOMPARE(saida, (QList<QByteArray>{a, a, b}));
            QCOMPARE(c.Pendentes(), 0);
        }
    }

    void tamanhosImpossiveisSaoErro()
    {
        for (const char* campo : {"00000000", "00000003", "80000000"}) {
            CortadorFluxo c;
            c.Acrescentar(QByteArray::fromHex(campo) + "obVer");
            QVERIFY_THROWS_EXCEPTION(ErroProtocolo, c.Proxima());
        }
        CortadorFluxo limitado(100);
        limitado.Acrescentar(CodificarTamanho(101));
        QVERIFY_THROWS_EXCEPTION(ErroProtocolo, limitado.Proxima());
        limitado.Limpar();
        limitado.Acrescentar(MontarMensagem("obVer", {}));
        QVERIFY(limitado.Proxima().has_value());
    }

    void rajadaLongaSaiInteiraEEmOrdem()
    {
        QByteArray rajada;
        for (int i = 0; i < 20000; ++i)
            rajada += MontarMensagem("slMsg", {"x", QByteArray::number(i)});
        // Delivered in odd-sized reads, as a socket would.
        CortadorFluxo c;
        int esperado = 0;
        for (qsizetype pos = 0; pos < rajada.size(); pos += 1459) {
            c.Acrescentar(rajada.mid(pos, 1459));
            while (auto m = c.Proxima())
                QVERIFY(m->endsWith(QByteArray::number(esperado++)));
        }
        QCOMPARE(esperado, 20000);
    }

    void textoWindows1252()
    {
        const QString frase = QStringLiteral("Não é a sua vez: ç ã õ € “aspas”");
        const QByteArray bytes = Texto::ParaBytes(frase);
        QCOMPARE(bytes.size(), frase.size());
        QCOMPARE(quint8(bytes[1]), quint8(0xE3)); // ã
        QCOMPARE(Texto::DeBytes(bytes), frase);
        QCOMPARE(Texto::DeBytes(QByteArray("\x80", 1)), QStringLiteral("€"));
        QCOMPARE(Texto::ParaBytes(QString()), QByteArray());
    }
};

QTEST_APPLESS_MAIN(TstMensagem)
#include "tst_mensagem.moc"
