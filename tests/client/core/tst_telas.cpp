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

    // What the boxes accept and how they show it.
    void limites()
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
        // The window's own font is bold; its screens are not.
        QVERIFY(j.font().bold() && !j.frLogin->txLgLogin->font().bold());
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
