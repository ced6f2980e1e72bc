#include "Conversao.h"

#include <stdexcept>

namespace Conversao {

qint32 ParaNumero(const QString& texto)
{
    bool ok = false;
    const qint32 n = texto.trimmed().toInt(&ok);
    if (!ok)
        throw std::invalid_argument("Tipo incompatível: \"" + texto.toStdString() +
                                    "\" não é um número");
    return n;
}

bool ParaBooleano(const QString& texto)
{
    const QString t = texto.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const qint32 n = t.toInt(&ok);
    if (!ok)
        throw std::invalid_argument("Tipo incompatível: \"" + texto.toStdString() +
                                    "\" não é um valor lógico");
    return n != 0;
}

} // namespace Conversao
