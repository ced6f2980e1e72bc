#include "HashSenha.h"

#include <sodium.h>

namespace {
// sodium_init is idempotent and thread-safe; a static runs it once before the first use.
const bool kSodiumPronto = sodium_init() >= 0;
} // namespace

HashSenha::HashSenha(Custo custo)
    : m_operacoes(custo == Custo::Interativo ? crypto_pwhash_OPSLIMIT_INTERACTIVE
                                             : crypto_pwhash_argon2id_OPSLIMIT_MIN),
      m_memoria(custo == Custo::Interativo ? crypto_pwhash_MEMLIMIT_INTERACTIVE
                                           : crypto_pwhash_argon2id_MEMLIMIT_MIN)
{
}

std::optional<QByteArray> HashSenha::Gerar(const QByteArray& senha) const
{
    if (!kSodiumPronto)
        return std::nullopt;
    char saida[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(saida, senha.constData(), size_t(senha.size()), m_operacoes,
                              m_memoria, crypto_pwhash_ALG_ARGON2ID13) != 0)
        return std::nullopt;
    return QByteArray(saida);
}

bool HashSenha::Confere(const QByteArray& hash, const QByteArray& senha)
{
    if (!kSodiumPronto || hash.isEmpty() || hash.size() >= crypto_pwhash_STRBYTES)
        return false;
    char texto[crypto_pwhash_STRBYTES] = {};
    std::copy(hash.cbegin(), hash.cend(), texto);
    return crypto_pwhash_str_verify(texto, senha.constData(), size_t(senha.size())) == 0;
}
