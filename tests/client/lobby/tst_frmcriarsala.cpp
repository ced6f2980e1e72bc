#include "AoDormir.h"
#include "TelaJogo.h"
#include "TelaSalas.h"
#include "frmCriarSala.h"

#include <QLabel>

// The create-room dialog against a scripted server: the request, the wait for "CriandoSala" and
// what an answer does to the dialog and the table.
class TstFrmCriarSala : public QObject
{
    Q_OBJECT

    std::unique_ptr<Bancada> b;
    std::unique_ptr<frmCriarSala> m_dialogo;

    // Clicks OK, checks the request sent and answers "CriandoSala" with resposta.
    bool confirmar(const QByteArray& resposta, const QByteArray& pedido,
                   const std::function<void()>& durante = {})
    {
        const bool seguiu =
            ClicarEResponder(*b, m_dialogo->btOK, pedido.size(), "CriandoSala", resposta, durante);
        return seguiu && b->Enviado() == pedido;
    }

private slots:
    void init()
    {
        b = std::make_unique<Bancada>();
        QVERIFY(b->cliente);
        b->cliente->SetVariaveis("Login", "ana");
        b->cliente->MudarFrame(b->cliente->frSalas);
        b->cliente->show();
        m_dialogo = std::make_unique<frmCriarSala>(b->cliente.get());
        m_dialogo->show();
    }

    void cleanup()
    {
        m_dialogo.reset();
        b.reset();
    }

    void nomeVazioERecusaMantemODialogoECancelarNaoEnvia()
    {
        QCOMPARE(m_dialogo->txSenha->echoMode(), QLineEdit::Password);
        m_dialogo->txSenha->setText("abc");
        m_dialogo->btOK->click();
        QCOMPARE(b->caixas.Textos(), QStringList{QStringLiteral("O nome da sala é obrigatório")});
        QVERIFY(m_dialogo->isVisible());
        // A name of blanks passes; the request is the first thing the server sees.
        m_dialogo->txNome->setText("  ");
        b->caixas.lista.clear();
        QVERIFY(confirmar("_J\xE1 existe uma sala com esse nome", Msg("nvSal", {"  ", "abc"})));
        QCOMPARE(b->caixas.Textos(),
                 QStringList{QStringLiteral("Já existe uma sala com esse nome")});
        QVERIFY(m_dialogo->isVisible());
        QCOMPARE(b->cliente->FrameAtual, static_cast<QWidget*>(b->cliente->frSalas));
        QCOMPARE(b->cliente->Variaveis("Hosting"), QStringLiteral("False"));
        QVERIFY(m_dialogo->btOK->isEnabled());
        m_dialogo->btCancelar->click();
        QCOMPARE(m_dialogo->result(), int(QDialog::Rejected));
        QVERIFY(!m_dialogo->isVisible());
        QCOMPARE(b->Enviado(), QByteArray());
    }

    void criadaSentaOAnfitriaoNaMesa_data()
    {
        QTest::addColumn<QString>("senha");
        QTest::addColumn<QString>("rotulo");
        QTest::newRow("sem senha") << "" << QStringLiteral("Mesa É");
        QTest::newRow("com senha") << "abc" << QStringLiteral("Mesa É - Senha: abc");
    }

    void criadaSentaOAnfitriaoNaMesa()
    {
        QFETCH(QString, senha);
        QFETCH(QString, rotulo);
        b->cliente->SetVariaveis("Jogador3", "bia");
        b->cliente->frJogo->JogSel = 2;
        m_dialogo->txNome->setText(QStringLiteral("Mesa É"));
        m_dialogo->txSenha->setText(senha);
        QVERIFY(confirmar("ok", Msg("nvSal", {"Mesa \xC9", senha.toLatin1()})));
        QCOMPARE(m_dialogo->result(), int(QDialog::Accepted));
        QCOMPARE(b->cliente->frJogo->lbJgNomeSala->text(), rotulo);
        QCOMPARE(b->cliente->FrameAtual, static_cast<QWidget*>(b->cliente->frJogo));
        QCOMPARE(b->cliente->frJogo->JogSel, 4);
        QStringList vars;
        for (const char* v :
             {"Jogador1", "Jogador2", "Jogador3", "Jogador4", "Hosting", "JogLocal"})
            vars << b->cliente->Variaveis(v);
        QCOMPARE(vars, (QStringList{"ana", "", "", "", "True", "0"}));
    }

    void botoesInertesDuranteAEspera()
    {
        m_dialogo->txNome->setText("Mesa");
        bool aguardava = false;
        // Cancel, close, Escape and a second OK while the answer is awaited: all ignored, and
        // only the one request goes out.
        QVERIFY(confirmar("ok", Msg("nvSal", {"Mesa", ""}), [&] {
            aguardava = m_dialogo->Aguardando();
            m_dialogo->btCancelar->click();
            m_dialogo->btFechar->click();
            QTest::keyClick(m_dialogo->txNome, Qt::Key_Escape);
            m_dialogo->close();
            m_dialogo->btOK->click();
            aguardava = aguardava && m_dialogo->isVisible();
        }));
        QVERIFY(aguardava);
        QCOMPARE(b->cliente->FrameAtual, static_cast<QWidget*>(b->cliente->frJogo));
        QVERIFY(!m_dialogo->isVisible());
        QVERIFY(!m_dialogo->Aguardando());
    }

    void fecharOProgramaDuranteAEsperaFechaODialogo()
    {
        m_dialogo->txNome->setText("Mesa");
        QVERIFY(!ClicarEResponder(*b, m_dialogo->btOK, 1, "CriandoSala", "ok",
                                  [&] { b->cliente->btFechar->click(); }));
        QVERIFY(Espera::Encerrando());
        QVERIFY(!m_dialogo->isVisible());
        QCOMPARE(m_dialogo->result(), int(QDialog::Rejected));
        QVERIFY(b->caixas.lista.isEmpty());
        QCOMPARE(b->cliente->FrameAtual, static_cast<QWidget*>(b->cliente->frSalas));
    }
};

QTEST_MAIN(TstFrmCriarSala)
#include "tst_frmcriarsala.moc"
