#include "Bancada.h"
#include "CaixaFigura.h"
#include "TelaCadastro.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "Twips.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

namespace {
// A widget's place in its container, in twips: Left, Top, Width, Height.
QList<int> emTwips(const QWidget* w)
{
    const QRect g = w->geometry();
    return {int(Twips::DePx(g.x())), int(Twips::DePx(g.y())), int(Twips::DePx(g.width())),
            int(Twips::DePx(g.height()))};
}
} // namespace

// The main window's screens: where their controls are, what they say, and the screen switch.
class TstTelas : public QObject
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

    void geometria()
    {
        const frmCliente& j = *b->cliente;
        const TelaJogo* m = j.frJogo;
        // Each control, then its Left, Top, Width and Height in twips.
        const QList<const QWidget*> controles{j.frLogin,
                                              j.frCadastro,
                                              j.frSalas,
                                              j.frJogo,
                                              j.btMinimizar,
                                              j.btFechar,
                                              j.frSalas->ltSlSalas,
                                              j.frSalas->ltSlJogadores,
                                              j.frSalas->btSlCriarSala,
                                              j.frSalas->btSlEntrar,
                                              j.frSalas->btSlImagem,
                                              j.txChat,
                                              j.txFalar,
                                              j.btEnviar,
                                              m->pbJgJogador[0],
                                              m->pbJgJogador[1],
                                              m->pbJgJogador[2],
                                              m->pbJgJogador[3],
                                              m->lbJgJogador[0],
                                              m->lbJgJogador[1],
                                              m->lbJgJogador[2],
                                              m->lbJgJogador[3],
                                              m->lbJgNomeSala,
                                              m->pbJgPlacar,
                                              m->pbJgCarta[0],
                                              m->btJgIniciarJogo,
                                              m->btJgTruco,
                                              m->btJgAceitar,
                                              m->btJgRecusar,
                                              m->btJgSair,
                                              m->lbJgEstado,
                                              m->lbJgResultado,
                                              m->lbJgFim};
        const int twips[] = {60,   300,  9315, 7455, 60,   300,  9315, 7455, // login, sign-up
                             60,   300,  9315, 7455, 60,   300,  9315, 7455, // lobby, table
                             8940, 60,   195,  195,  9180, 60,   195,  195,  // minimize, close
                             60,   300,  7155, 4815, 7260, 300,  1995, 4800, // rooms, players
                             60,   5220, 915,  315,  1020, 5220, 915,  315,  // create, enter
                             7980, 5220, 1275, 315,  60,   5700, 9195, 1335, // image, chat
                             60,   7080, 8475, 285,  8580, 7080, 675,  315,  // typing box, send
                             4320, 4440, 795,  795,  5880, 3360, 795,  795,  // panels 0, 1
                             4320, 2280, 795,  795,  2760, 3360, 795,  795,  // panels 2, 3
                             3840, 5280, 1755, 255,  5400, 4200, 1755, 255,  // names 0, 1
                             3840, 3120, 1755, 255,  2280, 4200, 1755, 255,  // names 2, 3
                             4140, 180,  1005, 195,  6960, 840,  2235, 975,  // room name, score
                             8100, 5880, 1065, 1440, 6900, 120,  1095, 315,  // first card, start
                             6900, 120,  735,  315,  7680, 120,  735,  315,  // truco, accept
                             8460, 120,  735,  315,  8100, 120,  1095, 315,  // refuse, leave
                             5520, 540,  3615, 195,  2640, 1260, 4035, 675,  // state, result
                             2640, 720,  4035, 495};                         // end
        QCOMPARE(std::size(twips), 4 * size_t(controles.size()));
        for (qsizetype i = 0; i < controles.size(); ++i) {
            QList<int> esperado(twips + 4 * i, twips + 4 * i + 4);
            // Twips that are not whole pixels land on the nearest pixel.
            for (int& t : esperado)
                t = int(Twips::DePx(Twips::ParaPx(t)));
            QVERIFY2(emTwips(controles[i]) == esperado, qPrintable(controles[i]->objectName()));
        }
        QCOMPARE(QList<int>({int(Twips::DePx(j.width())), int(Twips::DePx(j.height()))}),
                 (QList<int>{9435, 7815}));
        QCOMPARE(m->pbJgJogador[2]->Left(), 4320.0);
        QCOMPARE(m->pbJgJogador[2]->Top(), 2280.0);
        QCOMPARE(m->pbJgJogador[0]->CorFundo(), QColor(0, 96, 0));
    }

    // What the boxes accept and how they show it, and what the table hides outside a game.
    void limitesEEstadoInicial()
    {
        const frmCliente& j = *b->cliente;
        const TelaCadastro* cd = j.frCadastro;
        QCOMPARE((QList<int>{cd->txCdNome->maxLength(), cd->txCdEMail->maxLength(),
                             cd->txCdLogin->maxLength(), cd->txCdSenha->maxLength(),
                             cd->txCdRpSenha->maxLength(), j.txFalar->maxLength()}),
                 (QList<int>{50, 50, 12, 12, 12, 70}));
        QCOMPARE((QList<int>{j.frLogin->txLgLogin->echoMode(), j.frLogin->txLgSenha->echoMode(),
                             cd->txCdSenha->echoMode(), cd->txCdRpSenha->echoMode()}),
                 (QList<int>{QLineEdit::Normal, QLineEdit::Password, QLineEdit::Password,
                             QLineEdit::Password}));
        QCOMPARE(cd->lbCdDica->text(), QStringLiteral("(4-12  caracteres)"));
        const QTreeWidgetItem* cabecalho = j.frSalas->ltSlSalas->headerItem();
        QCOMPARE((QStringList{cabecalho->text(0), cabecalho->text(1), cabecalho->text(2)}),
                 (QStringList{"Sala", "Jogadores", "Senha"}));
        QVERIFY(!j.frSalas->ltSlSalas->rootIsDecorated());

        const TelaJogo* m = j.frJogo;
        for (const QWidget* w :
             QList<const QWidget*>{m->btJgTruco, m->btJgAceitar, m->btJgRecusar, m->lbJgFim,
                                   m->lbJgResultado, m->lbJgJogador[0]})
            QVERIFY(w->isHidden());
        QVERIFY(!m->btJgSair->isHidden());
        QCOMPARE(m->lbJgEstado->text(), QStringLiteral("Aguardando o início do jogo"));
        QCOMPARE(m->JogSel, qint16(4));
        QCOMPARE(m->EquipeTruco, qint16(-1));
        QVERIFY(!m->JogoIniciado && !m->MaoDeOnze);
        // The window's own font is bold; its screens are not.
        QVERIFY(j.font().bold());
        QVERIFY(!j.frLogin->txLgLogin->font().bold());
        QVERIFY(!j.txChat->font().bold());
    }

    // One screen at a time, photographed; the chat follows the lobby and the table at their
    // widths, 720 twips narrower for the typing box; Enter in a box presses the screen's
    // default button, not while it is disabled; the first field takes the focus.
    void trocaDeTela()
    {
        frmCliente& j = *b->cliente;
        const QString pasta = qEnvironmentVariable("QUARPEL_ARTEFATOS", QDir::tempPath());
        QVERIFY(QDir().mkpath(pasta));
        j.frSalas->ltSlJogadores->addItems({"ana", "bia"});
        j.txChat->setPlainText("\r\nana: bom dia");
        j.show();
        QApplication::setActiveWindow(&j);
        QVERIFY(QTest::qWaitForWindowActive(&j));
        const QList<QWidget*> telas{j.frLogin, j.frCadastro, j.frSalas, j.frJogo};
        for (QWidget* t : telas)
            QCOMPARE(t->isVisibleTo(&j), t == j.frLogin);
        const TelaCadastro* cd = j.frCadastro;
        // Screen, a box in it, its default button, the field focused, the chat's width.
        const QList<std::tuple<QWidget*, QLineEdit*, QPushButton*, QWidget*, int>> roteiro{
            {j.frSalas, j.txFalar, j.btEnviar, nullptr, 9195},
            {j.frJogo, j.txFalar, j.btEnviar, nullptr, 4215},
            {j.frCadastro, cd->txCdEMail, cd->btCdOk, cd->txCdNome, 0},
            {j.frLogin, j.frLogin->txLgSenha, j.frLogin->btLgOK, j.frLogin->txLgLogin, 0},
            {j.frSalas, j.txFalar, j.btEnviar, nullptr, 9195}};
        QWidget* comChat = nullptr;
        int largura = 0;
        for (const auto& [tela, caixa, botao, foco, larguraChat] : roteiro) {
            j.MudarFrame(tela);
            QCOMPARE(j.FrameAtual, tela);
            for (QWidget* t : telas)
                QCOMPARE(t->isVisibleTo(&j), t == tela);
            const QImage imagem = j.grab().toImage();
            QCOMPARE(imagem.size(), j.size() * j.devicePixelRatio());
            const QString arquivo = pasta + "/tela-" + tela->objectName() + ".png";
            QVERIFY2(imagem.save(arquivo), qPrintable(arquivo));

            if (larguraChat) {
                comChat = tela;
                largura = larguraChat;
            }
            for (QWidget* w : QList<QWidget*>{j.txChat, j.txFalar, j.btEnviar})
                QCOMPARE(w->parentWidget(), comChat);
            QCOMPARE(emTwips(j.txChat), (QList<int>{60, 5700, largura, 1335}));
            QCOMPARE(emTwips(j.txFalar), (QList<int>{60, 7080, largura - 720, 285}));
            QCOMPARE(emTwips(j.btEnviar), (QList<int>{largura - 615, 7080, 675, 315}));
            QVERIFY(j.txChat->isVisibleTo(comChat));

            QVERIFY(botao->isDefault());
            if (foco)
                QCOMPARE(QApplication::focusWidget(), foco);
            QSignalSpy cliques(botao, &QPushButton::clicked);
            QTest::keyClick(caixa, Qt::Key_Return);
            QCOMPARE(cliques.count(), 1);
            botao->setEnabled(false);
            QTest::keyClick(caixa, Qt::Key_Enter);
            botao->setEnabled(true);
            QCOMPARE(cliques.count(), 1);
        }
    }

    void iniciarJogoSoParaOHost_data()
    {
        QTest::addColumn<QString>("hosting");
        QTest::addColumn<bool>("sairVisivel");
        QTest::addColumn<bool>("iniciarVisivel");
        QTest::newRow("host") << "True" << true << true;
        QTest::newRow("nao host") << "False" << true << false;
        QTest::newRow("durante o jogo") << "True" << false << false;
        QTest::newRow("valor estranho") << "talvez" << true << false;
    }

    void iniciarJogoSoParaOHost()
    {
        QFETCH(QString, hosting);
        QFETCH(bool, sairVisivel);
        QFETCH(bool, iniciarVisivel);
        frmCliente& j = *b->cliente;
        j.SetVariaveis("Hosting", hosting);
        j.frJogo->btJgSair->setVisible(sairVisivel);
        j.frJogo->btJgIniciarJogo->setHidden(iniciarVisivel);
        j.MudarFrame(j.frJogo);
        QCOMPARE(!j.frJogo->btJgIniciarJogo->isHidden(), iniciarVisivel);
    }
};

QTEST_MAIN(TstTelas)
#include "tst_telas.moc"
