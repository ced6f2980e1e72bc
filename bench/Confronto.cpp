#include "Confronto.h"

#include "Partida.h"
#include "Simulacao.h"

Confronto::Placar Confronto::Jogar(const Fabrica& equipe0, const Fabrica& equipe1, int jogos,
                                   std::uint32_t semente)
{
    Placar placar;
    for (int i = 0; i < jogos; ++i) {
        const std::uint32_t s = semente + static_cast<std::uint32_t>(i);
        std::array<std::unique_ptr<Estrategia>, 4> donos{equipe0(s * 4), equipe1(s * 4 + 1),
                                                         equipe0(s * 4 + 2), equipe1(s * 4 + 3)};
        std::array<Estrategia*, 4> jogadores{};
        for (int j = 0; j < 4; ++j)
            jogadores[j] = donos[j].get();
        ConfiguracaoPartida configuracao;
        configuracao.semente = s;
        Partida partida(configuracao);
        Simulacao::JogarAteOFim(partida, jogadores);
        ++placar.jogos;
        if (!partida.Terminada())
            ++placar.inacabados;
        else if (partida.EquipeVencedora() == 0)
            ++placar.vitorias0;
    }
    return placar;
}
