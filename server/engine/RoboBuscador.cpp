#include "RoboBuscador.h"

#include <algorithm>

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
