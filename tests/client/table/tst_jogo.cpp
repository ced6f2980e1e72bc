#include "Bancada.h"
#include "CaixaFigura.h"
#include "MovePBs.h"
#include "TelaJogo.h"

#include <QLabel>
#include <QSignalSpy>

// The game's reactions against the scripted server; the tests step the animation themselves.
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

    // One message, its reaction run to its end (or the error report), every move stepped.
    bool receber(const QByteArray& mensagem)
    {
        QSignalSpy tratadas(b->cliente.get(), &frmCliente::Tratada);
        b->servidor.Enviar(mensagem);
        return QTest::qWaitFor([&] { return ticar(), Espera::Encerrando() || !tratadas.isEmpty(); },
                               10000);
    }

    // "cmd a b;cmd2 c" as messages; a step "tecla keys" presses keys (!, @, # with Shift; ^ is
    // Escape; * the key before, held), > puts the focus in the chat line, _ clicks the felt.
    static QList<QByteArray> Passos(const QString& texto)
    {
        QList<QByteArray> r;
        for (const QString& p : texto.split(';', Qt::SkipEmptyParts)) {
            QList<QByteArray> a = p.toUtf8().split(' ');
            const QByteArray c = a.takeFirst();
            r << (c == "tecla" ? "tecla:" + a.value(0) : Msg(c, a));
        }
        return r;
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

    QString valor(const QString& k, const QString& esperado)
    {
        const auto vis = [](QWidget* w) { return QString::number(!w->isHidden()); };
        const QList<QString> v{t()->lbJgEstado->text(),
                               t()->btJgTruco->isHidden() ? "-" : t()->btJgTruco->text(),
                               vis(t()->btJgAceitar) + vis(t()->btJgRecusar),
                               t()->TagTruco,
                               QString::number(t()->ValorMao),
                               QString::number(t()->EquipeTruco),
                               QString::number(t()->MaoDeOnze),
                               b->cliente->Variaveis("Total0") + "/" +
                                   b->cliente->Variaveis("Total1"),
                               (t()->lbJgResultado->isHidden() ? "-" : t()->lbJgResultado->text()) +
                                   "," + vis(t()->btJgSair) + vis(t()->btJgIniciarJogo)};
        const int i = QStringList{"estado", "truco", "botoes", "tag", "valor",
                                  "equipe", "onze",  "total",  "fim"}
                          .indexOf(k);
        if (i >= 0)
            return v[i];
        if (k == "erro") {
            const QString r = b->caixas.lista.value(0).texto;
            return r.startsWith("Erro: ") && Espera::Encerrando() ? r.section("Comando: ", 1) : r;
        }
        if (k == "enviado") {
            const QByteArray e = b->Enviado();
            return e == Passos(esperado).join() ? esperado : QString::fromLatin1(e.toHex());
        }
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

    void reacoes_data()
    {
        QTest::addColumn<int>("local");
        QTest::addColumn<QString>("passos");
        QTest::addColumn<QString>("esperado");
        const struct
        {
            const char* nome;
            int local;
            const char* passos;
            const char* esperado;
        } casos[] = {
            {"mão escondida", 0, "cmPrt 5 0 0 0",
             "c13=5@7860,5640:|c1=0@4380,5820:|onze=1|valor=1|vazas=000/000/0"},
            // The face-down card collected with the first trick is never pulled back.
            {"assento 1: 6, depois 5", 0, "cmPrt 5 12 20 40;Carta 1 0;rdFim 1 0 1;Carta 1 9",
             "c6=0@8100,5880:Usada|c5=9@4770,3180:Mesa|vazas=000/100/1"},
            {"empate", 2, "cmPrt 5 12 20 40;rdFim -1 1 1", "vazas=100/100/1"},
            {"relógio: pelo código", 0, "cmPrt 5 12 20 40;Carta 0 20",
             "c2=20@4170,3780:Mesa|c1=12@4380,5820:|c3=40@4860,5820:|c6=0@6720,3180:|onze=0"},
            {"relógio: a primeira", 0, "cmPrt 5 12 20 40;Carta 0 33", "c1=33@4170,3780:Mesa"},
            {"própria jogada: outra carta", 0, "cmPrt 5 12 20 40;Setar Vez ana;tecla 1;Carta 0 20",
             "c2=20@4170,3780:Mesa|c1=12@4380,5820:"},
            {"relógio: coberta", 0, "cmPrt 5 12 20 40;rdFim 0 1 0;Carta 0 0",
             "c1=12v@4170,3780:Mesa"},
            {"recusada", 0, "cmPrt 5 12 20 40;Setar Vez ana;tecla T1;Truco 0 3 ana;Setar Vez ana",
             "c1=12@4380,5820:|estado=Você está pedindo truco|tag=Truco"},
            {"vez: fim da mão", 0, "cmPrt 5 12 20 40;Setar Vez ana;prFim 0 1;tecla 1", "enviado="},
            {"vez: nova mão", 0, "cmPrt 5 12 20 40;Setar Vez ana;cmPrt 5 12 20 40;tecla 1",
             "enviado="},
            {"própria escondida: revelada", 0, "cmPrt 5 0 0 0;Setar Vez ana;tecla 2;Carta 0 17",
             "c2=17@4170,3780:Mesa|c1=0@4380,5820:"},
            {"teclas: T e 2", 0, "cmPrt 5 12 20 40;Setar Vez ana;tecla T2",
             "c2=20@4170,3780:Mesa|enviado=Truco;Carta 1 False"},
            {"teclas: Shift na 1ª vaza, A sem pedido", 0, "cmPrt 5 12 20 40;Setar Vez ana;tecla !A",
             "c1=12@4380,5820:|enviado="},
            {"teclas: Shift na 2ª vaza", 0, "cmPrt 5 12 20 40;rdFim 0 1 0;Setar Vez ana;tecla #3",
             "c3=40v@4170,3780:Mesa|enviado=Carta 2 True"},
            {"teclas: digitando no chat", 0, "cmPrt 5 12 20 40;Setar Vez ana;tecla >2T",
             "c2=20@4620,5820:|enviado="},
            {"teclas: Esc, o feltro, e 1 é a primeira que resta", 0,
             "cmPrt 5 12 20 40;Setar Vez ana;tecla >^1;Carta 0 5;Setar Vez ana;tecla >_1",
             "c2=20@4170,3780:Mesa|enviado=Carta 0 False;Carta 1 False"},
            {"teclas: Shift segurado", 0, "cmPrt 5 12 20 40;rdFim 0 1 0;tecla #*",
             "c3=40v@4860,5820:"},
            {"teclas: fim do jogo", 0, "cmPrt 5 12 20 40;Setar Vez ana;jgFim 1;tecla 1",
             "c1=0@8100,5880:|enviado=|estado=Fim do jogo"},
            {"teclas: outra sala", 0, "cmPrt 5 12 20 40;Setar Vez ana;okEnt S;tecla 1", "enviado="},
            {"fim da mão", 0, "cmPrt 5 12 20 40;Truco 1 3 bia;Carta 1 7;prFim 3 1",
             "c6=0@8100,5880:|tag=|botoes=00|truco=-|total=3/1"},
            {"pedido entre mãos", 0,
             "prFim 1 0;Truco 1 3 bia;cmPrt 5 12 20 40;Setar Vez ana;tecla 1",
             "c1=12@4170,3780:Mesa|tag=|botoes=00"},
            {"vence, visitante", 3, "jgFim 1", "fim=Você venceu!,10|estado=Fim do jogo"},
            {"perde, anfitrião", 0, "jgFim 3", "fim=Você perdeu...,11"},
            {"truco do outro time", 0, "cmPrt 5 12 20 40;Truco 1 3 bia",
             "estado=bia está pedindo truco|truco=Pedir 6|botoes=11|tag=Truco|valor=3|equipe=1"},
            {"seis do parceiro", 2, "cmPrt 5 12 20 40;Setar Vez ana;Truco 0 6 caio",
             "estado=caio está pedindo 6|truco=-|botoes=00|tag=Truco"},
            {"meu truco", 0, "cmPrt 5 12 20 40;Setar Vez ana;Truco 0 3 ana",
             "estado=Você está pedindo truco|truco=-"},
            {"doze do outro time", 0, "cmPrt 5 12 20 40;Truco 1 12 bia", "truco=-|botoes=11"},
            {"doze, aceito", 0, "cmPrt 5 12 20 40;Truco 1 12 bia;Setar Vez ana;tcAct",
             "truco=-|botoes=00|tag=|equipe=0|estado=É a sua vez"},
            {"três aceito, minha vez", 0, "cmPrt 5 12 20 40;Truco 1 3 bia;Setar Vez ana;tcAct",
             "truco=Pedir 6|botoes=00|tag=|valor=3"},
            {"onze: meu time decide", 0, "cmM11 5 12 20 40 1 2 3 0;Setar Vez ana",
             "c7=1@3600,600:|c9=3@3960,600:|c2=20@4620,5820:|botoes=11|truco=-|onze=1|valor=3"},
            {"onze: o outro decide", 1, "cmM11 5 12 20 40 1 2 3 0", "botoes=00|estado=Mão de 11"},
            {"onze decidido", 0, "cmM11 5 12 20 40 1 2 3 0;esM11", "c7=0@3600,600:|botoes=00"},
            // Argument errors reach the report.
            {"quarta vaza", 0, "cmPrt 1 2 3 4;rdFim 0 0 0;rdFim 0 0 0;rdFim 0 0 0;rdFim 0 0 0",
             "erro=rdFim"},
            {"código 41", 0, "cmPrt 41 1 2 3", "erro=cmPrt"},
        };
        for (const auto& c : casos)
            QTest::newRow(c.nome) << c.local << QString(c.passos) << QString(c.esperado);
    }

    void reacoes()
    {
        QFETCH(int, local);
        QFETCH(QString, passos);
        QFETCH(QString, esperado);
        const QStringList nomes{"ana", "bia", "caio", "davi"};
        for (int i = 0; i < 4; ++i)
            b->cliente->SetVariaveis(QString("Jogador%1").arg(i + 1), nomes[(i - local + 4) % 4]);
        b->cliente->SetVariaveis("Login", "ana");
        b->cliente->SetVariaveis("JogLocal", QString::number(local));
        b->cliente->SetVariaveis("Hosting", local == 0 ? "True" : "False");
        t()->JogoIniciado = true;
        for (const QByteArray& p : Passos(passos)) {
            if (!p.startsWith("tecla:")) {
                QVERIFY(receber(p));
                if (Espera::Encerrando())
                    break;
                continue;
            }
            for (int i = 6; i < p.size(); ++i) {
                const char c = p[i] == '*' ? p[i - 1] : p[i];
                if (c == '>')
                    b->cliente->txFalar->setFocus();
                else if (c == '_')
                    QTest::mouseClick(t(), Qt::LeftButton, {}, QPoint(20, 200));
                else
                    QTest::simulateEvent(b->cliente.get(), true, c == '^' ? int(Qt::Key_Escape) : c,
                                         QByteArray("!@#").contains(c) ? Qt::ShiftModifier
                                                                       : Qt::NoModifier,
                                         {}, p[i] == '*');
            }
            ticar();
        }
        QStringList obtido;
        for (const QString& e : esperado.split('|')) {
            const QString k = e.section('=', 0, 0);
            obtido << k + "=" + valor(k, e.section('=', 1));
        }
        QCOMPARE(obtido.join('|'), esperado);
        QCOMPARE(b->caixas.lista.isEmpty(), !esperado.startsWith("erro="));
    }

    // The trick's cards stay until the last one has landed and the pause has run; what comes
    // behind "rdFim" waits, and no card is played meanwhile.
    void vazaRecolhidaDepoisDaUltimaCartaEDaPausa()
    {
        b->cliente->SetVariaveis("JogLocal", "0");
        b->cliente->SetVariaveis("Login", "ana");
        QVERIFY(receber(Msg("cmPrt", {"5", "12", "20", "40"})) &&
                receber(Msg("Carta", {"1", "7"})));
        b->cliente->SetVariaveis("Vez", "ana");
        QSignalSpy tratadas(b->cliente.get(), &frmCliente::Tratada);
        b->servidor.Enviar(Msg("Carta", {"3", "9"}) + Msg("rdFim", {"1", "0", "1"}) +
                           Msg("Setar", {"Vez", "bia"}));
        QVERIFY(QTest::qWaitFor([&] { return mov().Count("Fim Rodada") == 1; }, 10000));
        QTest::keyClick(b->cliente.get(), '1');
        QCOMPARE(mov().Count("Carta jogada"), 1);
        ticar("Carta jogada");
        QCOMPARE(carta(12), "9@3570,3180:Usada");
        for (; mov().Count("Fim Rodada") > 0; mov().Tick())
            QCOMPARE(carta(6), "7@4770,3180:Usada");
        ticar();
        QTRY_COMPARE(tratadas.size(), 3);
        QCOMPARE(tratadas.last().value(0).toByteArray(), QByteArray("Setar"));
        QCOMPARE(carta(6), "7@8100,5880:Usada");
        QCOMPARE(b->Enviado(), QByteArray());
    }
};

QTEST_MAIN(TstJogo)
#include "tst_jogo.moc"
