#include "Bancada.h"
#include "ClienteTeste.h"
#include "EsperarAte.h"
#include "JogadorDeTeste.h"
#include "ServidorTeste.h"
#include "TelaJogo.h"

#include <QLabel>
#include <QProcess>
#include <algorithm>

// A whole game against the real server, played through the screens: Ana here, Bia in a process of
// her own (jogador_remoto), two bots in the other seats; both people play to "jgFim".
class TstDoisClientes : public QObject
{
    Q_OBJECT

private slots:
    void duasPessoasTerminamUmaPartida()
    {
        CaixasGravadas caixas;
        ServidorTeste servidor;
        ClienteTeste conta;
        QVERIFY(conta.Conectar(servidor.Porta()) && conta.CriarConta("anabela", "senha1") &&
                conta.CriarConta("beatriz", "senha2"));
        conta.Desconectar();
        Espera::Reiniciar();
        frmCliente c({"servidor", "127.0.0.1"}, servidor.Porta());
        c.Form_Load();
        JogadorDeTeste ana(c);
        QVERIFY(ana.Entrar("anabela", "senha1") && ana.CriarSala("Mesa das Duas"));

        QProcess bia;
        bia.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        bia.start(QStringLiteral(QUARPEL_JOGADOR_REMOTO),
                  {QString::number(servidor.Porta()), "beatriz", "senha2", "Mesa das Duas"});
        TelaJogo* t = c.frJogo;
        const auto sentada = [&] {
            return std::ranges::any_of(t->lbJgJogador, [](QLabel* l) { return l->text() == "beatriz"; });
        };
        QVERIFY(EsperarAte([&] { return sentada() || bia.state() == QProcess::NotRunning; }, 60000));
        QVERIFY(sentada());
        t->btJgIniciarJogo->click();
        QVERIFY2(ana.JogarAteOFim(150000), qPrintable(caixas.Textos().join('|')));
        QVERIFY(EsperarAte([&] { return bia.state() == QProcess::NotRunning; }, 30000));
        const QByteArray relato = bia.readAllStandardOutput();
        QVERIFY2(bia.exitStatus() == QProcess::NormalExit && bia.exitCode() == 0, relato.constData());
        QCOMPARE(caixas.Textos(), QStringList());
        QVERIFY(t->lbJgResultado->text().startsWith("Você ") && ana.Jogadas() >= 6);
        QVERIFY(!t->btJgSair->isHidden() && !t->btJgIniciarJogo->isHidden());
    }
};

QTEST_MAIN(TstDoisClientes)
#include "tst_doisclientes.moc"
