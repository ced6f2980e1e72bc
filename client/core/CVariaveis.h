#pragma once

#include <QHash>
#include <QString>

// The shared variables: text values by key, keys compared without regard to case. This is only
// the store; the main window's Variaveis adds the side effects of "Vez" and "Fim".
class CVariaveis
{
public:
    static CVariaveis& Global();

    // Throws std::out_of_range for a key that has never been written.
    QString Ler(const QString& chave) const;
    void Escrever(const QString& chave, const QString& valor);

private:
    QHash<QString, QString> m_valores; // keyed by the lower-case key
};
