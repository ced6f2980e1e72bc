#include "Bancada.h"
#include "ClienteTeste.h"
#include "JogadorDeTeste.h"
#include "ServidorTeste.h"
#include "TelaJogo.h"

#include <QDir>
#include <QLabel>

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
        JogadorDeTeste ana(c);
        QVERIFY(ana.Entrar("anabela", "senha1") && ana.CriarSala("Mesa da Ana"));
        TelaJogo* t = c.frJogo;
        t->btJgIniciarJogo->click();
        QVERIFY2(ana.JogarAteOFim(100000), qPrintable(caixas.Textos().join('|')));
        QVERIFY(t->lbJgResultado->text().startsWith("Você "));
        QVERIFY(!t->btJgSair->isHidden() && !t->btJgIniciarJogo->isHidden());
        QCOMPARE(caixas.Textos(), QStringList());
        QVERIFY(ana.Jogadas() >= 6);
        if (const QString pasta = qEnvironmentVariable("QUARPEL_ARTEFATOS"); !pasta.isEmpty())
            QVERIFY(QDir().mkpath(pasta) && c.grab().save(pasta + "/partida_jgFim.png"));
    }
};

QTEST_MAIN(TstPartidaRobos)
#include "tst_partidarobos.moc"
