#include "TraducaoEventos.h"

#include "Texto.h"

namespace {
QByteArray N(int v)
{
    return QByteArray::number(v);
}
} // namespace

std::optional<MensagemJogo> TraducaoEventos::Para(const Evento& e, int assento,
                                                  const std::array<QString, 4>& logins)
{
    auto login = [&](int j) {
        return j >= 0 && j < 4 ? Texto::ParaBytes(logins[j]) : QByteArray();
    };
    switch (e.tipo) {
    case Evento::Tipo::Distribuicao: {
        const auto& v = e.vistas.at(assento);
        if (e.tipoMao == TipoMao::Onze)
            return MensagemJogo{
                "cmM11",
                {N(e.vira), N(v[0]), N(v[1]), N(v[2]), N(v[3]), N(v[4]), N(v[5]), N(e.equipe)}};
        return MensagemJogo{"cmPrt", {N(e.vira), N(v[0]), N(v[1]), N(v[2])}};
    }
    case Evento::Tipo::Vez:
        return MensagemJogo{"Setar", {"Vez", login(e.jogador)}};
    case Evento::Tipo::Carta:
        return MensagemJogo{"Carta", {N(e.jogador), N(e.codigo)}};
    case Evento::Tipo::FimVaza:
        return MensagemJogo{"rdFim", {N(e.jogador), N(e.placar[0]), N(e.placar[1])}};
    case Evento::Tipo::FimMao:
        return MensagemJogo{"prFim", {N(e.placar[0]), N(e.placar[1])}};
    case Evento::Tipo::Truco:
        return MensagemJogo{"Truco", {N(e.equipe), N(e.valor), login(e.jogador)}};
    case Evento::Tipo::TrucoAceito:
        return MensagemJogo{"tcAct", {}};
    case Evento::Tipo::FimOnze:
        return MensagemJogo{"esM11", {}};
    case Evento::Tipo::FimJogo:
        return MensagemJogo{"jgFim", {N(e.jogador)}};
    }
    return std::nullopt;
}
