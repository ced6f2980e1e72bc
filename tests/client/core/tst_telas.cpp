#include "Bancada.h"
#include "TelaCadastro.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// The main window's screens and the switch between them.
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

    // One screen at a time, photographed; the chat follows the lobby and the table; Enter in a
    // box presses the screen's default button, not while it is disabled; the first field takes
    // the focus.
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
        const TelaCadastro* cd = j.frCadastro;
        // Screen, a box in it, its default button, the field focused (none: the chat is there).
        const QList<std::tuple<QWidget*, QLineEdit*, QPushButton*, QWidget*>> roteiro{
            {j.frSalas, j.txFalar, j.btEnviar, nullptr},
            {j.frJogo, j.txFalar, j.btEnviar, nullptr},
            {j.frCadastro, cd->txCdEMail, cd->btCdOk, cd->txCdNome},
            {j.frLogin, j.frLogin->txLgSenha, j.frLogin->btLgOK, j.frLogin->txLgLogin},
            {j.frSalas, j.txFalar, j.btEnviar, nullptr}};
        QWidget* comChat = nullptr;
        for (const auto& [tela, caixa, botao, foco] : roteiro) {
            j.MudarFrame(tela);
            QCOMPARE(j.FrameAtual, tela);
            for (QWidget* t : telas)
                QCOMPARE(t->isVisibleTo(&j), t == tela);
            QVERIFY(j.grab().save(pasta + "/tela-" + tela->objectName() + ".png"));
            comChat = foco ? comChat : tela;
            for (QWidget* w : QList<QWidget*>{j.txChat, j.txFalar, j.btEnviar})
                QVERIFY(w->parentWidget() == comChat && w->isVisibleTo(comChat));
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
