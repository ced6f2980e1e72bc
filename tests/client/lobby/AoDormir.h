#pragma once

#include <QAbstractEventDispatcher>
#include <QObject>
#include <functional>
#include <memory>

// Runs acao once, the next time the event loop goes to sleep waiting for events. A wait that
// spins never sleeps, so an answer sent from here never reaches it.
inline void AoDormir(QObject* contexto, std::function<void()> acao)
{
    auto conexao = std::make_shared<QMetaObject::Connection>();
    *conexao = QObject::connect(QAbstractEventDispatcher::instance(),
                                &QAbstractEventDispatcher::aboutToBlock, contexto,
                                [conexao, acao = std::move(acao)] {
                                    QObject::disconnect(*conexao);
                                    acao();
                                });
}
