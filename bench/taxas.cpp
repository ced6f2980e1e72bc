// Win rates of the bots against other players, over seeded games with the seats swapped.
//   quarpel-taxas [jogos] [semente] [a:b ...]
// Players: robo (the heuristic bot), buscador (the searching one), aleatorio, guloso,
// lance-qualquer, guloso-sem-truco. Each pairing prints A's wins with their 95 % interval, each
// team's calls per hand with the share refused, and the time A took per decision.
#include "Confronto.h"
#include "JogadorAleatorio.h"
#include "JogadorGuloso.h"
#include "JogadorGulosoSemTruco.h"
#include "JogadorLanceQualquer.h"
#include "Robo.h"
#include "RoboBuscador.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

int main(int argc, char** argv)
{
    const int jogos = argc > 1 ? std::atoi(argv[1]) : 20000;
    const auto semente = static_cast<std::uint32_t>(argc > 2 ? std::stoul(argv[2]) : 1);
    const std::map<std::string, Confronto::Fabrica> jogadores{
        {"robo", [](std::uint32_t) { return std::make_unique<Robo>(); }},
        {"buscador", [](std::uint32_t) { return std::make_unique<RoboBuscador>(); }},
        {"aleatorio", [](std::uint32_t s) { return std::make_unique<JogadorAleatorio>(s); }},
        {"guloso", [](std::uint32_t) { return std::make_unique<JogadorGuloso>(); }},
        {"lance-qualquer",
         [](std::uint32_t s) { return std::make_unique<JogadorLanceQualquer>(s); }},
        {"guloso-sem-truco",
         [](std::uint32_t) { return std::make_unique<JogadorGulosoSemTruco>(); }},
    };
    std::vector<std::string> pares;
    for (int i = 3; i < argc; ++i)
        pares.push_back(argv[i]);
    if (pares.empty())
        pares = {"buscador:aleatorio", "buscador:guloso", "buscador:robo",
                 "robo:aleatorio",     "robo:guloso",     "guloso:aleatorio"};

    std::printf("%d jogos por confronto: sementes %u a %u, cada uma com os lugares trocados\n",
                jogos, semente, semente + static_cast<std::uint32_t>(jogos / 2) - 1);
    for (const auto& par : pares) {
        const auto dois = par.find(':');
        const auto a = jogadores.find(par.substr(0, dois));
        const auto b = jogadores.find(dois == std::string::npos ? "" : par.substr(dois + 1));
        if (a == jogadores.end() || b == jogadores.end()) {
            std::fprintf(stderr, "confronto desconhecido: %s\n", par.c_str());
            return 2;
        }
        auto p = Confronto::Jogar(a->second, b->second, jogos, semente);
        const auto [baixo, alto] = p.Intervalo();
        const double maos = p.maos ? p.maos : 1;
        auto recusa = [&](int lado) {
            return p.pedidos[lado] ? 100.0 * p.recusados[lado] / p.pedidos[lado] : 0.0;
        };
        std::printf("%-28s %5d/%d  %5.1f%% [%.1f, %.1f]  pedidos por mao A %.2f (%.0f%% "
                    "recusados) B %.2f (%.0f%%)  decisao de A p50 %.1f us p99 %.1f us%s\n",
                    (a->first + " x " + b->first).c_str(), p.vitoriasA, p.jogos, 100 * p.TaxaA(),
                    100 * baixo, 100 * alto, p.pedidos[0] / maos, recusa(0), p.pedidos[1] / maos,
                    recusa(1), p.Tempo(0.5), p.Tempo(0.99),
                    p.inacabados ? "  (jogos inacabados!)" : "");
    }
    return 0;
}
