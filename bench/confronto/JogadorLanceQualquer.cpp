#include "JogadorLanceQualquer.h"

Lance JogadorLanceQualquer::Decidir(const Visao&, const std::vector<Lance>& validos)
{
    const auto i = (std::uint64_t{m_gerador()} * validos.size()) >> 32;
    return validos[i];
}
