// The game at the table: the course of a game, truco and the hand of eleven as the server
// reports them.

#include "frmCliente.h"

#include "Conversao.h"
#include "Foto.h"
#include "TelaJogo.h"

#include "CaixaFigura.h"
#include "MovePBs.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

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

namespace {
const QString kMesa = QStringLiteral("Mesa");
const QString kUsada = QStringLiteral("Usada");
const QString kCartaJogada = QStringLiteral("Carta jogada");
const QString kFimDaRodada = QStringLiteral("Fim da rodada");

void ExigirFaixa(qint32 valor, qint32 minimo, qint32 maximo, const char* oque)
{
    if (valor < minimo || valor > maximo)
        throw std::out_of_range(std::string(oque) + " fora do intervalo: " + std::to_string(valor));
}

void ExigirCodigo(qint32 codigo)
{
    ExigirFaixa(codigo, 0, 40, "Código de carta");
}

// The hidden picture box whose slow move measures the pause before a trick is collected.
CaixaFigura* Pausa(TelaJogo* m)
{
    auto* pb = m->findChild<CaixaFigura*>(QStringLiteral("pbPausa"), Qt::FindDirectChildrenOnly);
    if (!pb) {
        pb = new CaixaFigura(m);
        pb->setObjectName(QStringLiteral("pbPausa"));
        pb->hide();
    }
    return pb;
}

// Each name under its panel, once the panels have stopped; an empty seat shows none.
void MostrarNomes(TelaJogo* m)
{
    for (int p = 0; p <= 3; ++p) {
        m->PosicionarRotulo(p);
        m->lbJgJogador_Change(p);
    }
}

void ZerarVazas(TelaJogo* m, quint8 valor)
{
    for (auto& equipe : m->VazasGanhas)
        equipe.fill(0);
    m->VazaAtual = 0;
    m->ValorMao = valor;
    m->pbJgPlacar_Paint();
    m->EquipeTruco = -1;
    m->btJgTruco->setText(QStringLiteral("Trucar"));
    // A call that came between hands ends with the hand it was made in.
    m->TagTruco.clear();
    m->EsconderTruco();
}

// Stops the moves of a card: the next one leaves from where it is now.
void Parar(MovePBs& mov, const CaixaFigura* carta)
{
    for (qint32 k = mov.Count(); k >= 1; --k)
        if (mov.Item(k).PictureBox == carta)
            mov.Remove(k);
}

// Every card goes to the deck once the card still moving to the table has landed.
void RecolherTudo(TelaJogo* m)
{
    m->EsquecerCartas();
    MovePBs& mov = m->Movimentos();
    for (int i = 1; i <= 14; ++i)
        mov.Mover(m->pbJgCarta[i], m->Cartas[14].Left, m->Cartas[14].Top, 300, kFimDaRodada,
                  kCartaJogada);
}

const std::array<QByteArrayView, 10> kMensagensDeJogo{"cmJog", "cmPrt", "cmM11", "esM11", "Carta",
                                                      "prFim", "rdFim", "Truco", "tcAct", "jgFim"};
} // namespace

bool frmCliente::PodeJogarCarta() const
{
    return !m_prontoParaRetomar;
}

void frmCliente::DevolverCartaEnviada()
{
    TelaJogo* m = frJogo;
    const int i = std::exchange(m->CartaEnviada, 0);
    if (i < 1 || i > 3)
        return;
    Parar(m->Movimentos(), m->pbJgCarta[i]);
    m->pbJgCarta[i]->SetTag(QString());
    m->Movimentos().Mover(m->pbJgCarta[i], m->Cartas[i].Left, m->Cartas[i].Top, 300, kCartaJogada);
}

// The buttons, panels and labels as a table shows before its first game; the next room's "jgInf"
// brings the names.
void frmCliente::MesaDeEspera()
{
    TelaJogo* m = frJogo;
    m->JogoIniciado = false;
    m->MaoDeOnze = false;
    m->btJgIniciarJogo->setEnabled(true);
    m->btJgSair->show();
    m->lbJgFim->hide();
    m->lbJgResultado->hide();
    m->lbJgEstado->setText(QStringLiteral("Aguardando o início do jogo"));
    m->CancelarTroca();
    m->EsquecerCartas();
    for (int i = 1; i <= 14; ++i)
        m->pbJgCarta[i]->hide();
    for (int p = 0; p <= 3; ++p)
        m->pbJgJogador[p]->SetPosicao(PainelPosicoes[p].LeftEspera, PainelPosicoes[p].TopEspera);
    MostrarNomes(m);
    SetVariaveis(QStringLiteral("Vez"), QString());
    SetVariaveis(QStringLiteral("Total0"), QStringLiteral("0"));
    SetVariaveis(QStringLiteral("Total1"), QStringLiteral("0"));
    ZerarVazas(m, 0);
}

bool frmCliente::DeMesaDeixada(QByteArrayView comando) const
{
    return FrameAtual != frJogo &&
           std::ranges::find(kMensagensDeJogo, comando) != kMensagensDeJogo.end();
}

frmCliente::Retomada frmCliente::AguardarMovimentos(const QString& grupo)
{
    MovePBs& mov = frJogo->Movimentos();
    // The end of every move looks at the suspended reaction, after the moves it released began.
    connect(&mov, &MovePBs::MovimentoConcluido, this, &frmCliente::VerificarReacaoEmEspera,
            Qt::ConnectionType(Qt::QueuedConnection | Qt::UniqueConnection));
    return AguardarAte([this, grupo] { return frJogo->Movimentos().Count(grupo) == 0; });
}

// The game starts: the panels glide to their places at the table, then the names follow.
Reacao frmCliente::cmJog()
{
    TelaJogo* m = frJogo;
    m->btJgIniciarJogo->setEnabled(true);
    m->btJgIniciarJogo->hide();
    m->btJgSair->hide();
    m->lbJgFim->hide();
    m->lbJgResultado->hide();
    m->CancelarTroca();
    m->JogoIniciado = true;
    for (int p = 0; p <= 3; ++p) {
        m->lbJgJogador[p]->hide();
        m->Movimentos().Mover(m->pbJgJogador[p], PainelPosicoes[p].LeftJogo,
                              PainelPosicoes[p].TopJogo, 150, QStringLiteral("Começo do jogo"));
    }
    co_await AguardarMovimentos(QStringLiteral("Começo do jogo"));
    MostrarNomes(m);
    SetVariaveis(QStringLiteral("Total0"), QStringLiteral("0"));
    SetVariaveis(QStringLiteral("Total1"), QStringLiteral("0"));
    m->pbJgPlacar_Paint();
}

// A plain hand: the turned card, then the local player's three (0 for one he may not see).
Reacao frmCliente::cmPrt()
{
    TelaJogo* m = frJogo;
    const qint32 vira = ArgNumero(1);
    const std::array<qint32, 3> mao{ArgNumero(2), ArgNumero(3), ArgNumero(4)};
    for (qint32 c : {vira, mao[0], mao[1], mao[2]})
        ExigirCodigo(c);
    ZerarVazas(m, 1);
    m->EsquecerCartas();
    // The hand's first player is named once the deal has landed.
    SetVariaveis(QStringLiteral("Vez"), QString());
    m->Cartas[13].Codigo = vira;
    // A hand dealt without the player seeing his own cards bars truco.
    m->MaoDeOnze = mao[0] == 0;
    for (int i = 1; i <= 3; ++i)
        m->Cartas[i].Codigo = mao[i - 1];
    return Distribuir(-1);
}

Reacao frmCliente::Distribuir(qint32 equipeQueDecide)
{
    TelaJogo* m = frJogo;
    m->pbJgCarta[14]->show();
    co_await AguardarMovimentos(QString());
    for (int i = 1; i <= 13; ++i) {
        CaixaFigura* carta = m->pbJgCarta[i];
        // Nothing moves now, so every card leaves from the deck, wherever the last hand left it.
        carta->SetPosicao(m->Cartas[14].Left, m->Cartas[14].Top);
        carta->show();
        m->pbJgCarta_Paint(i);
        m->Movimentos().Mover(carta, m->Cartas[i].Left, m->Cartas[i].Top, 300,
                              QStringLiteral("Distribuir cartas"));
        if (i % 3 == 0)
            co_await AguardarMovimentos(QString());
    }
    if (equipeQueDecide >= 0 && equipeQueDecide == m->JogLocal() % 2) {
        m->btJgAceitar->show();
        m->btJgRecusar->show();
    }
}

// A card played. The local player's own card was moved by his click, unless his turn clock ran
// out and the server played it for him.
void frmCliente::Carta()
{
    TelaJogo* m = frJogo;
    const qint32 jogador = ArgNumero(1);
    const qint32 codigo = ArgNumero(2);
    ExigirFaixa(jogador, 0, 3, "Jogador");
    ExigirCodigo(codigo);

    if (jogador == m->JogLocal()) {
        // The card his click sent, when the code fits it; when it does not, the server took
        // another (his clock ran out meanwhile) and his goes back to the hand.
        const auto nomeada = [codigo](const InfoCarta& c) {
            return c.Codigo == codigo || c.Codigo == 0 || (codigo == 0 && c.Coberta);
        };
        if (m->CartaEnviada != 0 && !nomeada(m->Cartas[m->CartaEnviada]))
            DevolverCartaEnviada();
        int slot = std::exchange(m->CartaEnviada, 0);
        // Else the server played for him: the card with that code, else the first in his hand.
        for (int i = 1; i <= 3 && slot == 0; ++i)
            if (m->pbJgCarta[i]->Tag().isEmpty() && codigo != 0 && m->Cartas[i].Codigo == codigo)
                slot = i;
        for (int i = 1; i <= 3 && slot == 0; ++i)
            if (m->pbJgCarta[i]->Tag().isEmpty())
                slot = i;
        if (slot == 0)
            return;
        if (m->pbJgCarta[slot]->Tag().isEmpty()) {
            Parar(m->Movimentos(), m->pbJgCarta[slot]);
            m->Movimentos().Mover(m->pbJgCarta[slot], TelaJogo::kMesaLeft, TelaJogo::kMesaTop, 300,
                                  kCartaJogada);
            m->pbJgCarta[slot]->SetTag(kMesa);
        }
        // A card hidden from its owner shows once played; one named 0 went face down.
        InfoCarta& c = m->Cartas[slot];
        if (codigo != 0) {
            c.Codigo = codigo;
            c.Coberta = false;
        } else if (c.Codigo != 0) {
            c.Coberta = true;
        }
        m->pbJgCarta_Paint(slot);
        return;
    }

    const int p = m->PosicaoDoJogador(quint8(jogador));
    // Only a card still in his hand: one collected with a trick keeps its tag, and may still
    // carry code 0 when it went face down.
    int slot = 0;
    for (int k = 3; k >= 1 && slot == 0; --k) {
        const int i = 3 * p + k;
        if (m->pbJgCarta[i]->Tag().isEmpty() &&
            (m->Cartas[i].Codigo == 0 || m->Cartas[i].Codigo == codigo))
            slot = i;
    }
    if (slot == 0)
        return;
    m->Cartas[slot].Codigo = codigo;
    m->pbJgCarta_Paint(slot);
    m->Movimentos().Mover(m->pbJgCarta[slot], 4170 + 600 * CartaDeslocX[p],
                          3180 + 600 * CartaDeslocY[p], 300, kCartaJogada);
    m->pbJgCarta[slot]->SetTag(kMesa);
}

// A trick ends: its mark on the scoreboard, a pause once the last card has landed, and the
// trick's cards go to the deck.
Reacao frmCliente::rdFim()
{
    TelaJogo* m = frJogo;
    const qint32 vencedor = ArgNumero(1);
    const QString parcial0 = ArgTexto(2);
    const QString parcial1 = ArgTexto(3);
    ExigirFaixa(m->VazaAtual, 0, 2, "Vaza");
    ExigirFaixa(vencedor, -1, 3, "Vencedor");
    if (vencedor == -1) {
        m->VazasGanhas[0][m->VazaAtual] = 1;
        m->VazasGanhas[1][m->VazaAtual] = 1;
    } else {
        m->VazasGanhas[vencedor % 2][m->VazaAtual] = 1;
    }
    ++m->VazaAtual;
    SetVariaveis(QStringLiteral("Parcial0"), parcial0);
    SetVariaveis(QStringLiteral("Parcial1"), parcial1);
    m->pbJgPlacar_Paint();

    MovePBs& mov = m->Movimentos();
    CaixaFigura* pausa = Pausa(m);
    pausa->SetPosicao(300, 0);
    mov.Mover(pausa, 0, 0, 15, QStringLiteral("Fim Rodada"), kCartaJogada);
    for (int i = 1; i <= 12; ++i) {
        if (m->pbJgCarta[i]->Tag() != kMesa)
            continue;
        mov.Mover(m->pbJgCarta[i], m->Cartas[14].Left, m->Cartas[14].Top, 300,
                  QStringLiteral("Limpar mesa"), QStringLiteral("Fim Rodada"));
        m->pbJgCarta[i]->SetTag(kUsada);
    }
    // A card the local player plays meanwhile belongs to the next trick: it stays shown.
    co_await AguardarMovimentos(QString());
}

// A hand ends: every card back to the deck once the last one has landed, and the new scores.
void frmCliente::prFim()
{
    TelaJogo* m = frJogo;
    const QString total0 = ArgTexto(1);
    const QString total1 = ArgTexto(2);
    m->TagTruco.clear();
    m->EsconderTruco();
    RecolherTudo(m);
    // Nobody plays until the next deal names its first player.
    SetVariaveis(QStringLiteral("Vez"), QString());
    SetVariaveis(QStringLiteral("Total0"), total0);
    SetVariaveis(QStringLiteral("Total1"), total1);
    m->MaoDeOnze = false;
    m->pbJgPlacar_Paint();
}

// The game ends: the cards to the deck, then the panels back to their waiting places, then the
// result.
Reacao frmCliente::jgFim()
{
    TelaJogo* m = frJogo;
    const qint32 vencedor = ArgNumero(1);
    ExigirFaixa(vencedor, 0, 3, "Vencedor");
    m->TagTruco.clear();
    m->MaoDeOnze = false;
    RecolherTudo(m);
    SetVariaveis(QStringLiteral("Vez"), QString());
    for (int p = 0; p <= 3; ++p) {
        m->lbJgJogador[p]->hide();
        m->Movimentos().Mover(m->pbJgJogador[p], PainelPosicoes[p].LeftEspera,
                              PainelPosicoes[p].TopEspera, 150, QStringLiteral("Fim do jogo"),
                              kFimDaRodada);
    }
    co_await AguardarMovimentos(QStringLiteral("Fim do jogo"));
    MostrarNomes(m);
    m->lbJgResultado->setText(QStringLiteral("Você ") + (vencedor % 2 == m->JogLocal() % 2
                                                             ? QStringLiteral("venceu!")
                                                             : QStringLiteral("perdeu...")));
    m->lbJgFim->show();
    m->lbJgResultado->show();
    m->lbJgEstado->setText(QStringLiteral("Fim do jogo"));
    m->btJgSair->show();
    m->EsconderTruco();
    m->btJgIniciarJogo->setVisible(Anfitriao());
    m->JogoIniciado = false;
}

// A truco call or raise: the caller's team waits, the other team may accept, refuse or raise.
void frmCliente::Truco()
{
    TelaJogo* m = frJogo;
    const qint32 equipe = ArgNumero(1);
    const QString pedido = ArgTexto(2);
    const qint32 valor = Conversao::ParaNumero(pedido);
    const QString quem = ArgTexto(3);
    ExigirFaixa(equipe, 0, 1, "Equipe");
    ExigirFaixa(valor, 0, 255, "Valor");

    m->EquipeTruco = qint16(equipe);
    const bool eu = quem == Variaveis(QStringLiteral("Login"));
    m->lbJgEstado->setText((eu ? QStringLiteral("Você") : quem) + QStringLiteral(" está pedindo ") +
                           (pedido == QLatin1String("3") ? QStringLiteral("truco") : pedido));
    const qint32 meuTime = m->JogLocal() % 2;
    m->TagTruco = QStringLiteral("Truco");
    if (meuTime == equipe) {
        m->EsconderTruco();
    } else {
        if (valor < 12) {
            m->btJgTruco->setText(QStringLiteral("Pedir ") + QString::number(valor + 3));
            m->btJgTruco->show();
        } else {
            m->btJgTruco->hide();
        }
        m->btJgAceitar->show();
        m->btJgRecusar->show();
        PedirAtencao();
    }
    m->ValorMao = quint8(valor);
    m->pbJgPlacar_Paint();
    // At the top of the ladder every client takes the call as its own: nobody raises again.
    if (valor == 12)
        m->EquipeTruco = qint16(meuTime);
}

// The call was accepted: cards can be played again.
void frmCliente::tcAct()
{
    TelaJogo* m = frJogo;
    m->TagTruco.clear();
    QString vez;
    try {
        vez = Variaveis(QStringLiteral("Vez"));
    } catch (const std::exception&) {
    }
    m->lbJgEstado->setText(vez == Variaveis(QStringLiteral("Login"))
                               ? QStringLiteral("É a sua vez")
                               : QStringLiteral("É a vez de ") + vez);
    if (!vez.isEmpty())
        AplicarRegraTruco();
    else
        m->btJgTruco->hide();
    m->btJgAceitar->hide();
    m->btJgRecusar->hide();
}

// A hand of eleven: the partner's cards are dealt face up, and the deciding team may play it or
// refuse it.
Reacao frmCliente::cmM11()
{
    TelaJogo* m = frJogo;
    std::array<qint32, 7> codigos{};
    for (quint8 i = 1; i <= 7; ++i) {
        codigos[i - 1] = ArgNumero(i);
        ExigirCodigo(codigos[i - 1]);
    }
    const qint32 decide = ArgNumero(8);
    ExigirFaixa(decide, 0, 1, "Equipe");

    m->MaoDeOnze = true;
    SetVariaveis(QStringLiteral("Vez"), QString());
    m->lbJgEstado->setText(QStringLiteral("Mão de 11"));
    ZerarVazas(m, 3);
    m->EsquecerCartas();
    m->Cartas[13].Codigo = codigos[0];
    for (int i = 1; i <= 3; ++i) {
        m->Cartas[i].Codigo = codigos[i];
        m->Cartas[6 + i].Codigo = codigos[3 + i];
    }
    return Distribuir(decide);
}

// The decision is over: the partner's cards show their backs again.
void frmCliente::esM11()
{
    TelaJogo* m = frJogo;
    m->btJgAceitar->hide();
    m->btJgRecusar->hide();
    for (int i = 7; i <= 9; ++i) {
        m->Cartas[i].Codigo = 0;
        m->pbJgCarta[i]->Cls();
        m->pbJgCarta_Paint(i);
    }
}
