#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QTimer>

// Handles events until condicao holds or ms pass; true when it held. Sleeps until the next event
// (the timer wakes it at the deadline) rather than polling: processEvents with a time limit never
// sleeps, it drops WaitForMoreEvents and spins.
template <typename Condicao> bool EsperarAte(Condicao condicao, int ms = 10000)
{
    const QDeadlineTimer prazo(ms);
    QTimer despertador;
    despertador.setSingleShot(true);
    despertador.setTimerType(Qt::PreciseTimer);
    while (!condicao()) {
        if (prazo.hasExpired())
            return condicao();
        // A timer may fire a little early: armed again, it still wakes the wait at the deadline.
        if (!despertador.isActive())
            despertador.start(int(prazo.remainingTime()) + 1);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}
