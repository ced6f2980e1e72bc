#pragma once

#include "CortadorFluxo.h"
#include "MensagemTeste.h"

#include <QObject>
#include <QStringList>
#include <QTcpSocket>
#include <optional>

// A headless client for tests: speaks the wire format to a real server and keeps everything it
// received, in order. Waits are bounded and pump the event loop, so a server in the same process
// runs while the test waits.
//
// Each received message can be taken once: Esperar("jgInf") takes the oldest one not yet taken,
// so a test reads the replies of each step in order without losing any that came early.
class ClienteTeste : public QObject
{
    Q_OBJECT
public:
    static constexpr int kEspera = 10000;

    explicit ClienteTeste(QObject* parent = nullptr);

    bool Conectar(quint16 porta, int ms = kEspera);
    void Desconectar();
    bool Conectado() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    // True once the server has closed the connection.
    bool EsperarDesconexao(int ms = kEspera);

    void Enviar(QByteArrayView comando, const QList<QByteArray>& argumentos = {});
    // Texts are converted to Windows-1252 as the real client does.
    void EnviarTextos(QByteArrayView comando, const QStringList& argumentos);
    void EnviarBytes(const QByteArray& bytes);

    // The oldest message of that command not yet taken, waiting for it up to ms.
    std::optional<MensagemTeste> Esperar(QByteArrayView comando, int ms = kEspera);
    // The oldest message of any command not yet taken.
    std::optional<MensagemTeste> Proxima(int ms = kEspera);
    // A round trip ("obVer" and its "utVer"): whatever the server sent this client in reply to
    // what went before has arrived once this returns true.
    bool Sincronizar(int ms = kEspera);

    // Everything received, taken or not, in order.
    const QList<MensagemTeste>& Recebidas() const { return m_recebidas; }
    // The messages not yet taken, optionally only those of one command.
    QList<MensagemTeste> NaoLidas(QByteArrayView comando = {}) const;
    QList<QByteArray> ComandosNaoLidos() const;
    // Marks everything received so far as taken.
    void Descartar();

    // Conveniences for the usual first steps. Each waits for the server's answer.
    bool CriarConta(const QString& login, const QString& senha,
                    const QString& nome = QStringLiteral("Jogador de Teste"),
                    const QString& email = QStringLiteral("teste@quarpel.org"));
    // The value the server set in "Login": the login as stored, or "_" and the reason.
    QString Logar(const QString& login, const QString& senha, const QString& versao = {});
    // Logs in and takes the replies that come with it ("imLoc", "slInf", "hlInf").
    bool LogarNoSaguao(const QString& login, const QString& senha);
    // The value the server set in "CriandoSala"; on success the creator's "jgInf" is left to
    // be read.
    QString CriarSala(const QString& nome, const QString& senha = {});

private:
    void Ler();
    std::optional<MensagemTeste> Tomar(QByteArrayView comando);

    QTcpSocket m_socket;
    CortadorFluxo m_cortador;
    QList<MensagemTeste> m_recebidas;
    QList<bool> m_tomadas;
    bool m_fluxoInvalido = false;
};
