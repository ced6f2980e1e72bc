// Win rates of the server's bot against a random and a greedy player, over seeded games.
//   quarpel-taxas [jogos] [semente]
#include "Confronto.h"
#include "JogadorAleatorio.h"
#include "JogadorGuloso.h"
#include "Robo.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    const int jogos = argc > 1 ? std::atoi(argv[1]) : 1000;
    const auto semente = static_cast<std::uint32_t>(argc > 2 ? std::stoul(argv[2]) : 1);
    const Confronto::Fabrica robo = [](std::uint32_t) { return std::make_unique<Robo>(); };
    const Confronto::Fabrica aleatorio = [](std::uint32_t s) {
        return std::make_unique<JogadorAleatorio>(s);
    };
    const Confronto::Fabrica guloso = [](std::uint32_t) {
        return std::make_unique<JogadorGuloso>();
    };
    struct Linha
    {
        const char* nome;
        const Confronto::Fabrica& a;
        const Confronto::Fabrica& b;
    };
    const Linha linhas[] = {{"robo x aleatorio", robo, aleatorio},
                            {"robo x guloso", robo, guloso},
                            {"guloso x aleatorio", guloso, aleatorio},
                            {"robo x robo", robo, robo}};
    std::printf("%d jogos por confronto, sementes %u a %u\n", jogos, semente,
                semente + static_cast<std::uint32_t>(jogos) - 1);
    for (const auto& l : linhas) {
        const auto p = Confronto::Jogar(l.a, l.b, jogos, semente);
        std::printf("%-20s  vitorias do primeiro time: %5d de %d (%.1f%%)%s\n", l.nome, p.vitorias0,
                    p.jogos, p.Taxa0(), p.inacabados ? "  (jogos inacabados!)" : "");
    }
    return 0;
}
