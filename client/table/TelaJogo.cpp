#include "TelaJogo.h"

#include "CaixaFigura.h"
#include "Twips.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

const QColor TelaJogo::kVerdePainel = QColor(0, 96, 0);

namespace {
QPushButton* botao(QWidget* pai, const QString& texto, double left, double width)
{
    auto* b = new QPushButton(texto, pai);
    Twips::Posicionar(b, left, 120, width, 315);
    return b;
}

QLabel* letreiro(QWidget* pai, const QString& texto, int pontos)
{
    auto* l = new QLabel(texto, pai);
    QFont fonte(QStringLiteral("Arial"), pontos, QFont::Bold);
    l->setFont(fonte);
    l->setAlignment(Qt::AlignCenter);
    l->hide();
    return l;
}
} // namespace

TelaJogo::TelaJogo(QWidget* pai) : QWidget(pai)
{
    setObjectName(QStringLiteral("frJogo"));
    setAutoFillBackground(true);
    QPalette paleta = palette();
    paleta.setColor(QPalette::Window, QColor(0, 128, 48));
    paleta.setColor(QPalette::WindowText, Qt::white);
    setPalette(paleta);

    shJgNomeSala = new QFrame(this);
    shJgNomeSala->setFrameShape(QFrame::Box);
    Twips::Posicionar(shJgNomeSala, 4080, 120, 1155, 315);
    lbJgNomeSala = new QLabel(QStringLiteral("Nome da sala"), this);
    Twips::Posicionar(lbJgNomeSala, 4140, 180, 1005, 195);

    // Waiting places; the game moves the panels and their labels follow.
    constexpr std::array<std::array<int, 2>, 4> paineis{
        {{4320, 4440}, {5880, 3360}, {4320, 2280}, {2760, 3360}}};
    for (int p = 0; p < 4; ++p) {
        pbJgJogador[p] = new CaixaFigura(this);
        pbJgJogador[p]->SetCorFundo(kVerdePainel);
        pbJgJogador[p]->SetTamanho(795, 795);
        pbJgJogador[p]->SetPosicao(paineis[p][0], paineis[p][1]);
        lbJgJogador[p] = new QLabel(this);
        lbJgJogador[p]->setAlignment(Qt::AlignCenter);
        Twips::Posicionar(lbJgJogador[p], paineis[p][0] - 180, paineis[p][1] + 840, 1155, 255);
        lbJgJogador[p]->hide();
    }

    auto* modelo = new CaixaFigura(this);
    modelo->SetTamanho(1065, 1440);
    modelo->SetPosicao(8100, 5880);
    modelo->hide();
    pbJgCarta.append(modelo);

    pbJgPlacar = new CaixaFigura(this);
    pbJgPlacar->SetTamanho(2235, 975);
    pbJgPlacar->SetPosicao(6960, 840);

    lbJgEstado = new QLabel(QStringLiteral("Aguardando o início do jogo"), this);
    Twips::Posicionar(lbJgEstado, 7020, 540, 2115, 195);
    lbJgResultado = letreiro(this, QStringLiteral("Você venceu!"), 24);
    Twips::Posicionar(lbJgResultado, 2640, 1260, 4035, 675);
    lbJgFim = letreiro(this, QStringLiteral("Fim do jogo!"), 18);
    Twips::Posicionar(lbJgFim, 3540, 720, 2295, 495);

    btJgIniciarJogo = botao(this, QStringLiteral("Iniciar Jogo"), 6900, 1095);
    btJgTruco = botao(this, QStringLiteral("Trucar"), 6900, 735);
    btJgAceitar = botao(this, QStringLiteral("Aceitar"), 7680, 735);
    btJgRecusar = botao(this, QStringLiteral("Recusar"), 8460, 735);
    btJgSair = botao(this, QStringLiteral("Sair da sala"), 8100, 1095);
    // Outside a game only the host's start and the way out show.
    btJgIniciarJogo->hide();
    btJgTruco->hide();
    btJgAceitar->hide();
    btJgRecusar->hide();
}
