#include "CPacker.h"

#include "ErroProtocolo.h"
#include "FuncoesComuns.h"

#include <QAbstractSocket>

CPacker& CPacker::Global()
{
    static CPacker instancia;
    return instancia;
}

void CPacker::SetArgumentos(quint8 n)
{
    m_n = n;
    if (n != 0)
        m_slots = QList<QByteArray>(n);
}

void CPacker::SetArgumento(quint8 indice, const QByteArray& valor)
{
    if (indice < 1 || indice > m_slots.size())
        throw ErroProtocolo("Subscrito fora do intervalo");
    m_slots[indice - 1] = valor;
}

QByteArray CPacker::Argumento(quint8 indice) const
{
    if (indice < 1 || indice > m_slots.size())
        throw ErroProtocolo("Subscrito fora do intervalo");
    return m_slots[indice - 1];
}

void CPacker::Setup(QAbstractSocket* socket)
{
    m_socket = socket;
    m_ativo = true;
}

void CPacker::Falhar(const QString& texto)
{
    m_n = 0;
    if (m_falha)
        m_falha(texto);
    else
        qFatal("%s", qPrintable(texto));
}

void CPacker::Enviar(const QByteArray& comando)
{
    if (!m_ativo)
        return Falhar(QStringLiteral("Empacotador inativo"));
    if (comando.size() != 5)
        return Falhar(QStringLiteral("O comando deve ter 5 caracteres"));

    // N never exceeds the slots: a non-zero SetArgumentos makes exactly N of them.
    const QByteArray mensagem = MontarMensagem(comando, m_slots.first(m_n));
    m_n = 0;

    if (m_socket && m_socket->state() == QAbstractSocket::ConnectedState)
        m_socket->write(mensagem);
}
