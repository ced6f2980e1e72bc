#include "TelaJogo.h"

#include "Aparencia.h"
#include "Arte.h"
#include "CVariaveis.h"
#include "CaixaFigura.h"
#include "Conversao.h"
#include "MovePBs.h"
#include "Twips.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
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

// A label for text someone else chose: shown as typed, never read as markup.
QLabel* rotuloSimples(QWidget* pai, const QString& texto = {})
{
    auto* l = new QLabel(texto, pai);
    l->setTextFormat(Qt::PlainText);
    return l;
}

// The room name's box may grow from its design place up to the buttons, then to the left.
constexpr double kNomeSalaLeft = 4140;
constexpr double kNomeSalaDireitaMax = 6840;
constexpr double kNomeSalaLeftMin = 120;
} // namespace

TelaJogo::TelaJogo(QWidget* pai) : QWidget(pai)
{
    setObjectName(QStringLiteral("frJogo"));
    // The felt is painted; the palette is the window's, as on every screen.
    setAttribute(Qt::WA_OpaquePaintEvent);

    shJgNomeSala = new QFrame(this);
    shJgNomeSala->setFrameShape(QFrame::Box);
    Twips::Posicionar(shJgNomeSala, 4080, 120, 1155, 315);
    lbJgNomeSala = rotuloSimples(this, QStringLiteral("Nome da sala"));
    Twips::Posicionar(lbJgNomeSala, kNomeSalaLeft, 180, 1005, 195);

    // Waiting places; the game moves the panels and their labels follow.
    constexpr std::array<std::array<int, 2>, 4> paineis{
        {{4320, 4440}, {5880, 3360}, {4320, 2280}, {2760, 3360}}};
    for (int p = 0; p < 4; ++p) {
        pbJgJogador[p] = new CaixaFigura(this);
        pbJgJogador[p]->SetCorFundo(kVerdePainel);
        pbJgJogador[p]->SetTamanho(795, 795);
        pbJgJogador[p]->SetPosicao(paineis[p][0], paineis[p][1]);
        pbJgJogador[p]->installEventFilter(this);
        lbJgJogador[p] = rotuloSimples(this);
        lbJgJogador[p]->setAlignment(Qt::AlignCenter);
        PosicionarRotulo(p);
        lbJgJogador[p]->hide();
        pbJgJogador_Paint(p);
    }

    auto* modelo = new CaixaFigura(this);
    modelo->SetTamanho(1065, 1440);
    modelo->SetPosicao(8100, 5880);
    modelo->SetFigura(Arte::VersoCarta());
    modelo->hide();
    pbJgCarta.append(modelo);

    pbJgPlacar = new CaixaFigura(this);
    pbJgPlacar->SetTamanho(2235, 975);
    pbJgPlacar->SetPosicao(6960, 840);
    pbJgPlacar->SetFigura(Arte::FundoPlacar());

    // Right-aligned and wide enough for its longest texts ("Aguardando o início do jogo", "É a
    // vez de " and a twelve-letter login): it ends where it was drawn to end, above the board.
    lbJgEstado = rotuloSimples(this, QStringLiteral("Aguardando o início do jogo"));
    lbJgEstado->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Twips::Posicionar(lbJgEstado, 5520, 540, 3615, 195);
    lbJgResultado = letreiro(this, QStringLiteral("Você venceu!"), 24);
    Twips::Posicionar(lbJgResultado, 2640, 1260, 4035, 675);
    lbJgFim = letreiro(this, QStringLiteral("Fim do jogo!"), 18);
    // As wide as the result under it: at 18 points the title does not fit the old 2295 twips.
    Twips::Posicionar(lbJgFim, 2640, 720, 4035, 495);

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

TelaJogo::~TelaJogo() = default;

MovePBs& TelaJogo::Movimentos()
{
    if (!m_movimentos)
        m_movimentos = std::make_unique<MovePBs>(window());
    return *m_movimentos;
}

void TelaJogo::Descarregar()
{
    m_movimentos.reset();
    RegiaoCarta.Destroy();
}

void TelaJogo::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    Arte::PintarMesa(p, rect());
}

bool TelaJogo::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::MouseButtonRelease) {
        auto* e = static_cast<QMouseEvent*>(evento);
        for (int p = 0; p < 4; ++p) {
            if (objeto == pbJgJogador[p] && e->button() == Qt::LeftButton &&
                pbJgJogador[p]->rect().contains(e->position().toPoint())) {
                emit pbJgJogador_Click(p);
                return true;
            }
        }
    } else if (evento->type() == QEvent::MouseButtonPress ||
               evento->type() == QEvent::MouseButtonDblClick) {
        // The second press of a double click comes as the double click alone: it is a press too.
        auto* e = static_cast<QMouseEvent*>(evento);
        const int i = pbJgCarta.indexOf(static_cast<CaixaFigura*>(objeto));
        if (i >= 1) {
            emit pbJgCarta_MouseDown(i, e->button());
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

// ---- Seats and panels ----

qint32 TelaJogo::JogLocal() const
{
    const qint32 n = Conversao::ParaNumero(CVariaveis::Global().Ler(QStringLiteral("JogLocal")));
    return ((n % 4) + 4) % 4;
}

quint8 TelaJogo::JogadorNaPosicao(quint8 p) const
{
    return quint8(((JogLocal() + p - 1) % 4) + 1);
}

quint8 TelaJogo::PosicaoDoJogador(quint8 s) const
{
    return quint8((s - JogLocal() + 4) % 4);
}

void TelaJogo::AtualizarJogadores()
{
    for (quint8 i = 1; i <= 4; ++i) {
        lbJgJogador[i - 1]->setText(
            CVariaveis::Global().Ler(QStringLiteral("Jogador%1").arg(JogadorNaPosicao(i))));
        lbJgJogador_Change(i - 1);
        pbJgJogador_Paint(i - 1);
    }
}

void TelaJogo::PosicionarRotulo(int p)
{
    constexpr double kLargura = 1755;
    const CaixaFigura* painel = pbJgJogador[p];
    Twips::Posicionar(lbJgJogador[p], painel->Left() + (795 - kLargura) / 2, painel->Top() + 840,
                      kLargura, 255);
}

void TelaJogo::lbJgJogador_Change(int Index)
{
    lbJgJogador[Index]->setHidden(lbJgJogador[Index]->text().isEmpty());
}

// The picture sits one pixel in from the panel's corner; the back colour shows as its frame.
void TelaJogo::pbJgJogador_Paint(int Index)
{
    CaixaFigura* painel = pbJgJogador[Index];
    painel->Cls();
    if (!lbJgJogador[Index]->text().isEmpty()) {
        const int s = JogadorNaPosicao(quint8(Index + 1));
        painel->Desenhar(Fotos[s - 1], 15, 15);
    } else {
        painel->Desenhar(Arte::Ninguem(), 15, 15);
    }
}

void TelaJogo::EsconderTruco()
{
    for (QPushButton* b : {btJgTruco, btJgRecusar, btJgAceitar})
        b->hide();
}

void TelaJogo::CancelarTroca()
{
    if (JogSel >= 0 && JogSel <= 3) {
        pbJgJogador[JogSel]->SetCorFundo(kVerdePainel);
        pbJgJogador_Paint(JogSel);
    }
    JogSel = 4;
}

void TelaJogo::MudarNomeSala(const QString& nome)
{
    lbJgNomeSala->setToolTip(QString());
    lbJgNomeSala->setText(nome);
    lbJgNomeSala_Change();
}

// The label takes its text's width, keeps its design left while it ends before the buttons and
// moves left beyond that; a name too long even then is cut with an ellipsis, whole in the tip.
// The frame keeps 60 twips of margin left and 90 right of the label.
void TelaJogo::lbJgNomeSala_Change()
{
    const QString nome =
        lbJgNomeSala->toolTip().isEmpty() ? lbJgNomeSala->text() : lbJgNomeSala->toolTip();
    const QFontMetrics medida(lbJgNomeSala->font());
    const double maximo = kNomeSalaDireitaMax - 90 - (kNomeSalaLeftMin + 60);
    const double largura = std::min(maximo, Twips::DePx(medida.horizontalAdvance(nome) + 4));
    const double left = std::min(kNomeSalaLeft, kNomeSalaDireitaMax - 90 - largura);
    lbJgNomeSala->setGeometry(Twips::ParaPx(left), lbJgNomeSala->y(), Twips::ParaPx(largura),
                              lbJgNomeSala->height());
    const QRect forma = shJgNomeSala->geometry();
    shJgNomeSala->setGeometry(Twips::ParaPx(left - 60), forma.y(), Twips::ParaPx(largura + 150),
                              forma.height());
    const QString cortado = medida.elidedText(nome, Qt::ElideRight, lbJgNomeSala->width());
    lbJgNomeSala->setText(cortado);
    lbJgNomeSala->setToolTip(cortado == nome ? QString() : nome);
}

// ---- Cards ----

void TelaJogo::PrepararCartas()
{
    const CaixaFigura* modelo = pbJgCarta[0];
    // One region for all: every card is cut from the same back.
    RegiaoCarta.CreateFromPic(modelo->Figura(), Arte::kCorChave);
    for (int i = 1; i <= 14; ++i) {
        auto* carta = new CaixaFigura(this);
        carta->resize(modelo->size());
        carta->SetFigura(modelo->Figura());
        carta->hide();
        carta->raise();
        carta->setMask(RegiaoCarta.Handle());
        carta->installEventFilter(this);
        pbJgCarta.append(carta);
    }
    for (int i = 1; i <= 14; ++i) {
        InfoCarta& c = Cartas[i];
        if (i <= 3) {
            c.Left = 4380 + 240 * (i - 1);
            c.Top = 5820;
        } else if (i <= 6) {
            c.Left = 6360 + 180 * (i - 4);
            c.Top = 3180;
        } else if (i <= 9) {
            c.Left = 3600 + 180 * (i - 7);
            c.Top = 600;
        } else if (i <= 12) {
            c.Left = 1620 + 180 * (i - 10);
            c.Top = 3180;
        } else if (i == 13) {
            c.Left = 7860;
            c.Top = 5640;
        } else {
            c.Left = 8100;
            c.Top = 5880;
        }
    }
    for (int i = 1; i <= 14; ++i)
        pbJgCarta[i]->SetPosicao(Cartas[14].Left, Cartas[14].Top);
}

// A face is the one face image drawn at a negative offset: only its cell falls in the card.
void TelaJogo::pbJgCarta_Paint(int Index)
{
    CaixaFigura* carta = pbJgCarta[Index];
    carta->Cls();
    const qint32 c = Cartas[Index].Codigo;
    if (c >= 1 && c <= 40 && !Cartas[Index].Coberta)
        carta->Desenhar(Arte::FacesCartas(), -1065.0 * ((c - 1) % 10), -1440.0 * ((c - 1) / 10));
}

void TelaJogo::EsquecerCartas()
{
    for (int i = 1; i <= 14; ++i) {
        Cartas[i].Coberta = false;
        Cartas[i].Codigo = 0;
        pbJgCarta[i]->SetTag(QString());
    }
    CartaEnviada = 0;
}

// ---- Scoreboard ----

// Drawn from the local team's side: its marks and score on the first row. The numbers are
// centred on the Total column, measured and printed with the window's own (bold) font.
void TelaJogo::pbJgPlacar_Paint()
{
    pbJgPlacar->Cls();
    const int t = JogLocal() % 2;
    QImage desenho(Arte::FundoPlacar().size(), QImage::Format_ARGB32_Premultiplied);
    desenho.fill(Qt::transparent);
    QPainter p(&desenho);
    for (int i = 0; i <= 1; ++i) {
        const int u = t == 0 ? i : 1 - i;
        for (int k = 0; k <= 2; ++k)
            if (VazasGanhas[u][k] != 0)
                p.drawImage(Twips::ParaPx(945 + 240 * k), Twips::ParaPx(315 + 240 * i),
                            Arte::Ponto());
    }
    const QFont fonte = Aparencia::FonteDaJanela(window());
    const QFontMetrics medida(fonte);
    p.setFont(fonte);
    p.setPen(Arte::CorTextoPlacar());
    const QString linhas[3] = {CVariaveis::Global().Ler(QStringLiteral("Total%1").arg(t)),
                               CVariaveis::Global().Ler(QStringLiteral("Total%1").arg(1 - t)),
                               QString::number(ValorMao)};
    for (int l = 0; l < 3; ++l) {
        const int w = qRound(Twips::DePx(medida.horizontalAdvance(linhas[l])));
        const int left = 1905 - (w / 2);
        p.drawText(Twips::ParaPx(left), Twips::ParaPx(270 + 240 * l) + medida.ascent(), linhas[l]);
    }
    p.end();
    pbJgPlacar->Desenhar(desenho, 0, 0);
}
