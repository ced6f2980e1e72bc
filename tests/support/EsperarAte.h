#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

// Handles events until condicao holds or ms pass. Sleeps until the next event rather than
// polling, so a burst of traffic is handled at full speed. True when condicao held.
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
