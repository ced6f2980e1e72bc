#include "CUnPacker.h"
#include "ErroProtocolo.h"
#include "FuncoesComuns.h"

#include <QTest>

class TstMensagem : public QObject
{
    Q_OBJECT

    static CUnPacker Analisado(const QByteArray& pacote)
    {
        CUnPacker u;
        u.SetPacote(pacote);
        return u;
    }

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

    void analisaOQueFoiMontado()
    {
        const QByteArray binario("a\0b\r\nc", 6);
        CUnPacker u = Analisado(MontarMensagem("slMsg", {"Ana", binario, ""}));
        QCOMPARE(u.Comando(), QByteArray("slMsg"));
        QCOMPARE(u.Argumentos(), 3);
        QCOMPARE(u.Argumento(1), QByteArray("Ana"));
        QCOMPARE(u.Argumento(2), binario);
        QCOMPARE(u.Argumento(3), QByteArray());
        QVERIFY_THROWS_EXCEPTION(ErroProtocolo, u.Argumento(4));
        QVERIFY_THROWS_EXCEPTION(ErroProtocolo, u.Argumento(0));
    }

    void contagemManda()
    {
        // Count 3 with only 2 fields: the third slot exists and is empty.
        QByteArray m = MontarMensagem("jgInf", {"a", "b"});
        m[9] = 3;
        CUnPacker u = Analisado(m);
        QCOMPARE(u.Argumento(2), QByteArray("b"));
        QCOMPARE(u.Argumento(3), QByteArray());
        // Count 1 with 2 fields: the second is ignored.
        m[9] = 1;
        u.SetPacote(m);
        QCOMPARE(u.Argumentos(), 1);
        QCOMPARE(u.Argumento(1), QByteArray("a"));
        QVERIFY_THROWS_EXCEPTION(ErroProtocolo, u.Argumento(2));
    }

    void paradasAntecipadasGuardamOQueVeioAntes()
    {
        // An oversized length field stops the parse; the argument before it stays.
        QByteArray m = MontarMensagem("rdFim", {"1", "2"});
        m.replace(15, 4, QByteArray::fromHex("80000000"));
        CUnPacker u = Analisado(m);
        QCOMPARE(u.Argumento(1), QByteArray("1"));
        QCOMPARE(u.Argumento(2), QByteArray());
        // A field that claims more bytes than the message has takes what is there.
        u.SetPacote(MontarMensagem("slMsg", {"abcdef"}).left(16));
        QCOMPARE(u.Argumento(1), QByteArray("ab"));
        // A truncated length field ends the parse quietly.
        u.SetPacote(MontarMensagem("slMsg", {"x", "y"}).left(17));
        QCOMPARE(u.Argumento(1), QByteArray("x"));
        QCOMPARE(u.Argumento(2), QByteArray());
    }

    void mensagemSemArgumentosGuardaOsAnteriores()
    {
        CUnPacker u = Analisado(MontarMensagem("slMsg", {"Ana", "oi"}));
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
