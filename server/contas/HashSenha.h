#pragma once

#include <QByteArray>
#include <optional>

// argon2id password hashes in libsodium's self-describing text form. Hashing is slow by design;
// the server runs it off the event loop. Tests use the minimum cost so the suite stays fast.
class HashSenha
{
public:
    enum class Custo
    {
        Interativo,
        Minimo
    };

    explicit HashSenha(Custo custo = Custo::Interativo);

    // Thread-safe. Nothing when libsodium cannot allocate the memory the cost asks for.
    std::optional<QByteArray> Gerar(const QByteArray& senha) const;
    static bool Confere(const QByteArray& hash, const QByteArray& senha);

private:
    unsigned long long m_operacoes;
    size_t m_memoria;
};
