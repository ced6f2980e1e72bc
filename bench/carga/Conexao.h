#pragma once

#include "CortadorFluxo.h"

#include <QByteArray>
#include <QList>
#include <functional>

// One client connection of the load program: a non-blocking socket on loopback, its own stream
// cutter and what is still to be written. Driven by the Laco it is registered with.
class Conexao
{
public:
    using AoReceber = std::function<void(Conexao&, const QByteArray& comando,
                                         const QList<QByteArray>& argumentos)>;

    Conexao(int id, AoReceber aoReceber) : m_id(id), m_aoReceber(std::move(aoReceber)) {}
    ~Conexao();
    Conexao(const Conexao&) = delete;
    Conexao& operator=(const Conexao&) = delete;

    // Starts connecting to 127.0.0.1:porta; false when no socket could be made (fd limit).
    bool Conectar(quint16 porta);
    void Fechar();

    // Queues one message; it goes out as soon as the socket takes it.
    void Enviar(QByteArrayView comando, const QList<QByteArray>& argumentos = {});

    // Called by the loop.
    void Legivel();
    void Gravavel();

    int Id() const { return m_id; }
    int Fd() const { return m_fd; }
    bool Aberta() const { return m_fd >= 0; }
    bool QuerGravar() const { return m_inicio < m_saida.size(); }
    // A peer that never reads: the loop never asks for its input.
    bool lerNada = false;
    // A small kernel receive buffer (set before connecting), so a peer that stops reading backs
    // up into the server quickly.
    int bufferRecepcao = 0;
    qint64 recebidos = 0;

private:
    int m_id;
    AoReceber m_aoReceber;
    int m_fd = -1;
    CortadorFluxo m_cortador;
    QByteArray m_saida;
    qsizetype m_inicio = 0;
};
