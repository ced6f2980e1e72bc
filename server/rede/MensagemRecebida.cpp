#include "MensagemRecebida.h"

#include "CUnPacker.h"
#include "FuncoesComuns.h"

std::optional<MensagemRecebida> MensagemRecebida::Ler(const QByteArray& mensagem)
{
    if (mensagem.size() < 10)
        return std::nullopt;
    // A fresh parser for each message: the shared one keeps the arguments of the message before
    // when a count is 0, which must never leak from one peer's message into another.
    CUnPacker leitor;
    leitor.SetPacote(mensagem);
    QList<QByteArray> argumentos;
    for (int i = 1; i <= leitor.Argumentos(); ++i)
        argumentos << leitor.Argumento(quint8(i));
    // The parser stops quietly on a bad field; building the message again from what it read
    // and comparing tells a whole message from a damaged one.
    if (MontarMensagem(leitor.Comando(), argumentos) != mensagem)
        return std::nullopt;
    return MensagemRecebida{leitor.Comando(), argumentos};
}
