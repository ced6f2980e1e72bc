#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// The one message parser. Writing Pacote parses one whole message (length field included). A
// malformed message stops the parse silently and keeps what was read so far: the dispatcher still
// routes it by whatever command was read.
//
// The parse allocates nothing once warmed up: it copies a message with arguments into its own
// buffer (so the caller's bytes may go away at once) and keeps where each argument lies in it,
// reusing that storage from one message to the next.
class CUnPacker
{
public:
    static CUnPacker& Global();

    void SetPacote(QByteArrayView mensagem);

    QByteArray Comando() const { return QByteArray(m_comando, m_tamanhoComando); }
    // The same bytes without a copy, valid until the next SetPacote.
    QByteArrayView ComandoVista() const { return QByteArrayView(m_comando, m_tamanhoComando); }

    // Slots are numbered from 1; a slot that does not exist throws ErroProtocolo. The slots are
    // those of the last message that had arguments: a message with a count of 0 keeps them.
    QByteArray Argumento(quint8 indice) const;
    // The same bytes without a copy, valid until the next SetPacote.
    QByteArrayView ArgumentoVista(quint8 indice) const;
    int Argumentos() const { return int(m_faixas.size()); }

private:
    struct Faixa
    {
        qsizetype inicio = 0;
        qsizetype tamanho = 0;
    };

    const Faixa& Slot(quint8 indice) const;

    char m_comando[5] = {};
    qsizetype m_tamanhoComando = 0;
    quint8 m_n = 0;
    QByteArray m_origem; // the last message that had arguments; never shared, so it is reused
    QList<Faixa> m_faixas;
};
