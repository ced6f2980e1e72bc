// The local player's hands on the table: the host's seat swap and the cards of the hand.

#include "frmCliente.h"

#include "CPacker.h"
#include "CaixaFigura.h"
#include "Conversao.h"
#include "MovePBs.h"
#include "TelaJogo.h"

#include <QPushButton>
#include <stdexcept>

void frmCliente::pbJgJogador_Click(int Index)
{
    TelaJogo* m = frJogo;
    const bool host = Anfitriao();
    // The host stays in seat 1: his own panel cannot be picked.
    if (m->JogoIniciado || !host || Index < 1 || Index > 3)
        return;
    if (m->JogSel == 4) {
        m->JogSel = qint16(Index);
        m->pbJgJogador[Index]->SetCorFundo(Qt::white);
        m->pbJgJogador_Paint(Index);
        return;
    }
    // The host sits in seat 1, so panel indexes are the zero-based seats to exchange.
    if (m->JogSel != Index) {
        CPacker& packer = CPacker::Global();
        packer.SetArgumentos(2);
        packer.SetArgumento(1, QByteArray::number(m->JogSel));
        packer.SetArgumento(2, QByteArray::number(Index));
        packer.Enviar("Troca");
    }
    m->CancelarTroca();
}

void frmCliente::pbJgCarta_MouseDown(int Index, Qt::MouseButton Button)
{
    TelaJogo* m = frJogo;
    if (Index < 1 || Index > 3 || !m->TagTruco.isEmpty())
        return;
    CaixaFigura* carta = m->pbJgCarta[Index];
    if (!carta->Tag().isEmpty())
        return;
    InfoCarta& info = m->Cartas[Index];

    if (Button == Qt::LeftButton) {
        if (!PodeJogarCarta())
            return;
        // Before the server first names a player there is no turn, and no card to play.
        QString proximo;
        try {
            if (Variaveis(QStringLiteral("Vez")) != Variaveis(QStringLiteral("Login")))
                return;
            const int local = Conversao::ParaNumero(Variaveis(QStringLiteral("JogLocal")));
            proximo = Variaveis(QStringLiteral("Jogador%1").arg(((local + 1) % 4) + 1));
        } catch (const std::exception&) {
            return;
        }
        // The turn passes at once, so a second click cannot play another card; the server's
        // own turn message confirms or corrects it.
        SetVariaveis(QStringLiteral("Vez"), proximo);
        carta->SetTag(QStringLiteral("Mesa"));
        m->CartaEnviada = qint16(Index);
        CPacker& packer = CPacker::Global();
        packer.SetArgumentos(2);
        packer.SetArgumento(1, QByteArray::number(Index - 1));
        packer.SetArgumento(2, Conversao::DeBooleano(info.Coberta).toLatin1());
        packer.Enviar("Carta");
        m->Movimentos().Mover(carta, TelaJogo::kMesaLeft, TelaJogo::kMesaTop, 300,
                              QStringLiteral("Carta jogada"));
    } else if (Button == Qt::RightButton) {
        // Face down only from the second trick on; the choice travels with the play.
        if (m->VazaAtual == 0 || info.Codigo == 0)
            return;
        info.Coberta = !info.Coberta;
        m->pbJgCarta_Paint(Index);
    }
}
