#include "CVariaveis.h"

#include <stdexcept>

CVariaveis& CVariaveis::Global()
{
    static CVariaveis instancia;
    return instancia;
}

QString CVariaveis::Ler(const QString& chave) const
{
    const auto it = m_valores.constFind(chave.toLower());
    if (it == m_valores.cend())
        throw std::out_of_range("Variável inexistente: " + chave.toStdString());
    return *it;
}

void CVariaveis::Escrever(const QString& chave, const QString& valor)
{
    m_valores.insert(chave.toLower(), valor);
}
