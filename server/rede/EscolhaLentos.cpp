#include "EscolhaLentos.h"

#include <algorithm>
#include <numeric>

std::vector<size_t> EscolherLentos(const std::vector<qint64>& pendentes, qint64 limite)
{
    qint64 total = std::accumulate(pendentes.begin(), pendentes.end(), qint64{0});
    if (total <= limite)
        return {};
    std::vector<size_t> ordem(pendentes.size());
    std::iota(ordem.begin(), ordem.end(), size_t{0});
    std::stable_sort(ordem.begin(), ordem.end(),
                     [&](size_t a, size_t b) { return pendentes[a] > pendentes[b]; });
    std::vector<size_t> fora;
    for (size_t i : ordem) {
        if (total <= limite / 2)
            break;
        fora.push_back(i);
        total -= pendentes[i];
    }
    return fora;
}
