// The message format: sizes, building, parsing, cutting a stream, the text encoding, and the
// one message builder of the client.
#include "CPacker.h"
#include "CUnPacker.h"
#include "CortadorFluxo.h"
#include "ErroProtocolo.h"
#include "FuncoesComuns.h"
#include "Texto.h"

#include <QTcpSocket>
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

    void empacotador()
    {
        QStringList falhas;
        CPacker c;
        c.SetTratadorFalha([&falhas](const QString& t) { falhas << t; });
        c.SetArgumentos(1);
        c.Enviar("obVer");
        QTcpSocket solto;
        c.Setup(&solto);
        c.Enviar("obVe");
        QCOMPARE(falhas, (QStringList{"Empacotador inativo", "O comando deve ter 5 caracteres"}));
        QVERIFY_THROWS_EXCEPTION(ErroProtocolo, c.SetArgumento(2, "x"));
        // Setting the count to 0 keeps the slots; a non-zero count renews them. With no
        // connection a message is dropped quietly and the count still goes back to 0.
        c.SetArgumentos(2);
        c.SetArgumento(2, "b");
        c.SetArgumentos(0);
        QCOMPARE(c.Argumento(2), QByteArray("b"));
        c.SetArgumentos(2);
        QCOMPARE(c.Argumento(2), QByteArray());
        c.Enviar("nvSal");
        QCOMPARE(c.Argumentos(), quint8(0));
        QCOMPARE(solto.bytesToWrite(), 0);
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
        limitado.Acrescentar(CodificarTamanho(100) + QByteArray(96, 'x')); // at the limit
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

    // Windows-1252: every byte comes back as itself; what the code page cannot hold travels as
    // one '?' per character.
    void texto()
    {
        QByteArray todos(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            todos[b] = char(b);
        const QString t = Texto::DeBytes(todos);
        QVERIFY(t.size() == 256 && t.at(0x80) == QChar(0x20AC) && t.at(0xE3) == QChar(0xE3));
        QCOMPARE(Texto::ParaBytes(t), todos);
        const std::pair<QString, QByteArray> fora[] = {
            {QStringLiteral("a中b"), "a?b"},
            {QString::fromUtf8("a😀b"), "a?b"},
            {QStringLiteral("a") + QChar(0xD83D), "a?"},
            {QStringLiteral("Āé"), "?\xE9"}};
        for (const auto& [texto, bytes] : fora)
            QCOMPARE(Texto::ParaBytes(texto), bytes);
    }
};

QTEST_APPLESS_MAIN(TstMensagem)
#include "tst_mensagem.moc"
