#include "PresencaLocal.h"

void PresencaLocal::Reivindicar(const QString&, QObject*, Pronto pronto)
{
    pronto(Reivindicacao::Obtida);
}

void PresencaLocal::Liberar(const QString&) {}
