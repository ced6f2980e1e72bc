#include "Bancada.h"
#include "CaixaFigura.h"
#include "MovePBs.h"
#include "TelaJogo.h"
#include "frmCriarSala.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTimer>

// The game's reactions against the scripted server. The animation timer is slowed to never, and
// the tests step it themselves.
class TstJogo : public QObject
{
    Q_OBJECT

    std::unique_ptr<Bancada> b;

    TelaJogo* t() { return b->cliente->frJogo; }
    MovePBs& mov() { return t()->Movimentos(); }
    void ticar(const QString& grupo = {})
    {
        for (int k = 0; k < 2000 && mov().Count(grupo) > 0; ++k)
            mov().Tick();
    }

    // Like Bancada::Receber, stepping every move to its end while the marker waits behind them.
    bool receber(const QByteArray& bytes)
    {
        static int n = 0;
        const QByteArray marca = "j" + QByteArray::number(++n);
        b->servidor.Enviar(bytes + Msg("Setar", {"Marca", marca}));
        return QTest::qWaitFor(
            [&] {
                ticar();
                try {
                    return Espera::Encerrando() || b->cliente->Variaveis("Marca") == marca;
                } catch (const std::exception&) {
                    return false;
                }
            },
            10000);
    }

    QString carta(int i)
    {
        const InfoCarta& c = t()->Cartas[i];
        const CaixaFigura* pb = t()->pbJgCarta[i];
        return QString("%1%2@%3,%4:%5")
            .arg(c.Codigo)
            .arg(c.Coberta ? "v" : "")
            .arg(qRound(pb->Left()))
            .arg(qRound(pb->Top()))
            .arg(pb->Tag());
    }

    QString valor(const QString& k)
    {
        const auto vis = [](QWidget* w) { return QString::number(!w->isHidden()); };
        const auto var = [&](const char* v) { return b->cliente->Variaveis(v); };
        if (k == "estado")
            return t()->lbJgEstado->text();
        if (k == "truco")
            return t()->btJgTruco->isHidden() ? "-" : t()->btJgTruco->text();
        if (k == "botoes")
            return vis(t()->btJgAceitar) + vis(t()->btJgRecusar);
        if (k == "tag")
            return t()->TagTruco;
        if (k == "valor")
            return QString::number(t()->ValorMao);
        if (k == "equipe")
            return QString::number(t()->EquipeTruco);
        if (k == "onze")
            return QString::number(t()->MaoDeOnze);
        if (k == "total")
            return var("Total0") + "/" + var("Total1");
        if (k == "enviado")
            return QString::fromLatin1(b->Enviado().toPercentEncoding());
        if (k == "fim")
            return (t()->lbJgResultado->isHidden() ? "-" : t()->lbJgResultado->text()) + "|" +
                   vis(t()->btJgSair) + vis(t()->btJgIniciarJogo);
        if (k == "vazas") {
            QString s;
            for (const auto& e : t()->VazasGanhas)
                s += QString("%1%2%3/").arg(e[0]).arg(e[1]).arg(e[2]);
            return s + QString::number(t()->VazaAtual);
        }
        return carta(k.mid(1).toInt());
    }

private slots:
    void init()
    {
        b = std::make_unique<Bancada>();
        QVERIFY(b->cliente);
        mov().tmTimer()->setInterval(1000 * 1000 * 1000);
        b->cliente->MudarFrame(t());
        b->cliente->show();
    }
    void cleanup() { b.reset(); }

    // Steps: a message, or "tecla:" and keys pressed at the window (!, @, # with Shift).
    void reacoes_data()
    {
        QTest::addColumn<int>("local");
        QTest::addColumn<QList<QByteArray>>("passos");
        QTest::addColumn<QStringList>("esperado");
        const QByteArray prt = Msg("cmPrt", {"5", "12", "20", "40"});
        const QByteArray vez = Msg("Setar", {"Vez", "ana"});
        const QByteArray m11 = Msg("cmM11", {"5", "12", "20", "40", "1", "2", "3", "0"});
        const auto truco = [](QByteArray e, QByteArray v, QByteArray q) {
            return Msg("Truco", {e, v, q});
        };
        const auto enc = [](const QByteArray& m) {
            return QString::fromLatin1(m.toPercentEncoding());
        };
        QTest::newRow("mão escondida")
            << 0 << QList{Msg("cmPrt", {"5", "0", "0", "0"})}
            << QStringList{"c13=5@7860,5640:", "c1=0@4380,5820:", "onze=1", "valor=1",
                           "vazas=000/000/0"};
        QTest::newRow("mão vista")
            << 0 << QList{prt} << QStringList{"c3=40@4860,5820:", "c6=0@6720,3180:", "onze=0"};
        // The face-down card collected with the first trick is never pulled back.
        QTest::newRow("assento 1: 6, depois 5")
            << 0
            << QList{prt, Msg("Carta", {"1", "0"}), Msg("rdFim", {"1", "0", "1"}),
                     Msg("Carta", {"1", "9"})}
            << QStringList{"c6=0@8100,5880:Usada", "c5=9@4770,3180:Mesa", "vazas=000/100/1"};
        QTest::newRow("empate") << 2 << QList{prt, Msg("rdFim", {"-1", "1", "1"})}
                                << QStringList{"vazas=100/100/1"};
        QTest::newRow("relógio: pelo código")
            << 0 << QList{prt, Msg("Carta", {"0", "20"})}
            << QStringList{"c2=20@4170,3780:Mesa", "c1=12@4380,5820:"};
        QTest::newRow("relógio: a primeira")
            << 0 << QList{prt, Msg("Carta", {"0", "33"})} << QStringList{"c1=33@4170,3780:Mesa"};
        QTest::newRow("própria jogada: nada muda")
            << 0 << QList<QByteArray>{prt, vez, "tecla:1", Msg("Carta", {"0", "20"})}
            << QStringList{"c1=12@4170,3780:Mesa", "c2=20@4620,5820:"};
        QTest::newRow("própria escondida: revelada")
            << 0
            << QList<QByteArray>{Msg("cmPrt", {"5", "0", "0", "0"}), vez, "tecla:2",
                                 Msg("Carta", {"0", "17"})}
            << QStringList{"c2=17@4170,3780:Mesa", "c1=0@4380,5820:"};
        QTest::newRow("teclas: 2 e T")
            << 0 << QList<QByteArray>{prt, vez, "tecla:T2"}
            << QStringList{"c2=20@4170,3780:Mesa",
                           "enviado=" + enc(Msg("Truco")) + enc(Msg("Carta", {"1", "False"}))};
        QTest::newRow("teclas: Shift na 1ª vaza, A sem pedido")
            << 0 << QList<QByteArray>{prt, vez, "tecla:!A"}
            << QStringList{"c1=12@4380,5820:", "enviado="};
        QTest::newRow("teclas: Shift na 2ª vaza, depois joga")
            << 0 << QList<QByteArray>{prt, Msg("rdFim", {"0", "1", "0"}), vez, "tecla:#3"}
            << QStringList{"c3=40v@4170,3780:Mesa", "enviado=" + enc(Msg("Carta", {"2", "True"}))};
        QTest::newRow("fim da mão")
            << 0
            << QList{prt, truco("1", "3", "bia"), Msg("Carta", {"1", "7"}),
                     Msg("prFim", {"3", "1"})}
            << QStringList{"c6=0@8100,5880:", "tag=", "botoes=00", "truco=-", "total=3/1"};
        QTest::newRow("vence, visitante")
            << 3 << QList{Msg("jgFim", {"1"})}
            << QStringList{"fim=Você venceu!|10", "estado=Fim do jogo"};
        QTest::newRow("perde, anfitrião")
            << 0 << QList{Msg("jgFim", {"3"})} << QStringList{"fim=Você perdeu...|11"};
        QTest::newRow("truco do outro time") << 0 << QList{prt, truco("1", "3", "bia")}
                                             << QStringList{"estado=bia está pedindo truco",
                                                            "truco=Pedir 6",
                                                            "botoes=11",
                                                            "tag=Truco",
                                                            "valor=3",
                                                            "equipe=1"};
        QTest::newRow("seis do parceiro")
            << 2 << QList{prt, vez, truco("0", "6", "caio")}
            << QStringList{"estado=caio está pedindo 6", "truco=-", "botoes=00", "tag=Truco"};
        QTest::newRow("meu truco") << 0 << QList{prt, vez, truco("0", "3", "ana")}
                                   << QStringList{"estado=Você está pedindo truco", "truco=-"};
        QTest::newRow("doze, aceito")
            << 0 << QList{prt, truco("1", "12", "bia"), vez, Msg("tcAct")}
            << QStringList{"truco=-", "botoes=00", "tag=", "equipe=0", "estado=É a sua vez"};
        QTest::newRow("três aceito, minha vez")
            << 0 << QList{prt, truco("1", "3", "bia"), vez, Msg("tcAct")}
            << QStringList{"truco=Pedir 6", "botoes=00", "tag=", "valor=3"};
        QTest::newRow("onze: meu time decide")
            << 0 << QList{m11, vez}
            << QStringList{"c7=1@3600,600:", "c9=3@3960,600:", "c2=20@4620,5820:", "botoes=11",
                           "truco=-",        "onze=1",         "valor=3"};
        QTest::newRow("onze: o outro decide")
            << 1 << QList{m11} << QStringList{"botoes=00", "estado=Mão de 11"};
        QTest::newRow("onze decidido")
            << 0 << QList{m11, Msg("esM11")} << QStringList{"c7=0@3600,600:", "botoes=00"};
    }

    void reacoes()
    {
        QFETCH(int, local);
        QFETCH(QList<QByteArray>, passos);
        QFETCH(QStringList, esperado);
        const QStringList nomes{"ana", "bia", "caio", "davi"};
        for (int i = 0; i < 4; ++i)
            b->cliente->SetVariaveis(QString("Jogador%1").arg(i + 1), nomes[(i - local + 4) % 4]);
        b->cliente->SetVariaveis("Login", "ana");
        b->cliente->SetVariaveis("JogLocal", QString::number(local));
        b->cliente->SetVariaveis("Hosting", local == 0 ? "True" : "False");
        for (const QByteArray& p : passos) {
            if (!p.startsWith("tecla:")) {
                QVERIFY(receber(p));
                continue;
            }
            for (char c : p.mid(6))
                QTest::keyClick(b->cliente.get(), c,
                                QByteArray("!@#").contains(c) ? Qt::ShiftModifier : Qt::NoModifier);
            ticar();
        }
        QStringList obtido;
        for (const QString& e : esperado)
            obtido << e.section('=', 0, 0) + "=" + valor(e.section('=', 0, 0));
        QCOMPARE(obtido, esperado);
        QVERIFY(b->caixas.lista.isEmpty());
    }

    void erros_data()
    {
        QTest::addColumn<QByteArray>("mensagens");
        QTest::addColumn<QString>("comando");
        const QByteArray rd = Msg("rdFim", {"0", "0", "0"});
        QTest::newRow("quarta vaza")
            << Msg("cmPrt", {"1", "2", "3", "4"}) + rd + rd + rd + rd << "rdFim";
        QTest::newRow("assento 4") << Msg("Carta", {"4", "1"}) << "Carta";
        QTest::newRow("não número") << Msg("Carta", {"um", "1"}) << "Carta";
        QTest::newRow("código 41") << Msg("cmPrt", {"41", "1", "2", "3"}) << "cmPrt";
        QTest::newRow("valor 256") << Msg("Truco", {"1", "256", "bia"}) << "Truco";
        QTest::newRow("vencedor -1") << Msg("jgFim", {"-1"}) << "jgFim";
        QTest::newRow("onze sem equipe")
            << Msg("cmM11", {"1", "2", "3", "4", "5", "6", "7"}) << "cmM11";
    }

    void erros()
    {
        QFETCH(QByteArray, mensagens);
        QFETCH(QString, comando);
        b->cliente->SetVariaveis("JogLocal", "0");
        receber(mensagens);
        QVERIFY(Espera::Encerrando());
        QCOMPARE(b->caixas.lista.size(), 1);
        QVERIFY(b->caixas.lista[0].texto.startsWith("Erro: "));
        QVERIFY(b->caixas.lista[0].texto.endsWith("Comando: " + comando));
    }

    // The trick's cards stay until the last one has landed and the pause has run; what comes
    // behind "rdFim" waits for it.
    void vazaRecolhidaDepoisDaUltimaCartaEDaPausa()
    {
        b->cliente->SetVariaveis("JogLocal", "0");
        QVERIFY(receber(Msg("cmPrt", {"5", "12", "20", "40"}) + Msg("Carta", {"1", "7"})));
        QSignalSpy tratadas(b->cliente.get(), &frmCliente::Tratada);
        b->servidor.Enviar(Msg("Carta", {"3", "9"}) + Msg("rdFim", {"1", "0", "1"}) +
                           Msg("Setar", {"Vez", "bia"}));
        QVERIFY(QTest::qWaitFor([&] { return mov().Count("Fim Rodada") == 1; }, 10000));
        QCOMPARE(mov().Count("Carta jogada"), 1);
        ticar("Carta jogada");
        QCOMPARE(carta(12), "9@3570,3180:Usada");
        for (int k = 0; mov().Count("Fim Rodada") > 0; ++k) {
            QCOMPARE(carta(6), "7@4770,3180:Usada");
            mov().Tick();
        }
        ticar();
        QTRY_COMPARE(tratadas.last().value(0).toByteArray(), QByteArray("Setar"));
        QCOMPARE(tratadas.size(), 3);
        QCOMPARE(carta(6), "7@8100,5880:Usada");
        QVERIFY(b->caixas.lista.isEmpty());
    }

    // A reaction waits for the panels; meanwhile the player leaves and creates a room, whose
    // answer comes behind that reaction. The dialog's wait lets the panels end, the reaction goes
    // on, and the answer reaches the dialog.
    void dialogoAbertoDuranteUmaReacaoQueEsperaTermina()
    {
        b->cliente->SetVariaveis("JogLocal", "0");
        b->cliente->SetVariaveis("Login", "ana");
        b->servidor.Enviar(Msg("cmJog"));
        QVERIFY(QTest::qWaitFor([&] { return mov().Count("Começo do jogo") == 4; }, 10000));
        t()->btJgSair->click();
        frmCriarSala dialogo(b->cliente.get());
        dialogo.txNome->setText("Mesa");
        dialogo.show();
        bool respostaRetida = false;
        QTimer::singleShot(0, &dialogo, [&] {
            b->servidor.Enviar(Msg("Setar", {"CriandoSala", "ok"}));
            QTest::qWait(300); // the answer reaches the socket
            respostaRetida = b->cliente->Variaveis("CriandoSala").isEmpty();
            ticar();
        });
        QTimer::singleShot(20000, b->cliente.get(), [&] { b->cliente->Form_Unload(); });
        dialogo.btOK->click();
        QVERIFY(respostaRetida);
        QVERIFY(!Espera::Encerrando());
        QCOMPARE(b->cliente->FrameAtual, t());
        QCOMPARE(b->cliente->Variaveis("Total0"), "0");
        QVERIFY(!t()->lbJgJogador[0]->isHidden());
    }
};

QTEST_MAIN(TstJogo)
#include "tst_jogo.moc"
