#include "OrigemContas.h"

#include "BancoContasPostgres.h"
#include "BancoContasSqlite.h"
#include "ConexaoPostgres.h"
#include "PresencaLocal.h"
#include "PresencaPostgres.h"

bool OrigemContas::Preparar(QString* erro) const
{
    if (uri.isEmpty())
        return BancoContasSqlite().Abrir(pasta, erro);
    return BancoContasPostgres(uri).Preparar(erro);
}

std::unique_ptr<BancoContas> OrigemContas::Abrir(QString* erro) const
{
    if (uri.isEmpty()) {
        auto banco = std::make_unique<BancoContasSqlite>();
        return banco->Abrir(pasta, erro) ? std::move(banco) : nullptr;
    }
    auto banco = std::make_unique<BancoContasPostgres>(uri);
    return banco->Abrir(erro) ? std::move(banco) : nullptr;
}

std::unique_ptr<Presenca> OrigemContas::NovaPresenca(int validadeS) const
{
    if (uri.isEmpty())
        return std::make_unique<PresencaLocal>();
    return std::make_unique<PresencaPostgres>(uri, std::chrono::seconds(validadeS));
}

QString OrigemContas::Descricao() const
{
    return uri.isEmpty() ? pasta : ConexaoPostgres::SemSenha(uri);
}
