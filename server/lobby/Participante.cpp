#include "Participante.h"

#include "FuncoesComuns.h"

void Participante::Enviar(QByteArrayView comando, const QList<QByteArray>& argumentos)
{
    EnviarMensagem(MontarMensagem(comando, argumentos));
}
