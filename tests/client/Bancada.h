#pragma once

#include "Caixas.h"
#include "Espera.h"
#include "FuncoesComuns.h"
#include "frmCliente.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <array>
#include <functional>
#include <memory>

class TelaJogo;

inline QByteArray Msg(QByteArrayView comando, const QList<QByteArray>& argumentos = {})
{
    return MontarMensagem(comando, argumentos);
}

// A server played by the test: listens on 127.0.0.1 at a free port, takes the client's newest
// connection, records every byte it sends and sends exact bytes back. Every wait is bounded.
class ServidorRoteirizado : public QObject
{
    Q_OBJECT
public:
    ServidorRoteirizado();
    quint16 Porta() const { return m_servidor.serverPort(); }
    bool AguardarConexao() { return QTest::qWaitFor([this] { return !m_conexao.isNull(); }); }
    // Until the client has sent at least n bytes in all.
    bool AguardarBytes(qsizetype n) { return QTest::qWaitFor([&] { return m_recebido.size() >= n; }); }
    QByteArray Recebido() const { return m_recebido; }
    void LimparRecebido() { m_recebido.clear(); }
    void Enviar(const QByteArray& bytes);
    // Closes the connection from the server's side, after what was sent has gone out.
    void Fechar() { m_conexao->disconnectFromHost(); }
    QTcpSocket* Conexao() const { return m_conexao; }
    int Conexoes() const { return m_conexoes; }

private:
    QTcpServer m_servidor;
    QPointer<QTcpSocket> m_conexao;
    QByteArray m_recebido;
    int m_conexoes = 0;
};

// Records every box the client shows instead of showing it. A test may act while a box is "open"
// (send more data, close the connection) through aoMostrar, which runs before the box returns.
struct CaixasGravadas
{
    CaixasGravadas();
    ~CaixasGravadas() { Caixas::SetInterceptador({}); }
    QStringList Textos() const
    {
        QStringList textos;
        for (const Caixas::Caixa& c : lista)
            textos << c.texto;
        return textos;
    }

    QList<Caixas::Caixa> lista;
    std::function<void(const Caixas::Caixa&)> aoMostrar;
    // The answer to every box: a question gets Yes, unless it is none.
    std::optional<QString> resposta = QString();
};

// A main window loaded against the scripted server, its "obVer" already received by the server
// (and cleared from its record). The closing flag is cleared first, since an earlier window of
// the same test may have set it. Returns null when the client did not connect.
std::unique_ptr<frmCliente> ClienteDeTeste(
    ServidorRoteirizado& servidor,
    const QStringList& argumentos = {QStringLiteral("servidor"), QStringLiteral("127.0.0.1")});

// A dealt hand shown at once, without the deal's moves: the turned card in slot 13, the local
// player's in 1 to 3 (0 for a card he may not see), every other slot face down; all fourteen
// shown at their homes.
void MostrarMao(TelaJogo& mesa, qint32 vira, const std::array<qint32, 3>& mao);

// A client loaded against its own scripted server, every box recorded; torn down client first.
struct Bancada
{
    explicit Bancada(const QStringList& argumentos = {"servidor", "127.0.0.1"})
        : cliente(ClienteDeTeste(servidor, argumentos))
    {
    }

    // Sends the bytes and waits until the client has handled them: a marker variable sent after
    // them has reached the store.
    bool Receber(const QByteArray& bytes);
    // What the client sent since the last call, up to a marker chat line it is made to send now.
    QByteArray Enviado();
    // Clicks botao; once the client sent n bytes, runs durante and sets variavel to valor when
    // the client's wait sleeps (a spinning wait never gets it). True if sent and still running.
    bool ClicarEResponder(QAbstractButton* botao, qsizetype n, const QByteArray& variavel,
                          const QByteArray& valor, const std::function<void()>& durante = {});

    CaixasGravadas caixas;
    ServidorRoteirizado servidor;
    std::unique_ptr<frmCliente> cliente;
};
