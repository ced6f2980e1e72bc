#include "ServidorRoteirizado.h"

#include <QTest>

ServidorRoteirizado::ServidorRoteirizado(QObject* pai) : QObject(pai)
{
    connect(&m_servidor, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = m_servidor.nextPendingConnection()) {
            if (m_conexao) {
                s->abort();
                s->deleteLater();
                continue;
            }
            m_conexao = s;
            connect(s, &QTcpSocket::readyRead, this, [this, s] { m_recebido += s->readAll(); });
        }
    });
    m_servidor.listen(QHostAddress(QHostAddress::LocalHost), 0);
}

bool ServidorRoteirizado::AguardarConexao(int ms)
{
    return QTest::qWaitFor([this] { return !m_conexao.isNull(); }, ms);
}

bool ServidorRoteirizado::AguardarBytes(qsizetype n, int ms)
{
    return QTest::qWaitFor([this, n] { return m_recebido.size() >= n; }, ms);
}

void ServidorRoteirizado::Enviar(const QByteArray& bytes)
{
    if (!m_conexao)
        return;
    m_conexao->write(bytes);
    m_conexao->flush();
}

void ServidorRoteirizado::Fechar()
{
    if (m_conexao)
        m_conexao->disconnectFromHost();
}
