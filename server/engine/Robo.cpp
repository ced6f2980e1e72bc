#include "Robo.h"

#include "Carta.h"

#include <algorithm>

namespace {
constexpr int kForcaDois = 8;

bool Contem(const std::vector<Lance>& validos, const Lance& lance)
{
    return std::find(validos.begin(), validos.end(), lance) != validos.end();
}

int Peso(int codigo, int vira)
{
    if (!Carta::Valida(codigo))
        return 1; // a blind card: about an average one
    const int forca = Carta::Forca(codigo, vira);
    if (forca >= 10)
        return forca - 7; // manilhas 3 to 6
    if (forca >= kForcaDois)
        return forca - 7; // two 1, three 2
    return 0;
}

int ForcaNaMesa(const CartaNaMesa& c, int vira)
{
    return c.coberta || !Carta::Valida(c.codigo) ? Carta::kForcaCoberta
                                                 : Carta::Forca(c.codigo, vira);
}
} // namespace

int Robo::AvaliarMao(const Visao& v)
{
    int pontos = 0;
    for (int p = 0; p < 3; ++p)
        if (!v.jogadas[p])
            pontos += Peso(v.mao[p], v.vira);
    const int minha = v.Equipe();
    for (int k = 0; k < v.vaza; ++k) {
        if (v.resultados[k] == minha)
            pontos += k == 0 ? 4 : 3;
        else if (v.resultados[k] == 1 - minha)
            pontos -= 4;
    }
    return pontos;
}

Lance Robo::Decidir(const Visao& v, const std::vector<Lance>& validos)
{
    const int eu = v.jogador;
    if (v.decisaoOnze) {
        int fortes = 0;
        for (int p = 0; p < 3; ++p) {
            for (int codigo : {v.mao[p], v.maoParceiro[p]})
                if (Carta::Valida(codigo) && Carta::Forca(codigo, v.vira) >= kForcaDois)
                    ++fortes;
        }
        return fortes >= 2 ? Lance::Aceitar(eu) : Lance::Recusar(eu);
    }

    const int forca = AvaliarMao(v);
    // Each step up the ladder asks for a little more.
    const int degrau = std::max(0, (v.trucoPendente ? v.valorPedido : v.valor) / 3);
    if (v.trucoPendente) {
        if (forca >= 7 + degrau && Contem(validos, Lance::Trucar(eu)))
            return Lance::Trucar(eu);
        if (forca >= 2 + degrau / 2)
            return Lance::Aceitar(eu);
        return Lance::Recusar(eu);
    }
    if (forca >= 6 + degrau && Contem(validos, Lance::Trucar(eu)))
        return Lance::Trucar(eu);
    return EscolherCarta(v, validos);
}

Lance Robo::EscolherCarta(const Visao& v, const std::vector<Lance>& validos)
{
    const int eu = v.jogador;
    struct Opcao
    {
        int posicao;
        int forca;
    };
    std::vector<Opcao> opcoes;
    for (int p = 0; p < 3; ++p) {
        if (Contem(validos, Lance::JogarCarta(eu, p))) {
            const int f = Carta::Valida(v.mao[p]) ? Carta::Forca(v.mao[p], v.vira) : 0;
            opcoes.push_back({p, f});
        }
    }
    if (opcoes.empty())
        return validos.front();
    std::stable_sort(opcoes.begin(), opcoes.end(),
                     [](const Opcao& a, const Opcao& b) { return a.forca < b.forca; });
    const bool cegas = std::none_of(v.mao.begin(), v.mao.end(), Carta::Valida);
    if (cegas)
        return Lance::JogarCarta(eu, opcoes.front().posicao);

    const bool podeCobrir = v.vaza > 0;
    auto menor = [&]() {
        // A card thrown away goes face down when it may: it tells the others nothing.
        return Lance::JogarCarta(eu, opcoes.front().posicao, podeCobrir && opcoes.size() > 1);
    };

    if (v.mesa.empty()) {
        if (v.vaza == 0 && opcoes.size() > 1) {
            // Open with the best ordinary card and keep the manilhas for later.
            for (auto it = opcoes.rbegin(); it != opcoes.rend(); ++it)
                if (it->forca < 10)
                    return Lance::JogarCarta(eu, it->posicao);
        }
        return Lance::JogarCarta(eu, opcoes.back().posicao);
    }

    int maior = Carta::kForcaCoberta - 1;
    std::array<bool, 2> comMaior{};
    for (const auto& c : v.mesa)
        maior = std::max(maior, ForcaNaMesa(c, v.vira));
    for (const auto& c : v.mesa)
        if (ForcaNaMesa(c, v.vira) == maior)
            comMaior[c.jogador % 2] = true;
    const int minha = v.Equipe();
    const bool ganhando = comMaior[minha] && !comMaior[1 - minha];
    const bool ultimo = v.mesa.size() == 3;

    if (ganhando && (ultimo || maior >= kForcaDois))
        return menor();
    for (const auto& o : opcoes)
        if (o.forca > maior)
            return Lance::JogarCarta(eu, o.posicao);
    // A tie is worth having when the first trick is ours or this is the first trick.
    const bool empateServe = v.vaza == 0 || v.resultados[0] == minha;
    if (empateServe && !ganhando)
        for (const auto& o : opcoes)
            if (o.forca == maior)
                return Lance::JogarCarta(eu, o.posicao);
    return menor();
}
