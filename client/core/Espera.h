#pragma once

#include <functional>

// The program's closing flag and the one wait helper. Every wait of the client (the connection,
// the login answer, the room creation, animations) sleeps until the next event and looks again;
// it never spins the CPU, and it ends as soon as the program is closing.
namespace Espera {

bool Encerrando();
// Set once, when the main window unloads; the program never clears it.
void Encerrar();
// Clears the flag. Only tests call it: they run one main window after another in one process.
void Reiniciar();

// Processes events until pronto() holds or Encerrando() is set.
void Aguardar(const std::function<bool()>& pronto);

} // namespace Espera
