#pragma once

#include "CaixasGravadas.h"
#include "ClienteDeTeste.h"
#include "Espera.h"
#include "FuncoesComuns.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

inline QByteArray Msg(QByteArrayView comando, const QList<QByteArray>& argumentos = {})
{
    return MontarMensagem(comando, argumentos);
}

// A client loaded against its own scripted server, every box recorded; torn down client first.
struct Bancada
{
    explicit Bancada(const QStringList& argumentos = {"servidor", "127.0.0.1"})
        : cliente(ClienteDeTeste(servidor, argumentos))
    {
    }

    // Sends the bytes and waits until the client has handled them: a marker variable sent after
    // them has reached the store.
    bool Receber(const QByteArray& bytes)
    {
        static int n = 0;
        const QByteArray marca = QByteArray::number(++n);
        servidor.Enviar(bytes + Msg("Setar", {"Marca", marca}));
        return QTest::qWaitFor(
            [&] {
                try {
                    return Espera::Encerrando() || cliente->Variaveis("Marca") == marca;
                } catch (const std::exception&) {
                    return false;
                }
            },
            10000);
    }

    // What the client sent since the last call, up to a marker chat line it is made to send now.
    QByteArray Enviado()
    {
        cliente->txFalar->setText("fim");
        cliente->btEnviar->click();
        const QByteArray fim = Msg("slBla", {"fim"});
        if (!QTest::qWaitFor([&] { return servidor.Recebido().endsWith(fim); }, 10000))
            return "(o fim não chegou)";
        const QByteArray r = servidor.Recebido().chopped(fim.size());
        servidor.LimparRecebido();
        return r;
    }

    CaixasGravadas caixas;
    ServidorRoteirizado servidor;
    std::unique_ptr<frmCliente> cliente;
};
