// The game at the table: the course of a game, truco and the hand of eleven as the server
// reports them.

#include "frmCliente.h"

#include "Conversao.h"
#include "Foto.h"
#include "TelaJogo.h"

#include <QPushButton>

// The seats: for seat i, argument 2i - 1 the login ("" when free), 2i the picture.
void frmCliente::jgInf()
{
    TelaJogo* m = frJogo;
    const QString login = Variaveis(QStringLiteral("Login"));
    for (quint8 i = 1; i <= 4; ++i) {
        const QString jogador = ArgTexto(2 * i - 1);
        SetVariaveis(QStringLiteral("Jogador%1").arg(i), jogador);
        if (!jogador.isEmpty() && jogador == login) {
            SetVariaveis(QStringLiteral("JogLocal"), QString::number(i - 1));
            // Whoever sits elsewhere is no host, also after hosting another room.
            SetVariaveis(QStringLiteral("Hosting"), Conversao::DeBooleano(i == 1));
            if (i == 1)
                m->CancelarTroca();
        }
        const bool host = Conversao::ParaNumero(Variaveis(QStringLiteral("JogLocal"))) == 0;
        m->btJgIniciarJogo->setHidden(!(host && !m->btJgSair->isHidden()));
        // A seated player who sent no picture (a bot, a new account) shows the blank one, not
        // the picture of whoever sat there before.
        const QByteArray foto = ArgBytes(2 * i);
        if (!foto.isEmpty())
            m->Fotos[i - 1] = Foto::DecodificarFoto(foto);
        else if (!jogador.isEmpty())
            m->Fotos[i - 1] = Foto::DecodificarFoto(Foto::SemFoto());
    }
    m->AtualizarJogadores();
}

void frmCliente::cmJog() {}

void frmCliente::cmPrt() {}

void frmCliente::Carta() {}

void frmCliente::rdFim() {}

void frmCliente::prFim() {}

void frmCliente::jgFim() {}

void frmCliente::Truco() {}

void frmCliente::tcAct() {}

void frmCliente::cmM11() {}

void frmCliente::esM11() {}
