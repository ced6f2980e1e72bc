#include "Arte.h"
#include "Bancada.h"
#include "CaixaFigura.h"
#include "Foto.h"
#include "MovePBs.h"
#include "TelaJogo.h"
#include "TelaSalas.h"
#include "Twips.h"

#include <QLabel>

namespace {
QByteArray fotoDe(QColor cor)
{
    QImage i(51, 51, QImage::Format_RGB32);
    i.fill(cor);
    return Foto::CodificarFoto(i);
}
QRgb centro(QWidget* w)
{
    return w->grab().toImage().pixel(w->width() / 2, w->height() / 2);
}
bool marcado(const QImage& placar, int linha, int vaza)
{
    const QRect r(Twips::ParaPx(945 + 240 * vaza), Twips::ParaPx(315 + 240 * linha), 7, 7);
    return placar.copy(r) != Arte::FundoPlacar().convertToFormat(placar.format()).copy(r);
}
} // namespace

// The table against the scripted server; clicks go through the widgets, as a player's would.
class TstMesa : public QObject
{
    Q_OBJECT

    std::unique_ptr<Bancada> b;
    frmCliente& c() { return *b->cliente; }
    TelaJogo* m() { return b->cliente->frJogo; }

    void sentar(const QString& jogLocal, const QStringList& logins)
    {
        c().SetVariaveis("JogLocal", jogLocal);
        for (int s = 1; s <= 4; ++s)
            c().SetVariaveis(QStringLiteral("Jogador%1").arg(s), logins.value(s - 1));
        m()->AtualizarJogadores();
    }

private slots:
    void init()
    {
        b = std::make_unique<Bancada>();
        QVERIFY(b->cliente);
        c().SetVariaveis("Login", "ana");
        c().MudarFrame(m());
        c().show();
        QVERIFY(QTest::qWaitForWindowExposed(&c()));
    }
    void cleanup() { b.reset(); }

    // Ana in seat 3 does not host, even after hosting elsewhere; seat 1 shows on top, empty
    // seats the empty picture; a bot with no picture does not wear Bia's. In seat 1 Ana hosts; a
    // short picture is reported.
    void listaDeAssentos()
    {
        c().SetVariaveis("Hosting", "True");
        QVERIFY(b->Receber(Msg("jgInf", {"bia", fotoDe(Qt::red), "", "", "ana", "", "", ""})));
        QCOMPARE(c().Variaveis("JogLocal") + c().Variaveis("Hosting"), QStringLiteral("2False"));
        QVERIFY(m()->btJgIniciarJogo->isHidden() && m()->lbJgJogador[1]->isHidden());
        QCOMPARE(m()->lbJgJogador[2]->text(), QStringLiteral("bia"));
        QCOMPARE(centro(m()->pbJgJogador[2]), qRgb(255, 0, 0));
        QCOMPARE(centro(m()->pbJgJogador[1]), Arte::Ninguem().pixel(25, 25));
        QVERIFY(b->Receber(Msg("jgInf", {"robo", "", "", "", "ana", "", "", ""})));
        QCOMPARE(centro(m()->pbJgJogador[2]), Foto::DecodificarFoto(Foto::SemFoto()).pixel(25, 25));
        m()->JogSel = 2;
        QVERIFY(b->Receber(Msg("jgInf", {"ana", "", "", "", "", "", "", ""})));
        QCOMPARE(c().Variaveis("JogLocal") + c().Variaveis("Hosting"), QStringLiteral("0True"));
        QVERIFY(!m()->btJgIniciarJogo->isHidden() && m()->JogSel == 4);
        QVERIFY(b->Receber(Msg("jgInf", {"ana", "", "bia", "curta", "", "", "", ""})));
        QVERIFY(Espera::Encerrando() && b->caixas.Textos().constLast().endsWith("Comando: jgInf"));
    }

    void trocaDeAssentos()
    {
        const struct
        {
            bool anfitria, emJogo;
            QList<int> cliques;
            QByteArray enviado;
            int branco; // the panel left white, -1 none
        } casos[]{
            {false, false, {2}, {}, -1},   {true, true, {2}, {}, -1},
            {true, false, {0}, {}, -1},    {true, false, {2}, {}, 2},
            {true, false, {2, 2}, {}, -1}, {true, false, {1, 3}, Msg("Troca", {"1", "3"}), -1}};
        sentar("0", {"ana", "bia", "", "caio"});
        for (const auto& k : casos) {
            c().SetVariaveis("Hosting", k.anfitria ? "True" : "False");
            m()->JogoIniciado = k.emJogo;
            for (int p : k.cliques)
                QTest::mouseClick(m()->pbJgJogador[p], Qt::LeftButton);
            QCOMPARE(b->Enviado(), k.enviado);
            for (int p = 0; p < 4; ++p)
                QCOMPARE(m()->pbJgJogador[p]->grab().toImage().pixel(0, 0) == qRgb(255, 255, 255),
                         p == k.branco);
            QCOMPARE(m()->JogSel, k.branco == -1 ? 4 : k.branco);
            m()->CancelarTroca();
        }
    }

    // Team 0 won the first trick, the second was tied: each side sees its own marks on top.
    void placar()
    {
        m()->VazasGanhas = {{{1, 1, 0}, {0, 1, 0}}};
        for (int j = 0; j < 4; ++j) {
            c().SetVariaveis("JogLocal", QString::number(j));
            m()->pbJgPlacar_Paint();
            const QImage placar = m()->pbJgPlacar->grab().toImage();
            for (int k = 0; k < 3; ++k)
                QCOMPARE((QList{marcado(placar, 0, k), marcado(placar, 1, k)}),
                         (QList{k < 2 && (j % 2 == 0 || k == 1), k < 2 && (j % 2 == 1 || k == 1)}));
        }
    }

    void botoes()
    {
        c().SetVariaveis("Hosting", "True");
        sentar("0", {"ana", "bia", "", ""});
        QTest::mouseClick(m()->pbJgJogador[1], Qt::LeftButton);
        m()->btJgIniciarJogo->click();
        QCOMPARE(b->Enviado(), Msg("Start"));
        QVERIFY(m()->JogoIniciado && !m()->btJgIniciarJogo->isEnabled() && m()->JogSel == 4);
        // A refused start gives the button back; asked again, it is a game being started.
        QVERIFY(b->Receber(Msg("erCmJ", {"Faltam jogadores"})));
        QVERIFY(!m()->JogoIniciado && m()->btJgIniciarJogo->isEnabled());
        m()->btJgIniciarJogo->click();
        QCOMPARE(b->Enviado(), Msg("Start"));
        const QList<QPushButton*> truco{m()->btJgTruco, m()->btJgAceitar, m()->btJgRecusar};
        QCOMPARE(truco[0]->toolTip() + truco[1]->toolTip() + truco[2]->toolTip(),
                 "Tecla TTecla ATecla R");
        for (int i = 0; i < 3; ++i) {
            for (QPushButton* t : truco)
                t->show();
            truco[i]->click();
            QCOMPARE(b->Enviado(), Msg(QList<QByteArray>{"Truco", "tcSim", "tcNao"}[i]));
            QVERIFY(truco[0]->isHidden() && truco[1]->isHidden() && truco[2]->isHidden());
        }
        MostrarMao(*m(), 5, {1, 2, 3});
        m()->lbJgFim->show();
        m()->lbJgEstado->setText("É a sua vez");
        m()->VazasGanhas[1][0] = 1;
        m()->pbJgPlacar_Paint();
        c().SetVariaveis("Total1", "9");
        m()->btJgSair->click();
        QCOMPARE(b->Enviado(), Msg("slSai"));
        QVERIFY(c().FrameAtual == c().frSalas && m()->lbJgFim->isHidden());
        QCOMPARE(m()->lbJgEstado->text() + c().Variaveis("Total1"), "Aguardando o início do jogo0");
        QVERIFY(!marcado(m()->pbJgPlacar->grab().toImage(), 1, 0));
        // Left before "cmJog", which came late: the next table may start again as it was.
        QVERIFY(b->Receber(Msg("cmJog") + Msg("okEnt", {"Outra"})));
        QVERIFY(!m()->JogoIniciado && m()->btJgIniciarJogo->isEnabled());
        QVERIFY(m()->pbJgCarta[1]->isHidden() && m()->pbJgCarta[14]->isHidden());
        QVERIFY(!m()->btJgSair->isHidden() && qRound(m()->pbJgJogador[2]->Top()) == 2280);
    }

    // JogLocal 3, so the turn passes to seat 1 (bia). Hand: 12, a card not shown, 40. A click
    // list gives the slot, negative for the right button; 10 more adds a double click.
    void cliqueNaCarta()
    {
        const struct
        {
            QString estado;
            int vaza;
            QList<int> cliques;
            QByteArray enviado;
            int coberta, jogada; // slots, 0 none
        } casos[]{{"vez", 0, {2}, Msg("Carta", {"1", "False"}), 0, 2},
                  {"vez", 0, {1, 3}, Msg("Carta", {"0", "False"}), 0, 1},
                  {"outro", 1, {1, -1}, {}, 1, 0},
                  {"truco", 1, {1, -1}, {}, 0, 0},
                  {"mesa", 1, {2, -2}, {}, 0, 0},
                  {"vez", 1, {5, -5}, {}, 0, 0},
                  {"vez", 0, {-1}, {}, 0, 0},
                  {"vez", 1, {-1, -1}, {}, 0, 0},
                  {"vez", 2, {-2}, {}, 0, 0},
                  {"vez", 1, {-3, 3}, Msg("Carta", {"2", "True"}), 3, 3},
                  {"vez", 1, {-13, -11}, {}, 0, 0}};
        sentar("3", {"bia", "caio", "davi", "ana"});
        const QImage faces = Arte::FacesCartas().convertToFormat(QImage::Format_RGB32);
        for (const auto& k : casos) {
            MostrarMao(*m(), 5, {12, 0, 40});
            c().SetVariaveis("Vez", k.estado == "outro" ? "caio" : "ana");
            m()->VazaAtual = qint16(k.vaza);
            m()->TagTruco = k.estado == "truco" ? "Truco" : "";
            if (k.estado == "mesa")
                m()->pbJgCarta[2]->SetTag("Mesa");
            for (int i : k.cliques)
                for (auto tipo : {QTest::MouseClick, QTest::MouseDClick})
                    if (tipo == QTest::MouseClick || qAbs(i) > 10)
                        QTest::mouseEvent(tipo, m()->pbJgCarta[qAbs(i) % 10],
                                          i > 0 ? Qt::LeftButton : Qt::RightButton, {}, {5, 48});
            QCOMPARE(b->Enviado(), k.enviado);
            QCOMPARE(c().Variaveis("Vez"), k.jogada ? "bia" : k.estado == "outro" ? "caio" : "ana");
            for (int i = 1; i <= 3; ++i) {
                QCOMPARE(m()->Cartas[i].Coberta, i == k.coberta);
                // Slot 1 shows the five of hearts' cell, 3 the three of diamonds'; 2 its back.
                const QImage face = faces.copy(i == 1 ? 71 : 639, i == 1 ? 96 : 288, 71, 96);
                QCOMPARE(centro(m()->pbJgCarta[i]) == face.pixel(35, 48), i != 2 && i != k.coberta);
                QCOMPARE(m()->pbJgCarta[i]->Tag() == "Mesa",
                         i == k.jogada || (k.estado == "mesa" && i == 2));
            }
            MovePBs& mov = m()->Movimentos();
            QCOMPARE(mov.Count("Carta jogada"), k.jogada ? 1 : 0);
            for (int t = 0; t < 100 && mov.Count(); ++t)
                mov.Tick();
            QVERIFY(!mov.tmTimer()->isActive());
            if (k.jogada)
                QCOMPARE(m()->pbJgCarta[k.jogada]->pos(),
                         Twips::Retangulo(4170, 3780, 0, 0).topLeft());
        }
        for (const QPoint canto : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1)})
            QVERIFY(!m()->pbJgCarta[1]->mask().contains(canto));
    }

    // Closing the window during a game asks first: No keeps the game, Yes ends it.
    void fecharDuranteOJogoPergunta()
    {
        m()->JogoIniciado = true;
        b->caixas.resposta = std::nullopt;
        QVERIFY(!c().close() && !Espera::Encerrando());
        b->caixas.resposta = QString();
        c().btFechar->click();
        QCOMPARE(b->caixas.Textos(), QStringList(2, "Sair do jogo? Um robô assume o seu lugar."));
        QVERIFY(Espera::Encerrando());
    }

    // Text others chose shows as typed and whole: room name, logins, the status line.
    void textosInteiros()
    {
        sentar("0", {"ana", "<h1>zeca</h1>", "", ""});
        m()->MudarNomeSala("<h1><u>X</u></h1> da Joana e do Zé");
        m()->lbJgEstado->setText("É a vez de wwwwwwwwwwww");
        for (QLabel* l : {m()->lbJgNomeSala, m()->lbJgJogador[1], m()->lbJgEstado})
            QVERIFY(l->sizeHint().width() <= l->width() && l->sizeHint().height() <= 20);
    }
};

QTEST_MAIN(TstMesa)
#include "tst_mesa.moc"
