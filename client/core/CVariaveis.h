#pragma once

#include <QHash>
#include <QString>
#include <unordered_map>

// The shared variables: text values by key, keys compared without regard to case. This is only
// the store; the main window's Variaveis adds the side effects of "Vez" and "Fim".
class CVariaveis
{
public:
    static CVariaveis& Global();

    // Throws std::out_of_range for a key that has never been written.
    QString Ler(const QString& chave) const;
    void Escrever(const QString& chave, const QString& valor);
    // The stored value of a key (created empty when new), for a writer that fills it in place.
    QString& Lugar(const QString& chave) { return *Valor(chave, true); }
    // Forgets every key: a new connection starts from the start values, not the last stream's.
    void Limpar()
    {
        m_grafias.clear();
        m_valores.clear();
    }

private:
    // The value of a key, found through its spelling; folds a spelling seen for the first time.
    QString* Valor(const QString& chave, bool criar) const;

    // The values by lower-case key. Nodes never move, so the spellings may point into it.
    mutable std::unordered_map<QString, QString> m_valores;
    // Every spelling a key has come in, with its value: a write folds a spelling only once.
    mutable QHash<QString, QString*> m_grafias;
};
