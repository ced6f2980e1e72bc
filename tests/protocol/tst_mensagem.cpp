#include "CUnPacker.h"
#include "ErroProtocolo.h"
#include "FuncoesComuns.h"

#include <QTest>

class TstMensagem : public QObject
{
    Q_OBJECT
private slots:
    void tamanhosIdaEVolta()
    {
        for (qint32 v : {0, 1, 255, 256, 65535, 16777216, 0x7FFFFFFF}) {
            const QByteArray campo = CodificarTamanho(v);
            QCOMPARE(campo.size(), 4);
            QCOMPARE(DecodificarTamanho(campo), v);
        }
        QCOMPARE(CodificarTamanho(0x11), QByteArray::fromHex("00000011"));
        QCOMPARE(CodificarTamanho(0x01020304), QByteArray::fromHex("01020304"));
    }

    void tamanhoForaDoIntervaloEhErro()
    {
        QVERIFY_THROWS_EXCEPTION(ErroProtocolo, DecodificarTamanho(QByteArray::fromHex("80000000")));
        QVERIFY_THROWS_EXCEPTION(ErroProtocolo, DecodificarTamanho(QByteArray::fromHex("ffffffff")));
        QVERIFY_THROWS_EXCEPTION(ErroProtocolo, DecodificarTamanho(QByteArray::fromHex("000000")));
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
        CUnPacker u;
        u.SetPacote(MontarMensagem("slMsg", {"Ana", binario, ""}));
        QCOMPARE(u.Comando(), QByteArray("slMsg"));
        QCOMPARE(u.Argumentos(), 3);
        QCOMPARE(u.Argumento(1), QByteArray("Ana"));
        QCOMPARE(u.Argumento(2), binario);
        QCOMPARE(u.Argumento(3), QByteArray());
        QVERIFY_THROWS_EXCEPTION(ErroProtocolo, u.Argumento(4));
        QVERIFY_THROWS_EXCEPTION(ErroProtocolo, u.Argumento(0));
    }

    void contagemMaiorQueOsCampos()
    {
        // Count 3 with only 2 fields: the third slot exists and is empty.
        QByteArray m = MontarMensagem("jgInf", {"a", "b"});
        m[9] = 3;
        CUnPacker u;
        u.SetPacote(m);
        QCOMPARE(u.Argumento(1), QByteArray("a"));
        QCOMPARE(u.Argumento(2), QByteArray("b"));
        QCOMPARE(u.Argumento(3), QByteArray());
    }

    void camposAlemDaContagemSaoIgnorados()
    {
        QByteArray m = MontarMensagem("jgInf", {"a", "b"});
        m[9] = 1;
        CUnPacker u;
        u.SetPacote(m);
        QCOMPARE(u.Argumentos(), 1);
        QCOMPARE(u.Argumento(1), QByteArray("a"));
        QVERIFY_THROWS_EXCEPTION(ErroProtocolo, u.Argumento(2));
    }

    void paradasAntecipadasGuardamOQueVeioAntes()
    {
        CUnPacker u;
        // An oversized length field stops the parse; the argument before it stays.
        QByteArray m = MontarMensagem("rdFim", {"1", "2"});
        m.replace(15, 4, QByteArray::fromHex("80000000"));
        u.SetPacote(m);
        QCOMPARE(u.Argumento(1), QByteArray("1"));
        QCOMPARE(u.Argumento(2), QByteArray());

        // A field that claims more bytes than the message has takes what is there.
        QByteArray curto = MontarMensagem("slMsg", {"abcdef"}).left(16);
        u.SetPacote(curto);
        QCOMPARE(u.Argumento(1), QByteArray("ab"));

        // A truncated length field ends the parse quietly.
        QByteArray cortado = MontarMensagem("slMsg", {"x", "y"}).left(17);
        u.SetPacote(cortado);
        QCOMPARE(u.Argumento(1), QByteArray("x"));
        QCOMPARE(u.Argumento(2), QByteArray());
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
