#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <functional>

class QTcpSocket;
class Sessao;

// A player of this process in a room of another: his bytes go to that process and its bytes come
// back to him as they are, neither read here, until that process lets him go (he left the room,
// or it refused him) or either side closes. Owned by the session, and gone with it.
class Retransmissao : public QObject
{
    Q_OBJECT
public:
    // endereco: "host:port" of the room's process; pedido: the first message it gets, which says
    // who he is and where he goes. fim runs once when it ends with the session still open, his
    // input back with this process.
    Retransmissao(Sessao* sessao, const QString& endereco, const QByteArray& pedido,
                  std::function<void(Sessao*)> fim);
    ~Retransmissao() override;

private:
    void Terminar();

    QPointer<Sessao> m_sessao;
    QTcpSocket* m_socket;
    // What he sent before the connection was up.
    QByteArray m_antes;
    bool m_conectada = false;
    std::function<void(Sessao*)> m_fim;
};
