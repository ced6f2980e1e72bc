#include "JogadorGuloso.h"

#include "Carta.h"

#include <algorithm>

namespace {
struct Contagem
{
    int manilhas = 0;
    int tres = 0;
    int doisOuTres = 0;
};

// Cards still in the hand (played ones and blind zeros count for nothing).
Contagem Contar(const std::array<int, 3>& mao, const std::array<bool, 3>& jogadas, int vira)
{
    Contagem c;
    for (int p = 0; p < 3; ++p) {
        if (jogadas[p] || !Carta::Valida(mao[p]))
            continue;
        const int forca = Carta::Forca(mao[p], vira);
        c.manilhas += forca >= 10;
        c.tres += forca == 9;
        c.doisOuTres += forca == 8 || forca == 9;
    }
    return c;
}

bool Boa(const Contagem& c)
{
    return c.manilhas >= 1 || c.doisOuTres >= 2;
}
} // namespace

Lance JogadorGuloso::Decidir(const Visao& v, const std::vector<Lance>& validos)
{
    const int eu = v.jogador;
    const Contagem minha = Contar(v.mao, v.jogadas, v.vira);
    const bool podeTrucar =
        std::find(validos.begin(), validos.end(), Lance::Trucar(eu)) != validos.end();
    if (v.decisaoOnze) {
        const bool parceiroBom = Boa(Contar(v.maoParceiro, {}, v.vira));
        return Boa(minha) || parceiroBom ? Lance::Aceitar(eu) : Lance::Recusar(eu);
    }
    if (v.trucoPendente) {
        if (minha.manilhas >= 2)
            return podeTrucar ? Lance::Trucar(eu) : Lance::Aceitar(eu);
        return Boa(minha) ? Lance::Aceitar(eu) : Lance::Recusar(eu);
    }
    if (podeTrucar && (minha.manilhas >= 2 || (minha.manilhas == 1 && minha.tres >= 1)))
        return Lance::Trucar(eu);
    return JogadorGulosoSemTruco::Decidir(v, validos);
}
