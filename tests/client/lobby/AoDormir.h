#pragma once

#include "Bancada.h"

#include <QAbstractEventDispatcher>
#include <QObject>
#include <QTimer>
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

// Clicks botao; once the client has sent n bytes, runs durante (the click still waits) and, when
// the client's wait sleeps, the server sets variavel to valor. A bound closes the window if that
// never happens. True when the answer went out and the program goes on.
inline bool ClicarEResponder(Bancada& b, QAbstractButton* botao, qsizetype n,
                             const QByteArray& variavel, const QByteArray& valor,
                             const std::function<void()>& durante = {})
{
    bool respondeu = false;
    QTimer limite;
    limite.setSingleShot(true);
    QObject::connect(&limite, &QTimer::timeout, b.cliente.get(), [&] { b.cliente->Form_Unload(); });
    QTimer::singleShot(0, b.cliente.get(), [&] {
        if (!b.servidor.AguardarBytes(n))
            return b.cliente->Form_Unload();
        if (durante)
            durante();
        AoDormir(&limite, [&] {
            b.servidor.Enviar(Msg("Setar", {variavel, valor}));
            respondeu = true;
        });
        limite.start(20000);
    });
    botao->click();
    return respondeu && !Espera::Encerrando();
}
