#include "CortadorFluxo.h"
#include "ErroProtocolo.h"
#include "FuncoesComuns.h"
#include "Texto.h"

#include <QTest>

class TstCortadorFluxo : public QObject
{
    Q_OBJECT
private slots:
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

QTEST_APPLESS_MAIN(TstCortadorFluxo)
#include "tst_cortadorfluxo.moc"
