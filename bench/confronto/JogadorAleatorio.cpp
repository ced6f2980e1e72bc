#include "JogadorAleatorio.h"

#include <algorithm>

namespace {
bool Contem(const std::vector<Lance>& validos, const Lance& lance)
{
    return std::find(validos.begin(), validos.end(), lance) != validos.end();
}
} // namespace

int JogadorAleatorio::Sortear(int limite)
{
    return int((std::uint64_t{m_gerador()} * std::uint32_t(limite)) >> 32);
}

bool JogadorAleatorio::Chance(double p)
{
    return m_gerador() < p * 4294967296.0;
}

Lance JogadorAleatorio::Decidir(const Visao& v, const std::vector<Lance>& validos)
{
    const int eu = v.jogador;
    if (v.decisaoOnze)
        return Chance(0.5) ? Lance::Aceitar(eu) : Lance::Recusar(eu);
    if (v.trucoPendente) {
        std::vector<Lance> respostas{Lance::Aceitar(eu), Lance::Recusar(eu)};
        if (Contem(validos, Lance::Trucar(eu)))
            respostas.push_back(Lance::Trucar(eu));
        return respostas[Sortear(int(respostas.size()))];
    }
    if (Contem(validos, Lance::Trucar(eu)) && Chance(0.1))
        return Lance::Trucar(eu);
    std::vector<int> posicoes;
    for (int p = 0; p < 3; ++p)
        if (Contem(validos, Lance::JogarCarta(eu, p)))
            posicoes.push_back(p);
    if (posicoes.empty())
        return validos.front();
    const int p = posicoes[Sortear(int(posicoes.size()))];
    const bool coberta = Contem(validos, Lance::JogarCarta(eu, p, true)) && Chance(0.1);
    return Lance::JogarCarta(eu, p, coberta);
}
