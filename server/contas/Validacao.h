#pragma once

#include <QString>
#include <optional>

// The rules for what a peer may send as account and room data. Each check gives the refusal
// reason the client shows, or nothing when the text is acceptable. Texts arrive already decoded
// from Windows-1252, so one character is one byte on the wire.
namespace Validacao {

inline constexpr int kLoginMin = 4;
inline constexpr int kLoginMax = 12;
inline constexpr int kSenhaMin = 4;
inline constexpr int kSenhaMax = 12;
inline constexpr int kNomeMax = 50;
inline constexpr int kEmailMax = 50;
inline constexpr int kNomeSalaMax = 50;
inline constexpr int kSenhaSalaMax = 10;
inline constexpr int kChatMax = 70;
inline constexpr int kTamanhoFoto = 7803;

std::optional<QString> Login(const QString& login);
std::optional<QString> Senha(const QString& senha);
std::optional<QString> Nome(const QString& nome);
std::optional<QString> Email(const QString& email);
std::optional<QString> NomeSala(const QString& nome);
std::optional<QString> SenhaSala(const QString& senha);

// A text shown to others (names, chat): no control characters and nothing the code page
// could not carry.
bool TextoExibivel(const QString& texto);

// The form logins are compared in: case does not matter.
QString ChaveLogin(const QString& login);

} // namespace Validacao
