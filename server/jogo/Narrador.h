#pragma once

#include "Evento.h"
#include "Lance.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// The game told in the room chat, one short line for what players could miss: a call and its
// answer, the decision at eleven, who took a hand and the new score, an iron hand, the end. The
// table already shows every card and trick, so those are not told. Bots go by their names in
// "jgInf" ("Robô 2"). Every line fits the table's chat box in two rows at most, 60 characters
// with the longest logins.
class Narrador
{
public:
    explicit Narrador(std::array<int, 2> placar) : m_placar(placar) {}

    // The lines for a move (null for the first deal) and the events it caused.
    QStringList Narrar(const Lance* lance, const std::vector<Evento>& eventos,
                       const std::array<QString, 4>& nomes);

    static QString RoboAssumiu(const QString& robo, const QString& pessoa);
    static QString TempoEsgotado(const QString& pessoa);

private:
    std::array<int, 2> m_placar;
    // What the call waiting for an answer asks, 0 when none.
    int m_pedido = 0;
};
