#pragma once

#include <QPointer>
#include <QString>
#include <QtGlobal>

class CaixaFigura;
class MovePBs;

// One move of a picture box in a straight line at a fixed distance per tick. The set (MovePBs)
// owns it, starts it and visits it on every tick until it arrives.
class MovePB
{
public:
    CaixaFigura* PictureBox = nullptr; // not owned
    MovePBs* Criador = nullptr;        // the set that owns the move
    QString Grupo;
    QString Aguardar;  // the group that must end before this move starts; empty for none
    qint32 Estado = 0; // 0 created, 1 waiting to start, 2 moving, 3 ended
    qint32 Index = 0;  // 1-based position in the set's list

    // Stores the target and the speed; the box's position is read only when the move starts.
    void Iniciar(CaixaFigura* pb, qint32 LeftFinal, qint32 TopFinal, qint16 Velocidade);
    // Starts the move: fixes the direction from where the box is now to the target.
    void Mover();
    // One step.
    void Timer();

private:
    void Chegar();

    qint32 m_leftFinal = 0;
    qint32 m_topFinal = 0;
    double m_direcao = 0; // radians, fixed by Mover
    qint16 m_velocidade = 0;
    // Steps left before the move gives up following its line: a box that something else moved
    // off the line would otherwise never come within one step of the target.
    qint64 m_passosRestantes = 0;
    QPointer<CaixaFigura> m_guarda; // notices a box deleted while it moves
};
