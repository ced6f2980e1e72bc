// The message format: building and parsing a message, cutting a stream; the picture's bytes.
#include "CPacker.h"
#include "CUnPacker.h"
#include "CodecFoto.h"
#include "CortadorFluxo.h"
#include "ErroProtocolo.h"
#include "FuncoesComuns.h"

#include <QTest>
#include <stdexcept>

class TstMensagem : public QObject
{
    Q_OBJECT

private slots:
    // The length field counts the whole message; its first bit is never set.
    void montagem()
    {
        QCOMPARE(MontarMensagem("slBla", {"abc"}),
                 QByteArray::fromHex("00000011736c426c6101 00000003616263"));
        for (qint32 v : {255, 256, 65535, 16777216, 0x7FFFFFFF})
            QCOMPARE(DecodificarTamanho(CodificarTamanho(v)), v);
        QVERIFY_THROWS_EXCEPTION(ErroProtocolo,
                                 DecodificarTamanho(QByteArray::fromHex("80000000")));
        // A command of other than five letters never goes out: it is a fault of the program.
        CPacker p;
        QStringList falhas;
        p.SetTratadorFalha([&](const QString& texto) { falhas << texto; });
        p.Setup(nullptr);
        for (const char* comando : {"abcd", "abcdef", "abcde"})
            p.Enviar(comando);
        QCOMPARE(falhas.size(), 2);
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

    // One byte short is refused before anything reads it; bytes beyond the picture are ignored.
    void fotoDeTamanhoExato()
    {
        const QByteArray cinza = Foto::SemFoto();
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, Foto::DecodificarFoto(cinza.chopped(1)));
        QCOMPARE(Foto::CodificarFoto(Foto::DecodificarFoto(cinza + "x")), cinza);
    }
};

QTEST_APPLESS_MAIN(TstMensagem)
#include "tst_mensagem.moc"
