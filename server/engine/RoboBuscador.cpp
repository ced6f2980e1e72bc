#include "RoboBuscador.h"

#include "Carta.h"

#include <algorithm>
#include <array>

Lance RoboBuscador::EscolherCarta(const Visao& v, const std::vector<Lance>& validos, double solto,
                                  std::uint64_t& estado)
{
    const Lance regra = Robo::EscolherCarta(v, validos, solto, estado);
    std::vector<Lance> cartas;
    for (const Lance& l : validos)
        if (l.tipo == Lance::Tipo::Carta && !l.coberta)
            cartas.push_back(l);
    if (cartas.size() < 2 || regra.tipo != Lance::Tipo::Carta)
        return regra;
    // Nothing to try when no card takes or ties the trick, or when the partner holds it and this
    // is its last card: the lowest goes.
    if (!v.mesa.empty()) {
        int maior = Carta::kForcaCoberta, minha = -1;
        std::array<bool, 2> comMaior{};
        for (const auto& c : v.mesa) {
            const int f = c.coberta || !Carta::Valida(c.codigo) ? Carta::kForcaCoberta
                                                                : Carta::Forca(c.codigo, v.vira);
            if (f > maior)
                comMaior = {};
            if (f >= maior) {
                maior = f;
                comMaior[c.jogador % 2] = true;
            }
        }
        for (const Lance& l : cartas)
            minha = std::max(minha, Carta::Forca(v.mao[l.posicao], v.vira));
        const bool parceiroLeva = comMaior[v.Equipe()] && !comMaior[1 - v.Equipe()];
        if (minha < maior || (parceiroLeva && v.mesa.size() == 3))
            return regra;
    }
    // Every card is tried on the same deals, so that luck does not pick between them.
    const MaoSimulada base(v);
    std::vector<double> soma(cartas.size());
    for (int k = 0; k < kAmostrasBusca; ++k) {
        const MaoSimulada m = Amostra(v, base, solto, estado);
        for (size_t c = 0; c < cartas.size(); ++c) {
            MaoSimulada tentativa = m;
            tentativa.Jogar(cartas[c].posicao);
            soma[c] += Valor(v, Terminar(v, tentativa, solto, estado), v.valor);
        }
    }
    // The rule's card, face down or not, unless another does better.
    size_t melhor = 0;
    for (size_t c = 0; c < cartas.size(); ++c)
        if (cartas[c].posicao == regra.posicao)
            melhor = c;
    for (size_t c = 0; c < cartas.size(); ++c)
        if (soma[c] > soma[melhor] + 1e-9)
            melhor = c;
    return cartas[melhor].posicao == regra.posicao ? regra : cartas[melhor];
}
