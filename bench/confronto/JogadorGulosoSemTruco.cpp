#include "JogadorGulosoSemTruco.h"

#include "Carta.h"

#include <algorithm>

Lance JogadorGulosoSemTruco::Decidir(const Visao& v, const std::vector<Lance>& validos)
{
    const int eu = v.jogador;
    if (v.decisaoOnze || v.trucoPendente)
        return Lance::Aceitar(eu);

    int maior = Carta::kForcaCoberta - 1;
    for (const auto& c : v.mesa)
        maior = std::max(maior, c.coberta ? Carta::kForcaCoberta : Carta::Forca(c.codigo, v.vira));
    int menor = -1, menorQueVence = -1;
    auto forca = [&](int p) {
        return Carta::Valida(v.mao[p]) ? Carta::Forca(v.mao[p], v.vira) : 0;
    };
    for (int p = 0; p < 3; ++p) {
        if (std::find(validos.begin(), validos.end(), Lance::JogarCarta(eu, p)) == validos.end())
            continue;
        if (menor < 0 || forca(p) < forca(menor))
            menor = p;
        if (forca(p) > maior && (menorQueVence < 0 || forca(p) < forca(menorQueVence)))
            menorQueVence = p;
    }
    if (menorQueVence >= 0)
        return Lance::JogarCarta(eu, menorQueVence);
    if (menor >= 0)
        return Lance::JogarCarta(eu, menor);
    return validos.front();
}
