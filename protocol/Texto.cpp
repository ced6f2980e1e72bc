#include "Texto.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Texto {

QString DeBytes(const QByteArray& bytes)
{
    QStringDecoder decodificador("windows-1252");
    return decodificador.decode(bytes);
}

QByteArray ParaBytes(const QString& texto)
{
    QStringEncoder codificador("windows-1252");
    return codificador.encode(texto);
}

} // namespace Texto
