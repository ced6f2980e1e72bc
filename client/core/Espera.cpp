#include "Espera.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace Espera {
namespace {
bool g_encerrando = false;
}

bool Encerrando() { return g_encerrando; }

void Encerrar() { g_encerrando = true; }

void Reiniciar() { g_encerrando = false; }

void Aguardar(const std::function<bool()>& pronto)
{
    while (!g_encerrando && !pronto())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace Espera
