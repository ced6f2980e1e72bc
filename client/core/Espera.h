#pragma once

#include <QString>
#include <chrono>
#include <functional>

class QObject;

// The program's closing flag and the one wait helper. Every wait of the client (the connection,
// the login answer, the room creation, animations) sleeps until the next event and looks again;
// it never spins the CPU, and it ends as soon as the program is closing. A wait for the server's
// answer to the player's request also ends after a time limit, so a server that accepts the
// connection but never answers cannot hold a screen for good.
namespace Espera {

bool Encerrando();
// Set once, when the main window unloads; the program never clears it.
void Encerrar();
// Clears the flag. Only tests call it: they run one main window after another in one process.
void Reiniciar();

// Processes events until pronto() holds or Encerrando() is set.
void Aguardar(const std::function<bool()>& pronto);

// What the player is told when the limit below runs out.
inline const QString kSemResposta = QStringLiteral("O servidor não respondeu.");

// How long the server may take to answer a request: 15 s. Tests shorten it.
std::chrono::milliseconds Limite();
void SetLimite(std::chrono::milliseconds limite);

// How a wait for an answer ended.
enum class Resposta
{
    Chegou,       // pronto() holds
    Esgotada,     // Limite() ran out first
    Interrompida, // the program is closing, or the connection is gone (Interromper)
};

// Aguardar, for at most Limite(), and no longer than the connection the answer would come on.
Resposta AguardarResposta(const std::function<bool()>& pronto);

// The connection the answers would come on is gone: every wait for an answer ends at once as
// Interrompida, and every watch is called off. The next connection starts with none pending.
void Interromper();

// The same limit for a request whose answer arrives without anyone waiting in place (the sign-up,
// entering a room): after Limite(), unless respondido() holds by then or the program is closing,
// aoEsgotar runs. A connection that is gone meanwhile calls the watch off. A new watch of the same
// dono replaces the one before; it dies with dono.
void Vigiar(QObject* dono, std::function<bool()> respondido, std::function<void()> aoEsgotar);

} // namespace Espera
