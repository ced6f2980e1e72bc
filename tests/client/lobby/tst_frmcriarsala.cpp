#include "Bancada.h"
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
    std::unique_ptr<frmCriarSala> d;

    // Clicks OK and answers "CriandoSala" with resposta; true when the request sent was pedido.
    bool confirmar(const QByteArray& resposta, const QByteArray& pedido,
                   const std::function<void()>& durante = {})
    {
        return b->ClicarEResponder(d->btOK, pedido.size(), "CriandoSala", resposta, durante) &&
               b->Enviado() == pedido;
    }

    // The dialog as the lobby's button opens it: a created room seats the player.
    void novoDialogo()
    {
        d = std::make_unique<frmCriarSala>(b->cliente.get());
        connect(d.get(), &frmCriarSala::Criada, b->cliente.get(), &frmCliente::SentarComoAnfitriao);
    }

private slots:
    void init()
    {
        b = std::make_unique<Bancada>();
        QVERIFY(b->cliente);
        b->cliente->SetVariaveis("Login", "ana");
        b->cliente->MudarFrame(b->cliente->frSalas);
        b->cliente->show();
        novoDialogo();
        d->show();
    }
    void cleanup()
    {
        d.reset();
        b.reset();
    }

    // An empty name is refused before sending, a name of blanks is not; a refused room keeps the
    // dialog; cancel sends nothing.
    void recusas()
    {
        d->btOK->click();
        d->txNome->setText("  ");
        QVERIFY(confirmar("_J\xE1 existe uma sala com esse nome", Msg("nvSal", {"  ", ""})));
        QCOMPARE(b->caixas.Textos().join('|'),
                 QStringLiteral("O nome da sala é obrigatório|Já existe uma sala com esse nome"));
        QVERIFY(d->isVisible() && d->btOK->isEnabled() &&
                b->cliente->FrameAtual == b->cliente->frSalas);
        d->btCancelar->click();
        QVERIFY(!d->isVisible());
        QCOMPARE(b->Enviado(), QByteArray());
    }

    void criadaSentaOAnfitriaoNaMesa()
    {
        for (const auto& [senha, rotulo] : {std::pair<QString, QString>{"", "Mesa É"},
                                            {"abcdefghijk", "Mesa É - Senha: abcdefghij"}}) {
            novoDialogo();
            b->cliente->SetVariaveis("Jogador3", "bia");
            b->cliente->frJogo->JogSel = 2;
            d->txNome->setText(QStringLiteral("Mesa É"));
            d->txSenha->setText(senha);
            QVERIFY(confirmar("ok", Msg("nvSal", {"Mesa \xC9", d->txSenha->text().toLatin1()})));
            QCOMPARE(d->result(), int(QDialog::Accepted));
            QVERIFY(b->cliente->FrameAtual == b->cliente->frJogo);
            QStringList vars{b->cliente->frJogo->lbJgNomeSala->text(),
                             QString::number(b->cliente->frJogo->JogSel)};
            for (const char* v :
                 {"Jogador1", "Jogador2", "Jogador3", "Jogador4", "Hosting", "JogLocal"})
                vars << b->cliente->Variaveis(v);
            QCOMPARE(vars, (QStringList{rotulo, "4", "ana", "", "", "", "True", "0"}));
        }
    }

    // Cancel, close, Escape and a second OK while the answer is awaited: all ignored, and only
    // the one request goes out.
    void botoesInertesDuranteAEspera()
    {
        d->txNome->setText("Mesa");
        bool aguardava = false;
        QVERIFY(confirmar("ok", Msg("nvSal", {"Mesa", ""}), [&] {
            d->btCancelar->click();
            d->btFechar->click();
            QTest::keyClick(d->txNome, Qt::Key_Escape);
            d->close();
            d->btOK->click();
            aguardava = d->Aguardando() && d->isVisible();
        }));
        QVERIFY(aguardava && !d->isVisible() && !d->Aguardando());
        QVERIFY(b->cliente->FrameAtual == b->cliente->frJogo);
    }

    void fecharOProgramaDuranteAEsperaFechaODialogo()
    {
        d->txNome->setText("Mesa");
        QVERIFY(!b->ClicarEResponder(d->btOK, 1, "CriandoSala", "ok",
                                     [&] { b->cliente->btFechar->click(); }));
        QVERIFY(Espera::Encerrando() && !d->isVisible() && b->caixas.lista.isEmpty());
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QVERIFY(b->cliente->FrameAtual == b->cliente->frSalas);
    }
};

QTEST_MAIN(TstFrmCriarSala)
#include "tst_frmcriarsala.moc"
