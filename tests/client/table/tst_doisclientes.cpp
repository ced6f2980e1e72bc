#include "Bancada.h"
#include "ClienteTeste.h"
#include "EsperarAte.h"
#include "JogadorDeTeste.h"
#include "ServidorTeste.h"
#include "TelaJogo.h"

#include <QLabel>
#include <QProcess>

// Two real clients at one table with two bots, against the real server: Ana here, Bia in a
// process of her own (jogador_remoto), both playing to "jgFim".
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
            for (QLabel* l : t->lbJgJogador)
                if (l->text() == "beatriz")
                    return true;
            return bia.state() == QProcess::NotRunning;
        };
        QVERIFY(EsperarAte(sentada, 60000) && bia.state() == QProcess::Running);
        t->btJgIniciarJogo->click();
        QVERIFY2(ana.JogarAteOFim(150000), qPrintable(caixas.Textos().join('|')));
        QVERIFY(EsperarAte([&] { return bia.state() == QProcess::NotRunning; }, 30000));
        QCOMPARE(bia.exitStatus(), QProcess::NormalExit);
        QCOMPARE(bia.exitCode(), 0);
        const QByteArray relato = bia.readAllStandardOutput();
        qInfo("anabela: %d cartas, %d respostas; %s", ana.Jogadas(), ana.Respostas(),
              relato.constData());
        QVERIFY(relato.startsWith("beatriz: fim do jogo"));
        QCOMPARE(caixas.Textos(), QStringList());
        QVERIFY(t->lbJgResultado->text().startsWith("Você ") && ana.Jogadas() >= 2);
    }
};

QTEST_MAIN(TstDoisClientes)
#include "tst_doisclientes.moc"
