#include "MovePB.h"

#include "CaixaFigura.h"
#include "MovePBs.h"
#include "modMovePB.h"

#include <cmath>

namespace {
// Nearest whole number, halves to even (the default rounding mode).
qint32 Arredondar(double v)
{
    return qint32(std::nearbyint(v));
}
} // namespace

void MovePB::Iniciar(CaixaFigura* pb, qint32 LeftFinal, qint32 TopFinal, qint16 Velocidade)
{
    PictureBox = pb;
    m_guarda = pb;
    m_leftFinal = LeftFinal;
    m_topFinal = TopFinal;
    m_velocidade = Velocidade;
    Estado = 1;
}

void MovePB::Mover()
{
    if (m_guarda) {
        const qint32 x1 = Arredondar(PictureBox->Left());
        const qint32 y1 = Arredondar(PictureBox->Top());
        const double a = modMovePB::Angulo(x1, y1, m_leftFinal, m_topFinal);
        m_direcao = a / 180.0 * modMovePB::kPi;
        if (m_velocidade > 0) {
            const double d = modMovePB::Distancia(x1, y1, m_leftFinal, m_topFinal);
            m_passosRestantes = qint64(d / m_velocidade) + 3;
        }
    }
    Estado = 2;
}

void MovePB::Timer()
{
    if (!m_guarda) {
        // The box is gone: nothing to place, the move just ends so its group can go on.
        PictureBox = nullptr;
        Estado = 3;
        Criador->Concluido(*this);
        return;
    }
    const double left = PictureBox->Left();
    const double top = PictureBox->Top();
    const double d =
        modMovePB::Distancia(Arredondar(left), Arredondar(top), m_leftFinal, m_topFinal);
    // A speed of 0 or less would never arrive; such a move, and one that ran out of steps, is
    // placed on its target at once.
    if (d < m_velocidade || m_velocidade <= 0 || m_passosRestantes <= 0) {
        Chegar();
        return;
    }
    --m_passosRestantes;
    // Positions are single precision, as the boxes always kept them.
    const float novoLeft = float(left + m_velocidade * std::cos(m_direcao));
    const float novoTop = float(top - m_velocidade * std::sin(m_direcao));
    PictureBox->SetPosicao(novoLeft, novoTop);
}

void MovePB::Chegar()
{
    PictureBox->SetPosicao(m_leftFinal, m_topFinal);
    Estado = 3;
    // The set takes this move out of its list; nothing here is touched afterwards.
    Criador->Concluido(*this);
}
