#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <deque>
#include <functional>

// Password work (argon2id hashes) on a few worker threads, fair between those who ask: each key
// (an address and the login tried) waits in its own line and the lines take turns, so a crowd of
// attempts on one login cannot hold back anybody else's. The caller keeps each connection to one
// job at a time.
class FilaSenhas : public QObject
{
    Q_OBJECT
public:
    explicit FilaSenhas(int trabalhadores, QObject* parent = nullptr);
    ~FilaSenhas() override;

    // trabalho runs on a worker thread; fim then runs on this object's thread. dispensar, asked on
    // this thread when the job's turn comes, may skip the work (fim still runs): a try that became
    // pointless while it waited costs nothing.
    void Pedir(const QString& chave, std::function<void()> trabalho, std::function<void()> fim,
               std::function<bool()> dispensar = {});

    // Blocks until every job started has finished (their ends are then queued on this thread).
    void Aguardar() { m_pool.waitForDone(); }
    qsizetype Esperando() const { return m_esperando; }

private:
    struct Pedido
    {
        std::function<void()> trabalho;
        std::function<void()> fim;
        std::function<bool()> dispensar;
    };
    void Despachar();

    QHash<QString, std::deque<Pedido>> m_filas;
    std::deque<QString> m_vez;
    int m_rodando = 0;
    int m_maximo;
    qsizetype m_esperando = 0;
    // Last, so that it is destroyed first and waits for every job still running.
    QThreadPool m_pool;
};
