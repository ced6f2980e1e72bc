#pragma once

#include <QtGlobal>
#include <functional>
#include <map>
#include <utility>

// A single-shot alarm for a table (its bot's move, a person's turn clock). All alarms of a thread
// share one QTimer, set for the earliest of them: arming, re-arming or stopping one costs
// O(log n) in the number of alarms, where a QTimer each costs a walk over every timer of the
// thread (Qt keeps them in one sorted list). Alarms due together go off in one timer event, in
// the order they were set; one armed while they go off waits for the next pass of the event loop.
class Alarme
{
public:
    explicit Alarme(std::function<void()> aoTocar) : m_aoTocar(std::move(aoTocar)) {}
    ~Alarme() { Parar(); }
    Alarme(const Alarme&) = delete;
    Alarme& operator=(const Alarme&) = delete;

    void Armar(int ms);
    void Parar();
    bool Ativo() const { return m_ativo; }

    // What the thread's alarms are ordered by: when they go off, then the order they were set in.
    using Chave = std::pair<qint64, quint64>;

private:
    friend class Despertador;
    std::function<void()> m_aoTocar;
    std::map<Chave, Alarme*>::iterator m_posicao;
    bool m_ativo = false;
};
