#pragma once

#include "MovePB.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

class CaixaFigura;
class QWidget;

// The animation set: every move of the window's picture boxes, stepped by one shared 30 ms timer
// that runs only while something may move. A move may wait for a group: it starts as soon as one
// move of that group ends, or at once when the group has no move.
class MovePBs : public QObject
{
    Q_OBJECT

    using Lista = std::vector<std::unique_ptr<MovePB>>;

public:
    // Walks the moves in list order (the set's enumerator).
    class Iterador
    {
    public:
        explicit Iterador(Lista::const_iterator i) : m_i(i) {}
        MovePB& operator*() const { return **m_i; }
        MovePB* operator->() const { return m_i->get(); }
        Iterador& operator++()
        {
            ++m_i;
            return *this;
        }
        bool operator==(const Iterador& o) const { return m_i == o.m_i; }

    private:
        Lista::const_iterator m_i;
    };

    // Creates a stopped 30 ms timer, a child of janela named "MovePBsTimer".
    explicit MovePBs(QWidget* janela);
    // Removes the timer; the picture boxes stay where they are.
    ~MovePBs() override;

    void Mover(CaixaFigura* PictureBox, qint32 LeftFinal, qint32 TopFinal, qint16 Velocidade,
               const QString& Grupo, const QString& Aguardar = QString());
    // All moves (waiting and moving) when Grupo is empty, else those of Grupo (case-sensitive).
    qint32 Count(const QString& Grupo = QString()) const;
    MovePB& Item(qint32 indice); // 1-based
    // Takes one move out of the list; the others are renumbered at once.
    void Remove(qint32 indice);
    Iterador begin() const { return Iterador(m_lista.begin()); }
    Iterador end() const { return Iterador(m_lista.end()); }

    // Called by a move that has ended; not for outside callers.
    void Concluido(MovePB& movimento);

    QTimer* tmTimer() const { return m_timer; }
    // One 30 ms step: the timer calls it, tests call it directly.
    void Tick();

signals:
    // A move of grupo ended and was removed, after the moves it released were started: a reaction
    // suspended until a group is empty resumes from here instead of polling.
    void MovimentoConcluido(const QString& grupo);

private:
    void Renumerar();

    Lista m_lista;
    // Moves that ended during a step: kept alive until the step that called them returns.
    Lista m_terminados;
    QPointer<QTimer> m_timer;
};
