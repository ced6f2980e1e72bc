#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A server played by the test: listens on 127.0.0.1 at a free port, takes one client, records
// every byte the client sends and sends exact bytes back. Every wait is bounded.
class ServidorRoteirizado : public QObject
{
    Q_OBJECT

public:
    explicit ServidorRoteirizado(QObject* pai = nullptr);

    bool Escutando() const { return m_servidor.isListening(); }
    quint16 Porta() const { return m_servidor.serverPort(); }

    bool AguardarConexao(int ms = 10000);
    // Until the client has sent at least n bytes in all.
    bool AguardarBytes(qsizetype n, int ms = 10000);
    QByteArray Recebido() const { return m_recebido; }
    void LimparRecebido() { m_recebido.clear(); }

    void Enviar(const QByteArray& bytes);
    // Closes the connection from the server's side, after what was sent has gone out.
    void Fechar();
    QTcpSocket* Conexao() const { return m_conexao; }

private:
    QTcpServer m_servidor;
    QPointer<QTcpSocket> m_conexao;
    QByteArray m_recebido;
};
