#pragma once

#include "Presenca.h"

#include <QSet>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

class ConexaoPostgres;

// Presence shared through PostgreSQL. Each process has a lease (a row of "processos" with an
// expiry) that it renews every third of its length; a login is a row of "presencas" naming the
// process that holds it. A claim is one statement that takes the row only when no live lease
// holds it, so of two processes claiming at once one wins. A process that dies stops renewing,
// and its logins are free once its lease runs out; one that stops cleanly frees them at once. One
// that could not renew in time (the database away, the process stalled) claims its logins again
// when it can, and gives up those another process took meanwhile.
// All the work is done on one thread of its own, in the order asked.
class PresencaPostgres : public Presenca
{
public:
    PresencaPostgres(const QString& uri, std::chrono::seconds validade);
    ~PresencaPostgres() override;

    void Reivindicar(const QString& chave, QObject* contexto, Pronto pronto) override;
    void Liberar(const QString& chave) override;

    // Its row in "processos".
    QString Processo() const override { return m_processo; }

private:
    struct Pedido
    {
        QString chave;
        QObject* contexto;
        // Empty for a release.
        Pronto pronto;
    };
    void Rodar();
    bool Renovar(ConexaoPostgres& banco);
    Reivindicacao Tomar(ConexaoPostgres& banco, const QString& chave);
    bool Soltar(ConexaoPostgres& banco, const QString& chave);
    // After a lease that may have run out: false when the database did not answer.
    bool Reconferir(ConexaoPostgres& banco, QSet<QString>& tidas);

    const QString m_uri;
    const QString m_processo;
    const std::chrono::seconds m_validade;
    std::mutex m_trava;
    std::condition_variable m_sinal;
    std::vector<Pedido> m_fila;
    bool m_parar = false;
    std::thread m_thread;
};
