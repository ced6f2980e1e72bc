#include "Confronto.h"

#include "Partida.h"
#include "Simulacao.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {
// Times each decision of the strategy it stands for.
class Cronometrado : public Estrategia
{
public:
    Cronometrado(std::unique_ptr<Estrategia> dono, std::vector<double>& tempos)
        : m_dono(std::move(dono)), m_tempos(tempos)
    {
    }
    Lance Decidir(const Visao& visao, const std::vector<Lance>& validos) override
    {
        const auto inicio = std::chrono::steady_clock::now();
        const Lance l = m_dono->Decidir(visao, validos);
        const std::chrono::duration<double, std::micro> d =
            std::chrono::steady_clock::now() - inicio;
        m_tempos.push_back(d.count());
        return l;
    }

private:
    std::unique_ptr<Estrategia> m_dono;
    std::vector<double>& m_tempos;
};

// Counts each team's calls and the refusals among them: a call is refused when the hand ends
// before it is accepted or raised.
void ContarPedidos(const std::vector<Evento>& eventos, int equipeA, Confronto::Placar& placar)
{
    int pendente = -1;
    for (const Evento& e : eventos) {
        const int lado = e.equipe == equipeA ? 0 : 1;
        switch (e.tipo) {
        case Evento::Tipo::Distribuicao:
            ++placar.maos;
            pendente = -1;
            break;
        case Evento::Tipo::Truco:
            ++placar.pedidos[lado];
            pendente = lado;
            break;
        case Evento::Tipo::TrucoAceito:
            pendente = -1;
            break;
        case Evento::Tipo::FimMao:
            if (pendente >= 0)
                ++placar.recusados[pendente];
            pendente = -1;
            break;
        default:
            break;
        }
    }
}
} // namespace

std::pair<double, double> Confronto::Placar::Intervalo() const
{
    if (!jogos)
        return {0.0, 0.0};
    const double z = 1.96, n = jogos, p = TaxaA();
    const double centro = (p + z * z / (2 * n)) / (1 + z * z / n);
    const double meio = z * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n)) / (1 + z * z / n);
    return {centro - meio, centro + meio};
}

double Confronto::Placar::Tempo(double q)
{
    if (tempos.empty())
        return 0.0;
    const auto k = std::min(tempos.size() - 1, size_t(q * double(tempos.size())));
    std::nth_element(tempos.begin(), tempos.begin() + std::ptrdiff_t(k), tempos.end());
    return tempos[k];
}

Confronto::Placar Confronto::Jogar(const Fabrica& a, const Fabrica& b, int jogos,
                                   std::uint32_t semente)
{
    Placar placar;
    for (int i = 0; i + 1 < jogos; i += 2) {
        const std::uint32_t s = semente + static_cast<std::uint32_t>(i / 2);
        for (int equipeA = 0; equipeA < 2; ++equipeA) {
            std::array<std::unique_ptr<Estrategia>, 4> donos;
            std::array<Estrategia*, 4> jogadores{};
            for (int j = 0; j < 4; ++j) {
                const std::uint32_t sj = s * 4 + static_cast<std::uint32_t>(j);
                if (j % 2 == equipeA)
                    donos[j] = std::make_unique<Cronometrado>(a(sj), placar.tempos);
                else
                    donos[j] = b(sj);
                jogadores[j] = donos[j].get();
            }
            ConfiguracaoPartida configuracao;
            configuracao.semente = s;
            Partida partida(configuracao);
            ContarPedidos(Simulacao::JogarAteOFim(partida, jogadores), equipeA, placar);
            ++placar.jogos;
            if (!partida.Terminada())
                ++placar.inacabados;
            else if (partida.EquipeVencedora() == equipeA)
                ++placar.vitoriasA;
        }
    }
    return placar;
}
