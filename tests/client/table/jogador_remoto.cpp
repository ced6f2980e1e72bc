// The second player of tst_doisclientes, in a process of its own: the client keeps its packer,
// parser and shared variables process-wide, so two real clients cannot share one process.
// Usage: jogador_remoto PORTA LOGIN SENHA SALA. Logs in, enters the room, plays to "jgFim" and
// exits 0; any box the client shows, its closing, or 150 s without the end exit 1.
#include "Bancada.h"
#include "JogadorDeTeste.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() != 5) {
        std::fputs("Uso: jogador_remoto PORTA LOGIN SENHA SALA\n", stderr);
        return 2;
    }
    CaixasGravadas caixas;
    const QDeadlineTimer prazo(150000);
    frmCliente c({"servidor", "127.0.0.1"}, quint16(a[1].toUInt()));
    c.Form_Load();
    JogadorDeTeste j(c);
    const char* falha = nullptr;
    if (!j.Entrar(a[2], a[3]))
        falha = "login";
    else if (!j.EntrarNaSala(a[4], int(prazo.remainingTime())))
        falha = "entrada na sala";
    else if (!j.JogarAteOFim(int(prazo.remainingTime())))
        falha = "jogo";
    else if (!caixas.lista.isEmpty())
        falha = "caixa";
    else if (j.Jogadas() < 2)
        falha = "nenhuma vaza jogada";
    std::fprintf(falha ? stderr : stdout, "%s: %s; %d cartas; caixas: %s\n", qPrintable(a[2]),
                 falha ? falha : "fim do jogo", j.Jogadas(), qPrintable(caixas.Textos().join(" | ")));
    return falha ? 1 : 0;
}
