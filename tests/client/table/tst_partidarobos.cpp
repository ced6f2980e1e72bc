#include "CaixaFigura.h"
#include "Caixas.h"
#include "ClienteTeste.h"
#include "Espera.h"
#include "MovePBs.h"
#include "ServidorTeste.h"
#include "TelaJogo.h"
#include "TelaLogin.h"
#include "TelaSalas.h"
#include "frmCliente.h"
#include "frmCriarSala.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

// A whole game against the real server's bots, played the way a person would: the real client
// logs in, creates a room, starts, clicks its own cards and accepts every call. Animation is
// stepped here. Pictures of the table are saved into $QUARPEL_ARTEFATOS when it is set.
class TstPartidaRobos : public QObject
{
    Q_OBJECT

private slots:
    void umaPartidaInteiraContraRobos()
    {
        QStringList caixas;
        Caixas::SetInterceptador(
            [&](const Caixas::Caixa& c) { return caixas << c.texto, QString(); });
        ServidorTeste servidor;
        QVERIFY(servidor.Iniciado());
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
        QCOMPARE(c.FrameAtual, c.frSalas);
        QTimer::singleShot(0, this, [] {
            if (auto* d = qobject_cast<frmCriarSala*>(QApplication::activeModalWidget())) {
                d->txNome->setText("Mesa da Ana");
                d->btOK->click();
            }
        });
        c.frSalas->btSlCriarSala->click();
        QCOMPARE(c.FrameAtual, c.frJogo);

        TelaJogo* t = c.frJogo;
        MovePBs& mov = t->Movimentos();
        mov.tmTimer()->setInterval(1000 * 1000 * 1000);
        QSignalSpy tratadas(&c, &frmCliente::Tratada);
        // A picture as each first happens: the reaction has just ended; a trick once three of its
        // cards lie still on the table.
        QStringList fotos{"vaza", "Truco", "cmM11", "jgFim"};
        const QString pasta = qEnvironmentVariable("QUARPEL_ARTEFATOS");
        const auto foto = [&](const QString& nome) {
            if (fotos.removeOne(nome) && !pasta.isEmpty() && QDir().mkpath(pasta))
                c.grab().save(pasta + "/partida_" + nome + ".png");
        };
        connect(&c, &frmCliente::Tratada, this, [&](const QByteArray& comando) { foto(comando); });
        const auto vez = [&] {
            try {
                return c.Variaveis("Vez");
            } catch (const std::exception&) {
                return QString(); // before the first deal
            }
        };
        t->btJgIniciarJogo->click();
        int jogadas = 0, respostas = 0;
        QElapsedTimer relogio;
        relogio.start();
        while (!tratadas.contains(QVariantList{QByteArray("jgFim")}) && !Espera::Encerrando() &&
               relogio.elapsed() < 100000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            for (int k = 0; k < 4 && mov.Count() > 0; ++k)
                mov.Tick();
            int naMesa = 0;
            for (int i = 1; i <= 12; ++i)
                naMesa += t->pbJgCarta[i]->Tag() == "Mesa";
            if (naMesa == 3 && mov.Count() == 0)
                foto("vaza");
            if (!t->btJgAceitar->isHidden() && mov.Count() == 0) {
                t->btJgAceitar->click();
                ++respostas;
                continue;
            }
            if (vez() != "anabela" || !t->TagTruco.isEmpty() || mov.Count() > 0)
                continue;
            for (int i = 1; i <= 3; ++i) {
                if (t->pbJgCarta[i]->Tag().isEmpty() && !t->pbJgCarta[i]->isHidden()) {
                    QTest::mousePress(t->pbJgCarta[i], Qt::LeftButton);
                    ++jogadas;
                    break;
                }
            }
        }
        QVERIFY2(tratadas.contains(QVariantList{QByteArray("jgFim")}),
                 qPrintable(caixas.join('|')));
        QVERIFY(t->lbJgResultado->text().startsWith("Você "));
        QVERIFY(!t->btJgSair->isHidden() && !t->btJgIniciarJogo->isHidden());
        QCOMPARE(caixas, QStringList());
        QVERIFY(jogadas >= 6);
        qInfo("%d cartas jogadas, %d respostas, %lld ms", jogadas, respostas, relogio.elapsed());
        Caixas::SetInterceptador({});
    }
};

QTEST_MAIN(TstPartidaRobos)
#include "tst_partidarobos.moc"
