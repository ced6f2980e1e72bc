#include "JogadorAleatorio.h"

Lance JogadorAleatorio::Decidir(const Visao&, const std::vector<Lance>& validos)
{
    const auto i = (std::uint64_t{m_gerador()} * validos.size()) >> 32;
    return validos[i];
}
