#pragma once

#include <QByteArray>
#include <QList>

// The one message parser. Writing Pacote parses one whole message (length field included). A
// malformed message stops the parse silently and keeps what was read so far: the dispatcher still
// routes it by whatever command was read.
class CUnPacker
{
public:
    static CUnPacker& Global();

    void SetPacote(const QByteArray& mensagem);

    QByteArray Comando() const { return m_comando; }

    // Slots are numbered from 1; a slot that does not exist throws ErroProtocolo. The slots are
    // those of the last message that had arguments: a message with a count of 0 keeps them.
    QByteArray Argumento(quint8 indice) const;
    int Argumentos() const { return int(m_slots.size()); }

private:
    QByteArray m_comando;
    quint8 m_n = 0;
    QList<QByteArray> m_slots;
};
