// The engine's move input: a seed and a starting score, then one move per byte, either one of the
// moves the engine lists as valid or any move at all. After every move:
// - a move the engine calls legal is accepted; an illegal one is refused and changes nothing;
// - scores never go down, and the game ends exactly when a team reaches 12 or more;
// - no seat sees another seat's face-down card, nor its hand (save the partner's at eleven).

#include "Partida.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void Exigir(bool condicao)
{
    if (!condicao)
        std::abort();
}

// Everything the game lets anyone see, to tell whether a refused move changed anything.
std::vector<int> Retrato(const Partida& p)
{
    std::vector<int> r{int(p.FaseAtual()), p.Pontos(0),   p.Pontos(1),       p.Vez(),
                       p.ValorMao(),       int(p.Tipo()), p.TrucoPendente(), p.Vira()};
    for (int j = 0; j < 4; ++j) {
        for (int k = 0; k < 3; ++k)
            r.push_back(p.CartaNaMao(j, k));
        const Visao v = p.VisaoDe(j);
        for (const CartaNaMesa& c : v.historico)
            r.insert(r.end(), {c.jogador, c.codigo, c.coberta, c.vaza});
        r.insert(r.end(), {v.vaza, v.valorPedido, v.equipeChamou, v.ultimaEquipeTruco,
                           v.decisaoOnze, v.equipeOnze, v.vez, p.DeveAgir(j)});
    }
    return r;
}

void ConferirVisoes(const Partida& p)
{
    for (int j = 0; j < 4; ++j) {
        const Visao v = p.VisaoDe(j);
        for (const std::vector<CartaNaMesa>* cartas : {&v.historico, &v.mesa})
            for (const CartaNaMesa& c : *cartas)
                Exigir(!c.coberta || c.jogador == j || c.codigo == 0);
        const bool vejoParceiro = v.tipoMao == TipoMao::Onze && v.equipeOnze == v.Equipe();
        for (int k = 0; k < 3; ++k) {
            Exigir(v.maoParceiro[k] == 0 || vejoParceiro);
            if (v.tipoMao == TipoMao::Ferro)
                Exigir(v.mao[k] == 0 || v.jogadas[k]);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho)
{
    if (tamanho < 4)
        return 0;
    ConfiguracaoPartida configuracao;
    configuracao.semente = std::uint32_t(dados[0]) | (std::uint32_t(dados[1]) << 8);
    configuracao.pontos = {dados[2] % 12, dados[3] % 12};
    Partida partida(configuracao);
    partida.Comecar();
    ConferirVisoes(partida);

    for (size_t i = 4; i < tamanho && !partida.Terminada(); ++i) {
        const uint8_t b = dados[i];
        Lance lance;
        if (b & 0x80) {
            // One of the valid moves of the seat that must act (or of seat b's bits).
            int jogador = (b >> 5) & 3;
            for (int j = 0; j < 4; ++j)
                if (partida.DeveAgir(j))
                    jogador = j;
            const std::vector<Lance> validos = partida.LancesValidos(jogador);
            if (validos.empty())
                continue;
            lance = validos[(b & 0x1F) % validos.size()];
            Exigir(!partida.Motivo(lance));
        } else {
            lance.tipo = Lance::Tipo(b & 3);
            lance.jogador = (b >> 2) & 3;
            lance.posicao = (b >> 4) % 3;
            lance.coberta = (b >> 6) & 1;
        }
        const bool legal = !partida.Motivo(lance);
        const std::vector<int> antes = Retrato(partida);
        const int pontos[2] = {partida.Pontos(0), partida.Pontos(1)};

        const ResultadoLance resultado = partida.Jogar(lance);

        Exigir(resultado.Aceito() == legal);
        if (!legal)
            Exigir(resultado.eventos.empty() && Retrato(partida) == antes);
        for (int e = 0; e < 2; ++e)
            Exigir(partida.Pontos(e) >= pontos[e]);
        const bool doze = partida.Pontos(0) >= 12 || partida.Pontos(1) >= 12;
        Exigir(partida.Terminada() == doze);
        if (partida.Terminada())
            Exigir(partida.Pontos(partida.EquipeVencedora()) >= 12);
        ConferirVisoes(partida);
    }
    return 0;
}
