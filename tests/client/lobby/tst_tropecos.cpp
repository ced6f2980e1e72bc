#include "Bancada.h"
#include "Inicio.h"
#include "TelaCadastro.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "frmCriarSala.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <QTreeWidget>

namespace {
QByteArray Salas(const QList<QByteArray>& nomes) // every room with a password
{
    QList<QByteArray> a{QByteArray::number(nomes.size())};
    for (const QByteArray& n : nomes)
        a += {n, "1/4", "True", "0"};
    return Msg("slInf", a);
}
} // namespace

// What a new player trips over in the lobby, against a scripted server.
class TstTropecos : public QObject
{
    Q_OBJECT

    std::unique_ptr<Bancada> b;
    frmCliente& c() { return *b->cliente; }
    QTreeWidget* lista() { return c().frSalas->ltSlSalas; }

private slots:
    void init()
    {
        b = std::make_unique<Bancada>();
        QVERIFY(b->cliente);
        c().show();
        Espera::SetLimite(std::chrono::milliseconds(100));
    }
    void cleanup() { b.reset(); }

    // The list changes while the password box is open; cancel sends nothing.
    void senhaEnquantoAListaMuda_data()
    {
        QTest::addColumn<QByteArray>("durante");
        QTest::addColumn<bool>("cancela");
        QTest::addColumn<QByteArray>("enviado");
        QTest::addColumn<QString>("caixas");
        QTest::newRow("reordenada")
            << Salas({"nova", "a", "b"}) << false << Msg("Entra", {"b", "x"}) << "Digite a senha:";
        QTest::newRow("encolheu") << Salas({}) << false << QByteArray()
                                  << QStringLiteral("Digite a senha:|A sala b não existe mais.");
        QTest::newRow("cancelada") << QByteArray() << true << QByteArray() << "Digite a senha:";
    }
    void senhaEnquantoAListaMuda()
    {
        QFETCH(QByteArray, durante);
        QFETCH(bool, cancela);
        QVERIFY(b->Receber(Salas({"a", "b"})));
        lista()->setCurrentItem(lista()->topLevelItem(1));
        QStringList caixas;
        Caixas::SetInterceptador([&](const Caixas::Caixa& caixa) -> std::optional<QString> {
            caixas << caixa.texto;
            if (!durante.isEmpty() && !b->Receber(std::exchange(durante, {})))
                caixas << "(a lista não chegou)";
            return cancela ? std::nullopt : std::optional<QString>("x");
        });
        c().frSalas->btSlEntrar->click();
        QTEST(caixas.join('|'), "caixas");
        c().frSalas->setEnabled(true); // the chat that Enviado uses lives in the lobby
        QTEST(b->Enviado(), "enviado");
    }

    // Rebuilt lists keep the selected room; a double click enters it; no answer gives it back.
    void selecaoDuploCliqueELimite()
    {
        QVERIFY(b->Receber(Salas({"a", "b"})));
        lista()->setCurrentItem(lista()->topLevelItem(1));
        QVERIFY(b->Receber(Salas({"nova", "a", "b"})));
        const auto selecao = lista()->selectedItems();
        QCOMPARE(selecao.size() == 1 ? selecao[0]->text(0) : QString(), "b");
        Caixas::SetInterceptador([](const Caixas::Caixa&) { return QString("pw"); });
        emit lista()->itemDoubleClicked(selecao[0], 0);
        QVERIFY(!c().frSalas->isEnabled());
        QTRY_VERIFY(c().frSalas->isEnabled());
        QCOMPARE(c().focusWidget(), lista());
        QCOMPARE(b->Enviado(), Msg("Entra", {"b", "pw"}));
    }

    // The player's waits end after the limit with a box, the screen given back.
    void semRespostaDevolveATela()
    {
        c().frLogin->txLgLogin->setText("ana");
        c().frLogin->txLgSenha->setText("pw");
        c().frLogin->btLgOK->click();
        QVERIFY(c().frLogin->isEnabled());
        QCOMPARE(c().focusWidget(), c().frLogin->txLgSenha);
        frmCriarSala dialogo(b->cliente.get());
        dialogo.txNome->setText("mesa");
        dialogo.btOK->click();
        QVERIFY(dialogo.btOK->isEnabled() && dialogo.btCancelar->isEnabled());
        QCOMPARE(b->caixas.Textos(), QStringList(2, Espera::kSemResposta));
    }

    // A focused button takes Enter itself, and shows that it has the focus.
    void enterNoBotaoFocado()
    {
        QApplication::setActiveWindow(&c());
        QVERIFY(QTest::qWaitForWindowActive(&c()));
        c().frCadastro->txCdNome->setText("Ana");
        c().setAttribute(Qt::WA_KeyboardFocusChange); // as after a Tab
        for (const auto& [botao, tela] :
             {std::pair<QPushButton*, QWidget*>{c().frLogin->btLgCriarConta, c().frCadastro},
              {c().frCadastro->btCdCancelar, c().frLogin}}) {
            const auto borda = [botao] { return qGray(botao->grab().toImage().pixel(3, 12)); };
            QVERIFY(borda() > 150);
            botao->setFocus();
            QVERIFY(borda() < 100);
            QTest::keyClick(botao, Qt::Key_Return);
            QCOMPARE(c().FrameAtual, tela);
        }
        QVERIFY(b->caixas.lista.isEmpty() && b->Enviado().isEmpty());
    }

    // Qt's own texts in Portuguese; the password box over the window, its text hidden.
    void dialogosDoQtEmPortugues()
    {
        QVERIFY(Inicio::CarregarTraducaoQt(*qApp));
        Caixas::SetInterceptador({});
        QStringList vistos;
        QTimer::singleShot(100, this, [&] {
            QWidget* w = QApplication::activeModalWidget();
            vistos << (w->parentWidget() == &c() ? "janela" : "fora")
                   << QString::number(w->findChild<QLineEdit*>()->echoMode());
            for (QAbstractButton* botao : w->findChildren<QAbstractButton*>())
                vistos << botao->text();
            static_cast<QDialog*>(w)->reject();
        });
        QCOMPARE(Caixas::PedirSenha("Digite a senha:"), std::nullopt);
        std::unique_ptr<QMenu> menu(c().txFalar->createStandardContextMenu());
        for (QAction* a : menu->actions())
            vistos << a->text();
        const QString todos = vistos.join(',');
        QVERIFY2(todos.startsWith("janela,2,OK,Cancelar,") && todos.contains("&Copiar"),
                 qPrintable(todos));
    }
};

QTEST_MAIN(TstTropecos)
#include "tst_tropecos.moc"
