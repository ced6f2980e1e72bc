#include "AoDormir.h"
#include "CaixasGravadas.h"
#include "ClienteDeTeste.h"
#include "Espera.h"
#include "FuncoesComuns.h"
#include "TelaJogo.h"
#include "TelaSalas.h"
#include "frmCliente.h"
#include "frmCriarSala.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
QByteArray msg(const char* comando, const QList<QByteArray>& argumentos = {})
{
    return MontarMensagem(comando, argumentos);
}
} // namespace

// The create-room dialog against a scripted server: the request, the wait for "CriandoSala" and
// what an answer does to the dialog and the table.
class TstFrmCriarSala : public QObject
{
    Q_OBJECT

    ServidorRoteirizado* m_servidor = nullptr;
    std::unique_ptr<frmCliente> m_cliente;
    std::unique_ptr<CaixasGravadas> m_caixas;
    std::unique_ptr<frmCriarSala> m_dialogo;

    // Clicks OK; once the request has reached the server, runs durante (the click still waits)
    // and, when the dialog's wait sleeps in the event loop, answers "CriandoSala" with resposta.
    // A bound closes the program if the answer never goes out.
    void confirmar(const QByteArray& resposta, const QByteArray& pedido,
                   const std::function<void()>& durante = {})
    {
        QTimer limite;
        limite.setSingleShot(true);
        connect(&limite, &QTimer::timeout, this, [&] { m_cliente->Form_Unload(); });
        QTimer::singleShot(0, this, [&] {
            if (!m_servidor->AguardarBytes(pedido.size())) {
                m_cliente->Form_Unload();
                return;
            }
            if (durante)
                durante();
            AoDormir(&limite, [&] { m_servidor->Enviar(msg("Setar", {"CriandoSala", resposta})); });
            limite.start(20000);
        });
        m_dialogo->btOK->click();
        QVERIFY(!Espera::Encerrando());
        QCOMPARE(m_servidor->Recebido(), pedido);
        m_servidor->LimparRecebido();
    }

private slots:
    void init()
    {
        m_servidor = new ServidorRoteirizado(this);
        QVERIFY(m_servidor->Escutando());
        m_caixas = std::make_unique<CaixasGravadas>();
        m_cliente = ClienteDeTeste(*m_servidor);
        QVERIFY(m_cliente);
        m_cliente->SetVariaveis("Login", "ana");
        m_cliente->MudarFrame(m_cliente->frSalas);
        m_cliente->show();
        m_dialogo = std::make_unique<frmCriarSala>(m_cliente.get());
        m_dialogo->show();
    }

    void cleanup()
    {
        m_dialogo.reset();
        m_cliente.reset();
        delete m_servidor;
        m_caixas.reset();
    }

    void nomeVazioNaoEnvia()
    {
        QCOMPARE(m_dialogo->txNome->maxLength(), 50);
        QCOMPARE(m_dialogo->txSenha->maxLength(), 10);
        QCOMPARE(m_dialogo->txSenha->echoMode(), QLineEdit::Normal);
        m_dialogo->txSenha->setText("x");
        m_dialogo->btOK->click();
        QCOMPARE(m_caixas->Textos(), QStringList{QStringLiteral("O nome da sala é obrigatório")});
        QVERIFY(m_dialogo->isVisible());
        // A name of blanks passes; the first bytes the server sees are its request.
        m_dialogo->txNome->setText("  ");
        confirmar("_Nome inválido", msg("nvSal", {"  ", "x"}));
    }

    void criadaSemSenhaSentaOAnfitriaoNaMesa()
    {
        m_cliente->SetVariaveis("Jogador3", "bia");
        m_cliente->frJogo->JogSel = 2;
        m_dialogo->txNome->setText(QStringLiteral("Mesa É"));
        confirmar("ok", msg("nvSal", {"Mesa \xC9", ""}));
        QVERIFY(m_caixas->lista.isEmpty());
        QVERIFY(!m_dialogo->isVisible());
        QCOMPARE(m_dialogo->result(), int(QDialog::Accepted));
        QCOMPARE(m_cliente->frJogo->lbJgNomeSala->text(), QStringLiteral("Mesa É"));
        QCOMPARE(m_cliente->FrameAtual, static_cast<QWidget*>(m_cliente->frJogo));
        QCOMPARE(m_cliente->frJogo->JogSel, 4);
        const QStringList vars{m_cliente->Variaveis("Jogador1"), m_cliente->Variaveis("Jogador2"),
                               m_cliente->Variaveis("Jogador3"), m_cliente->Variaveis("Jogador4"),
                               m_cliente->Variaveis("Hosting"),  m_cliente->Variaveis("JogLocal")};
        QCOMPARE(vars, (QStringList{"ana", "", "", "", "True", "0"}));
    }

    void criadaComSenhaMostraASenhaNoNome()
    {
        m_dialogo->txNome->setText("Mesa");
        m_dialogo->txSenha->setText("abc");
        confirmar("Mesa", msg("nvSal", {"Mesa", "abc"}));
        QCOMPARE(m_cliente->frJogo->lbJgNomeSala->text(), QStringLiteral("Mesa - Senha: abc"));
    }

    void recusaMostraOMotivoEMantemOsCampos()
    {
        m_dialogo->txNome->setText("Mesa");
        m_dialogo->txSenha->setText("abc");
        confirmar("_J\xE1 existe uma sala com esse nome", msg("nvSal", {"Mesa", "abc"}));
        QCOMPARE(m_caixas->Textos(),
                 QStringList{QStringLiteral("Já existe uma sala com esse nome")});
        QVERIFY(m_dialogo->isVisible());
        QCOMPARE(m_dialogo->txNome->text(), QStringLiteral("Mesa"));
        QCOMPARE(m_dialogo->txSenha->text(), QStringLiteral("abc"));
        QCOMPARE(m_cliente->FrameAtual, static_cast<QWidget*>(m_cliente->frSalas));
        QCOMPARE(m_cliente->Variaveis("Hosting"), QStringLiteral("False"));

        // A bare "_" is a refusal with an empty reason; OK can be pressed again afterwards.
        m_caixas->lista.clear();
        confirmar("_", msg("nvSal", {"Mesa", "abc"}));
        QCOMPARE(m_caixas->Textos(), QStringList{QString()});
        QVERIFY(m_dialogo->isVisible() && m_dialogo->btOK->isEnabled());
    }

    void botoesInertesDuranteAEspera()
    {
        m_dialogo->txNome->setText("Mesa");
        bool aguardava = false;
        confirmar("ok", msg("nvSal", {"Mesa", ""}), [&] {
            aguardava = m_dialogo->Aguardando();
            // Cancel, close, Escape and a second OK while the answer is awaited: all ignored.
            m_dialogo->btCancelar->click();
            m_dialogo->btFechar->click();
            QTest::keyClick(m_dialogo->txNome, Qt::Key_Escape);
            m_dialogo->close();
            m_dialogo->btOK->click();
            aguardava = aguardava && m_dialogo->isVisible();
        });
        QVERIFY(aguardava);
        // Only the one request went out, and the answer still put the player at the table.
        QCOMPARE(m_cliente->FrameAtual, static_cast<QWidget*>(m_cliente->frJogo));
        QVERIFY(!m_dialogo->isVisible());
        QVERIFY(!m_dialogo->Aguardando());
    }

    void fecharOProgramaDuranteAEsperaFechaODialogo()
    {
        m_dialogo->txNome->setText("Mesa");
        QTimer::singleShot(0, this, [&] {
            m_servidor->AguardarBytes(1);
            m_cliente->btFechar->click();
        });
        m_dialogo->btOK->click();
        QVERIFY(Espera::Encerrando());
        QVERIFY(!m_dialogo->isVisible());
        QCOMPARE(m_dialogo->result(), int(QDialog::Rejected));
        QVERIFY(m_caixas->lista.isEmpty());
        QCOMPARE(m_cliente->FrameAtual, static_cast<QWidget*>(m_cliente->frSalas));
    }

    void cancelarNaoEnvia()
    {
        m_dialogo->txNome->setText("Mesa");
        m_dialogo->btCancelar->click();
        QVERIFY(!m_dialogo->isVisible());
        QCOMPARE(m_dialogo->result(), int(QDialog::Rejected));
        // The chat line is the first thing the server sees.
        m_cliente->txFalar->setText("oi");
        m_cliente->btEnviar->click();
        const QByteArray oi = msg("slBla", {"oi"});
        QVERIFY(m_servidor->AguardarBytes(oi.size()));
        QCOMPARE(m_servidor->Recebido(), oi);
    }
};

QTEST_MAIN(TstFrmCriarSala)
#include "tst_frmcriarsala.moc"
