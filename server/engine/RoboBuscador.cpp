#include "RoboBuscador.h"

#include "Carta.h"

#include <algorithm>

bool RoboBuscador::Buscar(const Visao& v, const MaoSimulada& base,
                          const std::vector<Lance>& validos) const
{
    if (base.Vaza() > 0 || base.NaMesa() > 1)
        return false;
    int cartas = 0, minha = -1;
    for (const Lance& l : validos)
        if (l.tipo == Lance::Tipo::Carta && !l.coberta) {
            ++cartas;
            minha = std::max(minha, base.Forca(0, l.posicao));
        }
    if (cartas < 2)
        return false;
    // Nothing to try when no card takes or ties the trick: the lowest goes.
    for (const auto& c : v.mesa)
        if (!c.coberta && Carta::Valida(c.codigo) && Carta::Forca(c.codigo, v.vira) > minha)
            return false;
    return true;
}
