#pragma once

#include "CortadorFluxo.h"
#include "Texto.h"

#include <QObject>
#include <QStringList>
#include <QTcpSocket>
#include <memory>
#include <optional>

// One message a test client received, with its arguments numbered from 1 as on the wire.
struct MensagemTeste
{
    QByteArray comando;
    QList<QByteArray> argumentos;

    QByteArray Argumento(int i) const { return argumentos.value(i - 1); }
    QString Texto(int i) const { return Texto::DeBytes(Argumento(i)); }
};

// A headless client that keeps every message it receives. Each one can be taken once, oldest
// first, so a test reads each step's replies in order without losing early ones. Waits are bounded
// and pump the event loop, so a server in the same process runs meanwhile.
class ClienteTeste : public QObject
{
    Q_OBJECT
public:
    static constexpr int kEspera = 10000;

    // Connected, with a new account (password "senha1") logged in and its login replies taken;
    // null on any failure.
    static std::unique_ptr<ClienteTeste> NoSaguao(quint16 porta, const QString& login);
    // Those logged in as with NoSaguao, the first the host of room nome and the others its
    // guests, every reply so far taken; empty on any failure.
    static std::vector<std::unique_ptr<ClienteTeste>> NaSala(quint16 porta,
                                                             const QStringList& logins,
                                                             const QString& nome,
                                                             const QString& senha = {});
    // Every connected client has received what was sent to it so far, and has taken it all.
    static bool Acertar(const QList<ClienteTeste*>& clientes);

    bool Conectar(quint16 porta);
    void Desconectar() { m_socket.disconnectFromHost(); }
    bool Conectado() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    bool EsperarDesconexao();

    void Enviar(QByteArrayView comando, const QList<QByteArray>& argumentos = {});
    // Texts go in Windows-1252, as the real client sends them.
    void EnviarTextos(QByteArrayView comando, const QStringList& argumentos);
    void EnviarBytes(const QByteArray& bytes);

    // The oldest message of that command (any, if empty) not yet taken.
    std::optional<MensagemTeste> Esperar(QByteArrayView comando = {}, int ms = kEspera);
    // A round trip: all the server sent before has arrived once it returns true.
    bool Sincronizar();

    const QList<MensagemTeste>& Recebidas() const { return m_recebidas; }
    QList<MensagemTeste> NaoLidas(QByteArrayView comando = {}) const;
    QList<QByteArray> ComandosNaoLidos() const;
    void Descartar() { m_tomadas.fill(true); }

    bool CriarConta(const QString& login, const QString& senha);
    // What the server set in "Login": the login as stored, or "_" and the reason.
    QString Logar(const QString& login, const QString& senha, const QString& versao = {});
    // What the server set in "CriandoSala".
    QString CriarSala(const QString& nome, const QString& senha = {});
    bool EntrarNaSala(const QString& nome, const QString& senha = {});

private:
    void Ler();
    QString Setar(const char* nome);

    QTcpSocket m_socket;
    CortadorFluxo m_cortador;
    QList<MensagemTeste> m_recebidas;
    QList<bool> m_tomadas;
    bool m_fluxoInvalido = false;
};
