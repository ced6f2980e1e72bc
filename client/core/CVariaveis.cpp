#include "CVariaveis.h"

#include <stdexcept>

CVariaveis& CVariaveis::Global()
{
    static CVariaveis instancia;
    return instancia;
}

QString* CVariaveis::Valor(const QString& chave, bool criar) const
{
    if (QString* const valor = m_grafias.value(chave))
        return valor;
    const QString dobrada = chave.toLower();
    auto it = m_valores.find(dobrada);
    if (it == m_valores.end()) {
        if (!criar)
            return nullptr;
        it = m_valores.emplace(dobrada, QString()).first;
    }
    m_grafias.insert(chave, &it->second);
    return &it->second;
}

QString CVariaveis::Ler(const QString& chave) const
{
    const QString* valor = Valor(chave, false);
    if (!valor)
        throw std::out_of_range("Variável inexistente: " + chave.toStdString());
    return *valor;
}

void CVariaveis::Escrever(const QString& chave, const QString& valor)
{
    *Valor(chave, true) = valor;
}
