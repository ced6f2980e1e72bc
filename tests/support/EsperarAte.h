#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

// Handles events until condicao holds or ms pass; true when it held. Sleeps until the next event
// (the timer wakes it at the deadline) rather than polling.
template <typename Condicao> bool EsperarAte(Condicao condicao, int ms = 10000)
{
    const QDeadlineTimer prazo(ms);
    QTimer despertador;
    despertador.setSingleShot(true);
    despertador.start(ms);
    while (!condicao()) {
        if (prazo.hasExpired())
            return condicao();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, int(prazo.remainingTime()));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}
