#include "Retransmissao.h"

#include "Sessao.h"
#include "Texto.h"

#include <QTcpSocket>

Retransmissao::Retransmissao(Sessao* sessao, const QString& endereco, const QByteArray& pedido,
                             std::function<void(Sessao*)> fim)
    : QObject(sessao), m_sessao(sessao), m_socket(new QTcpSocket(this)), m_fim(std::move(fim))
{
    // His moves must not wait for Nagle, here no more than on his own connection.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    sessao->Desviar([this](const QByteArray& bytes) {
        if (m_conectada)
            m_socket->write(bytes);
        else
            m_antes += bytes;
    });
    connect(m_socket, &QTcpSocket::connected, this, [this, pedido] {
        m_conectada = true;
        m_socket->write(pedido + std::exchange(m_antes, QByteArray()));
    });
    connect(m_socket, &QTcpSocket::readyRead, this, [this] {
        if (m_sessao)
            m_sessao->EnviarBytes(m_socket->readAll());
    });
    connect(m_socket, &QTcpSocket::disconnected, this, &Retransmissao::Terminar);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this] {
        if (m_socket->state() != QAbstractSocket::ConnectedState)
            Terminar();
    });
    const qsizetype doisPontos = endereco.lastIndexOf(u':');
    QString host = endereco.left(doisPontos);
    if (host.startsWith(u'[') && host.endsWith(u']'))
        host = host.mid(1, host.size() - 2);
    m_socket->connectToHost(host, endereco.mid(doisPontos + 1).toUShort());
}

Retransmissao::~Retransmissao()
{
    m_socket->disconnect(this);
    m_socket->abort();
}

void Retransmissao::Terminar()
{
    if (!m_fim)
        return;
    const auto fim = std::exchange(m_fim, nullptr);
    m_socket->disconnect(this);
    if (m_sessao && !m_sessao->Encerrada()) {
        // Whatever came last from the room's process goes out before he is back here.
        if (m_socket->bytesAvailable() > 0)
            m_sessao->EnviarBytes(m_socket->readAll());
        m_sessao->Desviar({});
        if (!m_conectada)
            m_sessao->Enviar("erEnt", {Texto::ParaBytes(QStringLiteral(
                                          "Não foi possível chegar ao servidor desta sala"))});
        fim(m_sessao);
    }
    deleteLater();
}
