#pragma once

#include "SaguaoCompartilhado.h"

#include <QHash>
#include <QSet>
#include <chrono>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

class ConexaoPostgres;
class QThread;
class QTimer;

// The lobby shared through PostgreSQL: each process' rooms and people are rows of "salas" and
// "saguao" naming the process, and every change (a chat line too) is announced with NOTIFY saguao.
// Each process keeps a copy of the others' rows, read whole when it starts listening and kept
// current by the notifications. Rows of a process whose lease (PresencaPostgres) ran out leave
// the copy when the lease is next looked at, every third of its length; they leave the table
// with the process' row of "processos".
// All the database work runs on a thread of its own with an event loop (the notifications arrive
// through it); the caller's thread only queues changes and is posted the copy when it changed.
class SaguaoPostgres : public SaguaoCompartilhado
{
public:
    // processo: this process' lease, which must be held before any row is written; endereco:
    // where the others reach it ("host:port"), written with its rooms.
    SaguaoPostgres(const QString& uri, const QString& processo, std::chrono::seconds validade,
                   const QString& endereco);
    ~SaguaoPostgres() override;

    bool Compartilhado() const override { return true; }
    void Chegou(const QString& chave, const QString& login, quint64 ordem) override;
    void Partiu(const QString& chave) override;
    void SalaMudou(const QString& chave, quint64 ordem, const Sala& sala) override;
    void SalaFechou(const QString& chave) override;
    void Conversou(const QString& login, const QString& texto) override;

private:
    // A change of this process, as it goes in a notification: its kind, then its fields.
    using Pedido = QStringList;
    void Pedir(Pedido pedido);

    // On the thread:
    void Rodar();
    void Escrever();
    // Listens again and reads everything when the connection was lost or another process came
    // or went.
    void Conferir();
    bool Ler();
    void Recebida(const QString& payload);
    void Publicar();

    using Chave = std::pair<QString, QString>; // process, key
    using Ordem = std::pair<QString, quint64>; // process, order of arrival there

    const QString m_uri;
    const QString m_processo;
    const QString m_endereco;
    const std::chrono::seconds m_validade;
    std::mutex m_trava;
    std::vector<Pedido> m_fila;
    QObject* m_trabalho;
    QThread* m_thread;

    // Owned by the thread.
    ConexaoPostgres* m_banco = nullptr;
    QTimer* m_publicacao = nullptr;
    QTimer* m_nova = nullptr;
    QObject* m_driverOuvido = nullptr;
    quint64 m_sequencia = 0;
    QSet<QString> m_vivos;
    std::map<Ordem, Sala> m_salas;
    QHash<Chave, quint64> m_ordemSala;
    std::map<Ordem, QString> m_jogadores;
    QHash<Chave, quint64> m_ordemJogador;
};
