#include "Arte.h"
#include "Bancada.h"
#include "CaixaFigura.h"
#include "Conversao.h"
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
QRgb centro(QWidget* w) { return w->grab().toImage().pixel(w->width() / 2, w->height() / 2); }
// Where a 7 x 7 mark of the board would be, and whether the board shows more than its
// background there.
bool marcado(const QImage& placar, int linha, int vaza)
{
    const QRect r(Twips::ParaPx(945 + 240 * vaza), Twips::ParaPx(315 + 240 * linha), 7, 7);
    return placar.copy(r) != Arte::FundoPlacar().convertToFormat(placar.format()).copy(r);
}
// The width in pixels of the ink of one line of numbers.
int tinta(const QImage& placar, int linha)
{
    int menor = placar.width(), maior = -1;
    const int topo = Twips::ParaPx(270 + 240 * linha);
    for (int y = topo; y < topo + 13; ++y)
        for (int x = Twips::ParaPx(1500); x < placar.width(); ++x)
            if (placar.pixel(x, y) == Arte::CorTextoPlacar().rgb())
                menor = std::min(menor, x), maior = std::max(maior, x);
    return maior - menor + 1;
}
} // namespace

// The table against the scripted server: seats, panels, the swap, the board, the buttons, the
// cards. Clicks go through the widgets, as a player's would.
class TstMesa : public QObject
{
    Q_OBJECT

    std::unique_ptr<Bancada> b;
    frmCliente& c() { return *b->cliente; }
    TelaJogo* m() { return b->cliente->frJogo; }

    void jogadores(const QString& jogLocal, const QStringList& logins)
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

    void assentosPorJogLocal()
    {
        // JogLocal, then the one-based seat shown at panels 0 to 3.
        const QList<QList<int>> casos{{0, 1, 2, 3, 4}, {1, 2, 3, 4, 1}, {2, 3, 4, 1, 2}, {3, 4, 1, 2, 3}};
        for (const QList<int>& caso : casos) {
            jogadores(QString::number(caso[0]), {"s1", "s2", "s3", "s4"});
            for (int p = 0; p < 4; ++p) {
                const int s = caso[p + 1];
                QCOMPARE(m()->lbJgJogador[p]->text(), QStringLiteral("s%1").arg(s));
                QCOMPARE(m()->PosicaoDoJogador(quint8(s - 1)), quint8(p));
            }
        }
    }

    void listaDeAssentos_data()
    {
        QTest::addColumn<QList<QByteArray>>("logins");
        QTest::addColumn<bool>("anfitriaoAntes");
        QTest::addColumn<bool>("emJogo");
        QTest::addColumn<QStringList>("esperado"); // JogLocal, Hosting, start button shown
        QTest::newRow("anfitria") << QList<QByteArray>{"ana", "bia", "", ""} << false << false
                                  << QStringList{"0", "True", "1"};
        QTest::newRow("convidada no assento 3, vinda de outra sala como anfitria")
            << QList<QByteArray>{"bia", "", "ana", ""} << true << false
            << QStringList{"2", "False", "0"};
        QTest::newRow("anfitria durante o jogo") << QList<QByteArray>{"ana", "bia", "", ""} << false
                                                 << true << QStringList{"0", "True", "0"};
    }
    // Names and pictures at their panels from the local seat; an empty seat shows the empty
    // picture, a pick half made by the host is called off.
    void listaDeAssentos()
    {
        QFETCH(QList<QByteArray>, logins);
        QFETCH(bool, anfitriaoAntes);
        QFETCH(bool, emJogo);
        QFETCH(QStringList, esperado);
        c().SetVariaveis("Hosting", Conversao::DeBooleano(anfitriaoAntes));
        m()->btJgSair->setHidden(emJogo);
        m()->JogSel = 2;
        m()->pbJgJogador[2]->SetCorFundo(Qt::white);
        QList<QByteArray> args;
        for (const QByteArray& l : logins)
            args << l << (l == "bia" ? fotoDe(Qt::red) : QByteArray());
        QVERIFY(b->Receber(Msg("jgInf", args)));
        QCOMPARE((QStringList{c().Variaveis("JogLocal"), c().Variaveis("Hosting"),
                              QString::number(!m()->btJgIniciarJogo->isHidden())}),
                 esperado);
        const int local = esperado[0].toInt();
        const int pBia = m()->PosicaoDoJogador(quint8(logins.indexOf("bia")));
        QCOMPARE(m()->lbJgJogador[0]->text(), QStringLiteral("ana"));
        QCOMPARE(centro(m()->pbJgJogador[pBia]), qRgb(255, 0, 0));
        QCOMPARE(centro(m()->pbJgJogador[0]), Foto::DecodificarFoto(Foto::SemFoto()).pixel(25, 25));
        for (int p = 0; p < 4; ++p) {
            if (!logins[(local + p) % 4].isEmpty())
                continue;
            QVERIFY(m()->lbJgJogador[p]->isHidden());
            QCOMPARE(centro(m()->pbJgJogador[p]), Arte::Ninguem().pixel(25, 25));
        }
        QCOMPARE(m()->JogSel == 4, local == 0);
        QCOMPARE(m()->pbJgJogador[2]->CorFundo() == TelaJogo::kVerdePainel, local == 0);
    }

    // A bot sent without picture in a seat a person left does not wear that person's picture; a
    // picture cut short or a missing argument is reported and the client closes.
    void listaDeAssentosFotosEErros()
    {
        QVERIFY(b->Receber(Msg("jgInf", {"ana", "", "bia", fotoDe(Qt::red), "", "", "", ""})));
        QVERIFY(b->Receber(Msg("jgInf", {"ana", "", "robo", "", "", "", "", ""})));
        QCOMPARE(centro(m()->pbJgJogador[1]), Foto::DecodificarFoto(Foto::SemFoto()).pixel(25, 25));
        for (const QByteArray& ruim : {Msg("jgInf", {"ana", "", "bia", "curta", "", "", "", ""}),
                                       Msg("jgInf", {"ana", "", "bia"})}) {
            cleanup();
            init();
            QVERIFY(b->Receber(ruim));
            QVERIFY(Espera::Encerrando());
            QCOMPARE(b->caixas.lista.size(), 1);
            QVERIFY(b->caixas.Textos().constFirst().endsWith("Comando: jgInf"));
        }
    }

    void trocaDeAssentos_data()
    {
        QTest::addColumn<bool>("anfitria");
        QTest::addColumn<bool>("emJogo");
        QTest::addColumn<QList<int>>("cliques");
        QTest::addColumn<QByteArray>("enviado");
        QTest::addColumn<int>("branco"); // the panel left white, -1 none
        QTest::newRow("convidada") << false << false << QList<int>{2} << QByteArray() << -1;
        QTest::newRow("durante o jogo") << true << true << QList<int>{2} << QByteArray() << -1;
        QTest::newRow("o proprio painel") << true << false << QList<int>{0} << QByteArray() << -1;
        QTest::newRow("um painel") << true << false << QList<int>{2} << QByteArray() << 2;
        QTest::newRow("o mesmo duas vezes") << true << false << QList<int>{2, 2} << QByteArray() << -1;
        QTest::newRow("1 depois 3") << true << false << QList<int>{1, 3} << Msg("Troca", {"1", "3"})
                                    << -1;
    }
    void trocaDeAssentos()
    {
        QFETCH(bool, anfitria);
        QFETCH(bool, emJogo);
        QFETCH(QList<int>, cliques);
        QFETCH(QByteArray, enviado);
        QFETCH(int, branco);
        jogadores("0", {"ana", "bia", "", "caio"});
        c().SetVariaveis("Hosting", Conversao::DeBooleano(anfitria));
        m()->JogoIniciado = emJogo;
        for (int p : cliques)
            QTest::mouseClick(m()->pbJgJogador[p], Qt::LeftButton);
        QCOMPARE(b->Enviado(), enviado);
        for (int p = 0; p < 4; ++p)
            QCOMPARE(centro(m()->pbJgJogador[p]) == qRgb(255, 255, 255) ||
                         m()->pbJgJogador[p]->grab().toImage().pixel(0, 0) == qRgb(255, 255, 255),
                     p == branco);
        QCOMPARE(m()->JogSel, branco == -1 ? 4 : branco);
    }

    void placar_data()
    {
        QTest::addColumn<QString>("jogLocal");
        QTest::addColumn<bool>("time0");
        // Team 0 won the first trick, the second was tied; team 0 has 11 points, team 1 has 3.
        for (int j = 0; j < 4; ++j)
            QTest::addRow("JogLocal %d", j) << QString::number(j) << (j % 2 == 0);
    }
    void placar()
    {
        QFETCH(QString, jogLocal);
        QFETCH(bool, time0);
        c().SetVariaveis("JogLocal", jogLocal);
        c().SetVariaveis("Total0", "11");
        c().SetVariaveis("Total1", "3");
        m()->VazasGanhas = {{{1, 1, 0}, {0, 1, 0}}};
        m()->ValorMao = 3;
        m()->pbJgPlacar_Paint();
        const QImage placar = m()->pbJgPlacar->grab().toImage();
        const QList<bool> marcasTime0{true, true, false}, marcasTime1{false, true, false};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(marcado(placar, 0, k), (time0 ? marcasTime0 : marcasTime1)[k]);
            QCOMPARE(marcado(placar, 1, k), (time0 ? marcasTime1 : marcasTime0)[k]);
        }
        // "11" is drawn wider than "3"; the hand's value shows on the third line.
        QCOMPARE(tinta(placar, 0) > tinta(placar, 1), time0);
        QVERIFY(tinta(placar, 2) > 2);
    }

    // Each button's command, with no arguments, and what it tidies first.
    void botoes()
    {
        c().SetVariaveis("Hosting", "True");
        jogadores("0", {"ana", "bia", "", ""});
        QTest::mouseClick(m()->pbJgJogador[1], Qt::LeftButton);
        m()->btJgIniciarJogo->show();
        m()->btJgIniciarJogo->click();
        QCOMPARE(b->Enviado(), Msg("Start"));
        QVERIFY(m()->JogoIniciado && !m()->btJgIniciarJogo->isEnabled());
        QCOMPARE(m()->pbJgJogador[1]->CorFundo(), TelaJogo::kVerdePainel);
        const QList<std::pair<QPushButton*, QByteArray>> truco{
            {m()->btJgTruco, "Truco"}, {m()->btJgAceitar, "tcSim"}, {m()->btJgRecusar, "tcNao"}};
        for (const auto& [botao, comando] : truco) {
            for (const auto& [outro, _] : truco)
                outro->show();
            botao->click();
            QCOMPARE(b->Enviado(), Msg(comando));
            for (const auto& [outro, _] : truco)
                QVERIFY(outro->isHidden());
        }
        m()->lbJgFim->show();
        m()->lbJgResultado->show();
        m()->lbJgEstado->setText("É a sua vez");
        m()->VazasGanhas = {{{1, 0, 0}, {0, 1, 0}}};
        c().SetVariaveis("Total1", "9");
        m()->btJgSair->click();
        QCOMPARE(b->Enviado(), Msg("slSai"));
        QCOMPARE(c().FrameAtual, c().frSalas);
        QVERIFY(m()->lbJgFim->isHidden() && m()->lbJgResultado->isHidden());
        QCOMPARE(m()->lbJgEstado->text(), QStringLiteral("Aguardando o início do jogo"));
        QCOMPARE(c().Variaveis("Total0") + c().Variaveis("Total1"), QStringLiteral("00"));
        const QImage placar = m()->pbJgPlacar->grab().toImage();
        for (int k = 0; k < 3; ++k)
            QVERIFY(!marcado(placar, 0, k) && !marcado(placar, 1, k));
    }

    // A dealt hand: faces from the one face image, backs elsewhere, every card rounded and at
    // its home; a code beyond the deck changes nothing.
    void maoDistribuida()
    {
        m()->MostrarMao(5, {12, 0, 40});
        const QImage faces = Arte::FacesCartas().convertToFormat(QImage::Format_RGB32);
        const QImage verso = Arte::VersoCarta().convertToFormat(QImage::Format_RGB32);
        const QRect miolo(2, 2, 67, 92);
        for (int i = 1; i <= 14; ++i) {
            CaixaFigura* carta = m()->pbJgCarta[i];
            const int codigo = QList<int>{12, 0, 40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0}[i - 1];
            const QImage esperado = codigo ? faces.copy(71 * ((codigo - 1) % 10),
                                                        96 * ((codigo - 1) / 10), 71, 96)
                                           : verso;
            QVERIFY(!carta->isHidden());
            QCOMPARE(QPointF(carta->Left(), carta->Top()),
                     QPointF(m()->Cartas[i].Left, m()->Cartas[i].Top));
            QCOMPARE(carta->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(miolo),
                     esperado.copy(miolo));
            QVERIFY(!carta->mask().contains(QPoint(0, 0)) && carta->mask().contains(QPoint(35, 0)));
        }
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, m()->MostrarMao(41, {1, 2, 3}));
        QCOMPARE(m()->Cartas[13].Codigo, 5);
    }

    void cliqueNaCarta_data()
    {
        QTest::addColumn<QString>("estado");
        QTest::addColumn<int>("vaza");
        QTest::addColumn<QList<int>>("cliques"); // the slot, negative for the right button
        QTest::addColumn<QByteArray>("enviado");
        QTest::addColumn<QList<bool>>("cobertas"); // slots 1 to 3 afterwards
        QTest::addColumn<int>("jogada");           // the slot on its way to the table, 0 none
        const QList<bool> nenhuma{false, false, false};
        QTest::newRow("sua vez") << "vez" << 0 << QList<int>{2} << Msg("Carta", {"1", "False"})
                                 << nenhuma << 2;
        QTest::newRow("outra logo depois") << "vez" << 0 << QList<int>{1, 3}
                                           << Msg("Carta", {"0", "False"}) << nenhuma << 1;
        QTest::newRow("vez de outro") << "outro" << 1 << QList<int>{1, -1} << QByteArray()
                                      << QList<bool>{true, false, false} << 0;
        QTest::newRow("truco pendente") << "truco" << 1 << QList<int>{1, -1} << QByteArray()
                                        << nenhuma << 0;
        QTest::newRow("carta ja na mesa") << "mesa" << 1 << QList<int>{2, -2}
                                          << QByteArray() << nenhuma << 0;
        QTest::newRow("carta de outro jogador") << "vez" << 1 << QList<int>{5, -5} << QByteArray()
                                                << nenhuma << 0;
        QTest::newRow("direito na primeira vaza") << "vez" << 0 << QList<int>{-1} << QByteArray()
                                                  << nenhuma << 0;
        QTest::newRow("direito duas vezes") << "vez" << 1 << QList<int>{-1, -1} << QByteArray()
                                            << nenhuma << 0;
        QTest::newRow("direito sem codigo") << "vez" << 2 << QList<int>{-2} << QByteArray()
                                            << nenhuma << 0;
        QTest::newRow("coberta e jogada") << "vez" << 1 << QList<int>{-3, 3}
                                          << Msg("Carta", {"2", "True"})
                                          << QList<bool>{false, false, true} << 3;
    }
    // JogLocal 3: the turn passes to seat 1. The hand is 12, a card not shown, 40.
    void cliqueNaCarta()
    {
        QFETCH(QString, estado);
        QFETCH(int, vaza);
        QFETCH(QList<int>, cliques);
        QFETCH(QByteArray, enviado);
        QFETCH(QList<bool>, cobertas);
        QFETCH(int, jogada);
        jogadores("3", {"bia", "caio", "davi", "ana"});
        c().SetVariaveis("Vez", estado == "outro" ? "caio" : "ana");
        m()->MostrarMao(5, {12, 0, 40});
        m()->VazaAtual = qint16(vaza);
        m()->TagTruco = estado == "truco" ? "Truco" : "";
        if (estado == "mesa")
            m()->pbJgCarta[2]->SetTag("Mesa");
        for (int i : cliques)
            QTest::mouseClick(m()->pbJgCarta[qAbs(i)], i > 0 ? Qt::LeftButton : Qt::RightButton,
                              {}, QPoint(5, 48));
        QCOMPARE(b->Enviado(), enviado);
        QCOMPARE(c().Variaveis("Vez"), jogada ? "bia" : estado == "outro" ? "caio" : "ana");
        const QRgb verso = Arte::VersoCarta().pixel(35, 48);
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(m()->Cartas[i].Coberta, cobertas[i - 1]);
            QCOMPARE(centro(m()->pbJgCarta[i]) == verso, cobertas[i - 1] || i == 2);
            QCOMPARE(m()->pbJgCarta[i]->Tag() == "Mesa", i == jogada || (estado == "mesa" && i == 2));
        }
        MovePBs& mov = m()->Movimentos();
        QCOMPARE(mov.Count("Carta jogada"), jogada ? 1 : 0);
        for (int t = 0; t < 100 && mov.Count(); ++t)
            mov.Tick();
        QVERIFY(!mov.tmTimer()->isActive());
        if (jogada)
            QCOMPARE(QPointF(m()->pbJgCarta[jogada]->Left(), m()->pbJgCarta[jogada]->Top()),
                     QPointF(4170, 3780));
    }

    // Text others chose shows as typed; the room's name and the status line show whole.
    void textosInteiros()
    {
        const QString marcacao = "<h1><u>X</u></h1>";
        jogadores("0", {"ana", "<h1>zeca</h1>", "", ""});
        for (const QString& nome : {marcacao, QStringLiteral("Mesa da Joana e do Zé")}) {
            m()->MudarNomeSala(nome);
            QLabel* l = m()->lbJgNomeSala;
            QCOMPARE(l->text(), nome);
            QVERIFY(l->sizeHint().width() <= l->width() && l->sizeHint().height() <= l->height() + 2);
            QCOMPARE(m()->shJgNomeSala->geometry().adjusted(4, 0, -6, 0).left(), l->x());
            QCOMPARE(m()->shJgNomeSala->width(), l->width() + 10);
            QVERIFY(m()->shJgNomeSala->geometry().right() < m()->btJgIniciarJogo->x());
        }
        QLabel* nome = m()->lbJgJogador[1];
        QVERIFY(nome->sizeHint().width() <= nome->width() && nome->sizeHint().height() <= 20);
        for (const QString& estado : {QStringLiteral("Aguardando o início do jogo"),
                                      QStringLiteral("É a vez de wwwwwwwwwwww"), marcacao}) {
            m()->lbJgEstado->setText(estado);
            QVERIFY(m()->lbJgEstado->sizeHint().width() <= m()->lbJgEstado->width());
        }
    }
};

QTEST_MAIN(TstMesa)
#include "tst_mesa.moc"
