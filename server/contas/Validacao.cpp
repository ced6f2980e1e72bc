#include "Validacao.h"

namespace Validacao {

bool TextoExibivel(const QString& texto)
{
    for (const QChar c : texto) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == QChar::ReplacementCharacter)
            return false;
    }
    return true;
}

std::optional<QString> Login(const QString& login)
{
    if (login.startsWith(u'_') || login.startsWith(u'*'))
        return QStringLiteral("O Login não pode começar com '_' ou '*'");
    if (login.size() < kLoginMin || login.size() > kLoginMax)
        return QStringLiteral("O login deve ter de 4 a 12 caracteres");
    for (const QChar c : login) {
        if (!c.isLetter() && !c.isDigit() && c != u'.' && c != u'-' && c != u'_')
            return QStringLiteral("O login só pode ter letras, números, '.', '-' e '_'");
    }
    return std::nullopt;
}

std::optional<QString> Senha(const QString& senha)
{
    if (senha.size() < kSenhaMin || senha.size() > kSenhaMax)
        return QStringLiteral("A senha deve ter de 4 a 12 caracteres");
    if (!TextoExibivel(senha))
        return QStringLiteral("A senha contém caracteres inválidos");
    return std::nullopt;
}

std::optional<QString> Nome(const QString& nome)
{
    if (nome.trimmed().isEmpty())
        return QStringLiteral("Digite o seu nome");
    if (nome.size() > kNomeMax)
        return QStringLiteral("O nome pode ter no máximo 50 caracteres");
    if (!TextoExibivel(nome))
        return QStringLiteral("O nome contém caracteres inválidos");
    return std::nullopt;
}

std::optional<QString> Email(const QString& email)
{
    if (email.isEmpty())
        return QStringLiteral("Digite o seu e-mail");
    if (email.size() > kEmailMax)
        return QStringLiteral("O e-mail pode ter no máximo 50 caracteres");
    const qsizetype arroba = email.indexOf(u'@');
    const QString dominio = email.mid(arroba + 1);
    const bool pareceEmail = arroba > 0 && email.count(u'@') == 1 && dominio.contains(u'.') &&
                             !dominio.startsWith(u'.') && !dominio.endsWith(u'.') &&
                             !dominio.contains(QStringLiteral("..")) && !email.contains(u' ') &&
                             TextoExibivel(email);
    if (!pareceEmail)
        return QStringLiteral("O e-mail não é válido");
    return std::nullopt;
}

std::optional<QString> NomeSala(const QString& nome)
{
    if (nome.isEmpty())
        return QStringLiteral("O nome da sala é obrigatório");
    if (nome.size() > kNomeSalaMax)
        return QStringLiteral("O nome da sala pode ter no máximo 50 caracteres");
    if (!TextoExibivel(nome))
        return QStringLiteral("O nome da sala contém caracteres inválidos");
    return std::nullopt;
}

std::optional<QString> SenhaSala(const QString& senha)
{
    if (senha.size() > kSenhaSalaMax)
        return QStringLiteral("A senha da sala pode ter no máximo 10 caracteres");
    return std::nullopt;
}

QString ChaveLogin(const QString& login)
{
    return login.toCaseFolded();
}

} // namespace Validacao
