#pragma once

#include <QElapsedTimer>
#include <QtGlobal>

// How much thinking the bots of a process may do: a share of one core, kept as a reserve of time
// that fills with the clock and empties with each deep decision. While some is left a bot weighs
// every decision deeply; past it the bots decide lightly until the reserve fills again. An
// ordinary evening gets the strongest bots; a burst of fast games keeps the server's pace.
class OrcamentoRobos
{
public:
    // parcela: the share of one core, 0 (never deep) to 1; reservaMs: the most that is saved up.
    explicit OrcamentoRobos(double parcela, int reservaMs = 250);

    // Whether the next decision may be a deep one.
    bool Profundo();
    // A deep decision took this long.
    void Gastar(qint64 ns);

private:
    double m_parcela;
    qint64 m_maximoNs;
    qint64 m_reservaNs;
    qint64 m_ultimoNs = 0;
    qint64 m_avisoNs = -1;
    QElapsedTimer m_relogio;
};
