#include "CaixaFigura.h"
#include "CaixasGravadas.h"
#include "ClienteDeTeste.h"
#include "TelaCadastro.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "Twips.h"
#include "frmCliente.h"

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

// Twips that are not whole pixels land on the nearest pixel.
QList<int> arredondado(QList<int> twips)
{
    for (int& t : twips)
        t = int(Twips::DePx(Twips::ParaPx(t)));
    return twips;
}
} // namespace

// The main window's screens: where their controls are, what they say, and the screen switch.
class TstTelas : public QObject
{
    Q_OBJECT

    std::unique_ptr<CaixasGravadas> m_caixas;
    ServidorRoteirizado* m_servidor = nullptr;
    std::unique_ptr<frmCliente> m_cliente;

    frmCliente& c() const { return *m_cliente; }

private slots:
    void init()
    {
        m_caixas = std::make_unique<CaixasGravadas>();
        m_servidor = new ServidorRoteirizado(this);
        m_cliente = ClienteDeTeste(*m_servidor);
        QVERIFY(m_cliente);
    }

    void cleanup()
    {
        m_cliente.reset();
        delete m_servidor;
        m_caixas.reset();
    }

    void geometria()
    {
        const frmCliente& j = c();
        const TelaJogo* m = j.frJogo;
        const QList<std::pair<const QWidget*, QList<int>>> esperado{
            {j.frLogin, {60, 300, 9315, 7455}},
            {j.frCadastro, {60, 300, 9315, 7455}},
            {j.frSalas, {60, 300, 9315, 7455}},
            {j.frJogo, {60, 300, 9315, 7455}},
            {j.btMinimizar, {8940, 60, 195, 195}},
            {j.btFechar, {9180, 60, 195, 195}},
            {j.frSalas->ltSlSalas, {60, 300, 7155, 4815}},
            {j.frSalas->ltSlJogadores, {7260, 300, 1995, 4800}},
            {j.frSalas->btSlCriarSala, {60, 5220, 915, 315}},
            {j.frSalas->btSlEntrar, {1020, 5220, 915, 315}},
            {j.frSalas->btSlImagem, {7980, 5220, 1275, 315}},
            {j.txChat, {60, 5700, 9195, 1335}},
            {j.txFalar, {60, 7080, 8475, 285}},
            {j.btEnviar, {8580, 7080, 675, 315}},
            {m->pbJgJogador[0], {4320, 4440, 795, 795}},
            {m->pbJgJogador[1], {5880, 3360, 795, 795}},
            {m->pbJgJogador[2], {4320, 2280, 795, 795}},
            {m->pbJgJogador[3], {2760, 3360, 795, 795}},
            {m->lbJgJogador[0], {4140, 5280, 1155, 255}},
            {m->lbJgJogador[1], {5700, 4200, 1155, 255}},
            {m->lbJgJogador[2], {4140, 3120, 1155, 255}},
            {m->lbJgJogador[3], {2580, 4200, 1155, 255}},
            {m->lbJgNomeSala, {4140, 180, 1005, 195}},
            {m->pbJgPlacar, {6960, 840, 2235, 975}},
            {m->pbJgCarta[0], {8100, 5880, 1065, 1440}},
            {m->btJgIniciarJogo, {6900, 120, 1095, 315}},
            {m->btJgTruco, {6900, 120, 735, 315}},
            {m->btJgAceitar, {7680, 120, 735, 315}},
            {m->btJgRecusar, {8460, 120, 735, 315}},
            {m->btJgSair, {8100, 120, 1095, 315}},
            {m->lbJgEstado, {7020, 540, 2115, 195}},
            {m->lbJgResultado, {2640, 1260, 4035, 675}},
            {m->lbJgFim, {3540, 720, 2295, 495}},
        };
        QCOMPARE(QList<int>({int(Twips::DePx(j.width())), int(Twips::DePx(j.height()))}),
                 (QList<int>{9435, 7815}));
        for (const auto& [w, twips] : esperado)
            QVERIFY2(emTwips(w) == arredondado(twips),
                     qPrintable(w->objectName() + " " + w->metaObject()->className()));
        QCOMPARE(m->pbJgJogador[2]->Left(), 4320.0);
        QCOMPARE(m->pbJgJogador[2]->Top(), 2280.0);
        QCOMPARE(m->pbJgJogador[0]->CorFundo(), QColor(0, 96, 0));
    }

    // What the boxes accept and how they show it, and what the table hides outside a game.
    void limitesEEstadoInicial()
    {
        const frmCliente& j = c();
        QCOMPARE(j.frLogin->txLgSenha->echoMode(), QLineEdit::Password);
        QCOMPARE(j.frLogin->txLgLogin->echoMode(), QLineEdit::Normal);
        const TelaCadastro* cd = j.frCadastro;
        QCOMPARE((QList<int>{cd->txCdNome->maxLength(), cd->txCdEMail->maxLength(),
                             cd->txCdLogin->maxLength(), cd->txCdSenha->maxLength(),
                             cd->txCdRpSenha->maxLength(), j.txFalar->maxLength()}),
                 (QList<int>{50, 50, 12, 12, 12, 70}));
        QCOMPARE(cd->txCdSenha->echoMode(), QLineEdit::Password);
        QCOMPARE(cd->txCdRpSenha->echoMode(), QLineEdit::Password);
        QCOMPARE(cd->lbCdDica->text(), QStringLiteral("(4-12  caracteres)"));

        const QTreeWidget* salas = j.frSalas->ltSlSalas;
        const QTreeWidgetItem* cabecalho = salas->headerItem();
        QCOMPARE((QStringList{cabecalho->text(0), cabecalho->text(1), cabecalho->text(2)}),
                 (QStringList{"Sala", "Jogadores", "Senha"}));
        QVERIFY(!salas->rootIsDecorated());

        const TelaJogo* m = j.frJogo;
        for (const QWidget* w :
             {static_cast<const QWidget*>(m->btJgTruco),
              static_cast<const QWidget*>(m->btJgAceitar),
              static_cast<const QWidget*>(m->btJgRecusar), static_cast<const QWidget*>(m->lbJgFim),
              static_cast<const QWidget*>(m->lbJgResultado),
              static_cast<const QWidget*>(m->lbJgJogador[0])})
            QVERIFY(w->isHidden());
        QVERIFY(!m->btJgSair->isHidden());
        QCOMPARE(m->lbJgEstado->text(), QStringLiteral("Aguardando o início do jogo"));
        QCOMPARE(m->JogSel, qint16(4));
        QCOMPARE(m->EquipeTruco, qint16(-1));
        QVERIFY(!m->JogoIniciado);
        QVERIFY(!m->MaoDeOnze);

        // The window's own font is bold; its screens are not.
        QVERIFY(j.font().bold());
        QVERIFY(!j.frLogin->txLgLogin->font().bold());
        QVERIFY(!j.txChat->font().bold());
    }

    void somenteUmaTelaPorVez()
    {
        QVERIFY(c().frLogin->isVisibleTo(&c()));
        for (QWidget* tela :
             {static_cast<QWidget*>(c().frCadastro), static_cast<QWidget*>(c().frSalas),
              static_cast<QWidget*>(c().frJogo), static_cast<QWidget*>(c().frLogin)}) {
            c().MudarFrame(tela);
            QCOMPARE(c().FrameAtual, tela);
            int visiveis = 0;
            for (QWidget* t :
                 {static_cast<QWidget*>(c().frLogin), static_cast<QWidget*>(c().frCadastro),
                  static_cast<QWidget*>(c().frSalas), static_cast<QWidget*>(c().frJogo)})
                visiveis += t->isVisibleTo(&c()) ? 1 : 0;
            QCOMPARE(visiveis, 1);
            QVERIFY(tela->isVisibleTo(&c()));
        }
    }

    void chatAcompanhaATela()
    {
        const QList<std::pair<QWidget*, int>> roteiro{
            {c().frSalas, 9195}, {c().frJogo, 4215}, {c().frSalas, 9195}, {c().frJogo, 4215}};
        for (const auto& [tela, largura] : roteiro) {
            c().MudarFrame(tela);
            QCOMPARE(c().txChat->parentWidget(), tela);
            QCOMPARE(c().txFalar->parentWidget(), tela);
            QCOMPARE(c().btEnviar->parentWidget(), tela);
            QCOMPARE(emTwips(c().txChat), (QList<int>{60, 5700, largura, 1335}));
            QCOMPARE(emTwips(c().txFalar), (QList<int>{60, 7080, largura - 720, 285}));
            QCOMPARE(emTwips(c().btEnviar), (QList<int>{largura - 615, 7080, 675, 315}));
            QVERIFY(c().txChat->isVisibleTo(tela));
            QVERIFY(c().btEnviar->isDefault());
        }
        // The login screen does not take the chat.
        c().MudarFrame(c().frLogin);
        QCOMPARE(c().txChat->parentWidget(), c().frJogo);
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
        c().SetVariaveis("Hosting", hosting);
        c().frJogo->btJgSair->setHidden(!sairVisivel);
        c().frJogo->btJgIniciarJogo->setHidden(iniciarVisivel);
        c().MudarFrame(c().frJogo);
        QCOMPARE(!c().frJogo->btJgIniciarJogo->isHidden(), iniciarVisivel);
    }

    void enterApertaOBotaoPadraoEFoco()
    {
        c().show();
        QApplication::setActiveWindow(&c());
        QVERIFY(QTest::qWaitForWindowActive(&c()));

        const QList<std::tuple<QWidget*, QLineEdit*, QPushButton*, QWidget*>> telas{
            {c().frCadastro, c().frCadastro->txCdEMail, c().frCadastro->btCdOk,
             c().frCadastro->txCdNome},
            {c().frLogin, c().frLogin->txLgSenha, c().frLogin->btLgOK, c().frLogin->txLgLogin},
            {c().frSalas, c().txFalar, c().btEnviar, nullptr},
            {c().frJogo, c().txFalar, c().btEnviar, nullptr},
        };
        for (const auto& [tela, caixa, botao, foco] : telas) {
            c().MudarFrame(tela);
            if (foco)
                QCOMPARE(QApplication::focusWidget(), foco);
            QSignalSpy cliques(botao, &QPushButton::clicked);
            QTest::keyClick(caixa, Qt::Key_Return);
            QCOMPARE(cliques.count(), 1);
            // Not while the button cannot be used.
            botao->setEnabled(false);
            QTest::keyClick(caixa, Qt::Key_Enter);
            botao->setEnabled(true);
            QCOMPARE(cliques.count(), 1);
        }
    }

    void fotografias()
    {
        const QString pasta = qEnvironmentVariable("QUARPEL_ARTEFATOS", QDir::tempPath());
        QVERIFY(QDir().mkpath(pasta));
        c().show();
        c().frSalas->ltSlJogadores->addItems({"ana", "bia"});
        c().txChat->setPlainText("\r\nana: bom dia");
        for (QWidget* tela :
             {static_cast<QWidget*>(c().frLogin), static_cast<QWidget*>(c().frCadastro),
              static_cast<QWidget*>(c().frSalas), static_cast<QWidget*>(c().frJogo)}) {
            c().MudarFrame(tela);
            const QImage imagem = c().grab().toImage();
            QCOMPARE(imagem.size(), c().size() * c().devicePixelRatio());
            const QString arquivo = pasta + "/tela-" + tela->objectName() + ".png";
            QVERIFY2(imagem.save(arquivo), qPrintable(arquivo));
        }
    }
};

QTEST_MAIN(TstTelas)
#include "tst_telas.moc"
