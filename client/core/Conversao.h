#pragma once

#include <QString>

// Numbers and Booleans travel as text. A reaction that reads a number where the server sent
// something else throws std::invalid_argument, which the receive path reports.
namespace Conversao {

// Decimal integer text, blanks around it allowed.
qint32 ParaNumero(const QString& texto);

// "True" and "False" in any letter case, or a number (non-zero is true).
bool ParaBooleano(const QString& texto);

inline QString DeBooleano(bool valor)
{
    return valor ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace Conversao
