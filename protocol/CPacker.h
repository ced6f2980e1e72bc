#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <functional>

class QAbstractSocket;

// The client's one message builder. A caller sets the count, fills the arguments and calls Enviar
// without yielding in between, so no two messages interleave. A message is dropped silently when
// the socket is not connected: there is no queue.
class CPacker
{
public:
    // Shows a program fault ("Empacotador inativo", a command of the wrong size) and ends the
    // program. Tests install one that records the text.
    using TratadorFalha = std::function<void(const QString& texto)>;

    static CPacker& Global();

    // Sets N. A non-zero N replaces the slots by N empty ones; 0 only changes N.
    void SetArgumentos(quint8 n);
    quint8 Argumentos() const { return m_n; }

    // Slots are numbered from 1. A slot that does not exist throws ErroProtocolo.
    void SetArgumento(quint8 indice, const QByteArray& valor);
    QByteArray Argumento(quint8 indice) const;

    void Setup(QAbstractSocket* socket);

    // Builds the message from the command and slots 1..N, sends it when connected, and leaves N
    // at 0 either way.
    void Enviar(const QByteArray& comando);

    void SetTratadorFalha(TratadorFalha tratador) { m_falha = std::move(tratador); }

private:
    void Falhar(const QString& texto);

    QList<QByteArray> m_slots;
    quint8 m_n = 0;
    QPointer<QAbstractSocket> m_socket;
    bool m_ativo = false;
    TratadorFalha m_falha;
};
