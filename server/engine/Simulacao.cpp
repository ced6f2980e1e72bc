#include "Simulacao.h"

std::vector<Evento> Simulacao::JogarAteOFim(Partida& partida,
                                            const std::array<Estrategia*, 4>& jogadores,
                                            int limiteLances)
{
    std::vector<Evento> eventos = partida.Comecar();
    for (int lances = 0; lances < limiteLances && !partida.Terminada(); ++lances) {
        int quem = 0;
        while (quem < 4 && !partida.DeveAgir(quem))
            ++quem;
        if (quem == 4)
            break;
        const auto validos = partida.LancesValidos(quem);
        const Lance lance = jogadores[quem]->Decidir(partida.VisaoDe(quem), validos);
        auto r = partida.Jogar(lance);
        if (!r.Aceito())
            r = partida.Jogar(validos.front());
        eventos.insert(eventos.end(), r.eventos.begin(), r.eventos.end());
    }
    return eventos;
}
