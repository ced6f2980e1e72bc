#include "Bancada.h"
#include "Espera.h"
#include "TelaCadastro.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "Versao.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>

// The receive path against a scripted server: routing, the replies handled here and the one
// error report.
class TstRecepcao : public QObject
{
    Q_OBJECT

    std::unique_ptr<Bancada> b;

private slots:
    void init()
    {
        b = std::make_unique<Bancada>();
        QVERIFY(b->cliente);
    }

    void cleanup() { b.reset(); }

    // Every command reaches its reaction, with well-formed arguments; near misses (unknown,
    // another case, a letter short, too short to be a command) reach none. The window shows once
    // the versions agree.
    void todoComandoChegaASuaReacao()
    {
        QVERIFY(!b->cliente->isVisible());
        // Each command, then its arguments after one space each.
        const QByteArrayList mensagens =
            QByteArray(
                "imLoc |slInf 0|hlInf 0|slMsg ana oi|jgInf ana       |cmJog|cmPrt 5 12 0 40|"
                "Carta 1 7|Truco 1 3 bia|tcAct|rdFim -1 0 0|prFim 0 0|cmM11 5 12 0 40 1 2 3 0|"
                "esM11|jgFim 0|erCNC a|erEnt b|erCmJ c|okAcc|okEnt Sala|Setar k v")
                .split('|');
        QByteArray tudo = Msg("xyzzy", {"1", "2"}) + Msg("ercnc", {"nao"}) +
                          QByteArray::fromHex("00000007616263") + Msg("Seta ", {"k", "x"}) +
                          Msg("SETAR", {"k", "x"}) + Msg("utVer", {kVersaoQuarpel});
        QByteArrayList esperados{"utVer"};
        for (const QByteArray& m : mensagens) {
            QByteArrayList partes = m.split(' ');
            esperados << partes.takeFirst();
            tudo += Msg(esperados.last(), partes);
        }
        // A long burst, handled in order.
        for (int i = 1; i <= 20000; ++i) {
            tudo += Msg("Setar", {"Contagem", QByteArray::number(i)});
            esperados << "Setar";
        }
        QSignalSpy tratadas(b->cliente.get(), &frmCliente::Tratada);
        b->servidor.Enviar(tudo);
        QTRY_COMPARE_WITH_TIMEOUT(tratadas.count(), int(esperados.size()), 30000);
        QByteArrayList vistos;
        for (const QList<QVariant>& t : tratadas)
            vistos << t.at(0).toByteArray();
        QCOMPARE(vistos, esperados);
        QCOMPARE(b->cliente->Variaveis("k"), QStringLiteral("v"));
        QCOMPARE(b->cliente->Variaveis("Contagem"), QStringLiteral("20000"));
        QVERIFY(!b->caixas.Textos().contains("nao"));
        QVERIFY(b->cliente->isVisible());
        QVERIFY(!Espera::Encerrando());
    }

    // A failure before a parse names the last command parsed; a reply short of its argument must
    // not read the one of the reply before.
    void falhaRelataEEncerra_data()
    {
        QTest::addColumn<QByteArray>("falha");
        QTest::addColumn<QString>("comando");
        QTest::newRow("tamanho 80 00 00 00") << QByteArray::fromHex("80000000") << "erCNC";
        QTest::newRow("erEnt sem motivo") << Msg("erEnt") << "erEnt";
        QTest::newRow("Setar sem valor") << Msg("Setar", {"x"}) << "Setar";
        QTest::newRow("cmJog que falha depois da espera")
            << Msg("Setar", {"JogLocal", "x"}) + Msg("cmJog") << "cmJog";
    }

    void falhaRelataEEncerra()
    {
        QFETCH(QByteArray, falha);
        QFETCH(QString, comando);
        b->cliente->frSalas->setEnabled(false);
        b->cliente->MudarFrame(b->cliente->frJogo);
        b->caixas.aoMostrar = [&](const Caixas::Caixa& c) { // what arrives under it only waits
            if (c.tipo != Caixas::Tipo::Relatorio)
                return;
            QSignalSpy lido(b->cliente->Sock, &QTcpSocket::readyRead);
            b->servidor.Enviar(Msg("erCNC", {"sob a caixa"}));
            QVERIFY(
                QTest::qWaitFor([&] { return lido.size() + b->cliente->Sock->bytesAvailable(); }));
        };
        b->servidor.Enviar(Msg("erCNC", {"antes"}) + falha + Msg("erCNC", {"nunca"}));
        QTRY_VERIFY_WITH_TIMEOUT(Espera::Encerrando(), 10000);
        QCOMPARE(b->caixas.Textos().value(0), QStringLiteral("antes"));
        QCOMPARE(b->caixas.lista.size(), 2);
        const Caixas::Caixa& c = b->caixas.lista[1];
        QCOMPARE(c.tipo, Caixas::Tipo::Relatorio);
        QVERIFY(c.texto.startsWith("Erro: ") && c.texto.endsWith("\r\nComando: " + comando));
        // The unload let go of the connection: nothing after it can be read.
        QCOMPARE(b->cliente->Sock->state(), QAbstractSocket::UnconnectedState);
        QVERIFY(!b->cliente->frSalas->isEnabled());
        QVERIFY(!b->cliente->isVisible());
    }
};

QTEST_MAIN(TstRecepcao)
#include "tst_recepcao.moc"
