#include "Bancada.h"
#include "CaixaFigura.h"
#include "ClienteTeste.h"
#include "MovePBs.h"
#include "ServidorTeste.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "frmCriarSala.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>

// A whole game against the real server's bots, played as a person would: the real client logs
// in, creates a room, starts, clicks its own cards and accepts every call; animation stepped here.
class TstPartidaRobos : public QObject
{
    Q_OBJECT

private slots:
    void umaPartidaInteiraContraRobos()
    {
        CaixasGravadas caixas;
        ServidorTeste servidor;
        ClienteTeste conta;
        QVERIFY(conta.Conectar(servidor.Porta()) && conta.CriarConta("anabela", "senha1"));
        conta.Desconectar();
        Espera::Reiniciar();
        frmCliente c({"servidor", "127.0.0.1"}, servidor.Porta());
        c.Form_Load();
        QTRY_VERIFY_WITH_TIMEOUT(c.isVisible(), 10000);
        c.frLogin->txLgLogin->setText("anabela");
        c.frLogin->txLgSenha->setText("senha1");
        c.frLogin->btLgOK->click();
        QTimer::singleShot(0, this, [] {
            auto* d = qobject_cast<frmCriarSala*>(QApplication::activeModalWidget());
            d->txNome->setText("Mesa da Ana");
            d->btOK->click();
        });
        c.frSalas->btSlCriarSala->click();
        QCOMPARE(c.FrameAtual, c.frJogo);

        TelaJogo* t = c.frJogo;
        MovePBs& mov = t->Movimentos();
        mov.tmTimer()->setInterval(1000 * 1000 * 1000);
        QSignalSpy tratadas(&c, &frmCliente::Tratada);
        const auto fim = [&] { return tratadas.contains(QVariantList{QByteArray("jgFim")}); };
        const auto vez = [&] { // unset before the first deal
            try {
                return c.Variaveis("Vez");
            } catch (const std::exception&) {
                return QString();
            }
        };
        t->btJgIniciarJogo->click();
        int jogadas = 0;
        QElapsedTimer relogio;
        relogio.start();
        while (!fim() && !Espera::Encerrando() && relogio.elapsed() < 100000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            for (int k = 0; k < 4 && mov.Count() > 0; ++k)
                mov.Tick();
            if (mov.Count() > 0)
                continue;
            if (!t->btJgAceitar->isHidden()) {
                t->btJgAceitar->click();
                continue;
            }
            if (!t->TagTruco.isEmpty() || vez() != "anabela")
                continue;
            for (int i = 1; i <= 3; ++i)
                if (t->pbJgCarta[i]->Tag().isEmpty() && !t->pbJgCarta[i]->isHidden()) {
                    QTest::mousePress(t->pbJgCarta[i], Qt::LeftButton);
                    ++jogadas;
                    break;
                }
        }
        QVERIFY2(fim(), qPrintable(caixas.Textos().join('|')));
        QVERIFY(t->lbJgResultado->text().startsWith("Você "));
        QVERIFY(!t->btJgSair->isHidden() && !t->btJgIniciarJogo->isHidden());
        QCOMPARE(caixas.Textos(), QStringList());
        QVERIFY(jogadas >= 6);
        if (const QString pasta = qEnvironmentVariable("QUARPEL_ARTEFATOS"); !pasta.isEmpty())
            QVERIFY(QDir().mkpath(pasta) && c.grab().save(pasta + "/partida_jgFim.png"));
    }
};

QTEST_MAIN(TstPartidaRobos)
#include "tst_partidarobos.moc"
