#include "Narrador.h"

namespace {

// "truco" for the first call, the points asked for a raise.
QString Pedido(int valor)
{
    return valor == 3 ? QStringLiteral("truco") : QString::number(valor);
}

} // namespace

QStringList Narrador::Narrar(const Lance* lance, const std::vector<Evento>& eventos,
                             const std::array<QString, 4>& nomes)
{
    // Only answers name the mover, and an answer is always a move.
    const auto quem = [&]() -> const QString& { return nomes.at(lance ? lance->jogador : 0); };
    const auto dupla = [&](int equipe) {
        return QStringLiteral("%1 e %2").arg(nomes.at(equipe), nomes.at(equipe + 2));
    };
    QStringList linhas;
    for (const Evento& e : eventos) {
        switch (e.tipo) {
        case Evento::Tipo::Distribuicao:
            m_pedido = 0;
            if (e.tipoMao == TipoMao::Ferro)
                linhas << QStringLiteral("Mão de ferro: todos jogam no escuro.");
            break;
        case Evento::Tipo::Truco:
            // A call answered by a call is a raise.
            if (m_pedido > 0)
                linhas
                    << QStringLiteral("%1 aumentou para %2.").arg(nomes.at(e.jogador)).arg(e.valor);
            else
                linhas << QStringLiteral("%1 pediu %2.").arg(nomes.at(e.jogador), Pedido(e.valor));
            m_pedido = e.valor;
            break;
        case Evento::Tipo::TrucoAceito:
            linhas << QStringLiteral("%1 aceitou o %2.").arg(quem(), Pedido(m_pedido));
            m_pedido = 0;
            break;
        case Evento::Tipo::FimOnze:
            linhas << (lance && lance->tipo == Lance::Tipo::Aceitar
                           ? QStringLiteral("%1 aceitou a mão de onze.").arg(quem())
                           : QStringLiteral("%1 correu da mão de onze.").arg(quem()));
            break;
        case Evento::Tipo::FimMao: {
            if (lance && lance->tipo == Lance::Tipo::Recusar && m_pedido > 0)
                linhas << QStringLiteral("%1 correu do %2.").arg(quem(), Pedido(m_pedido));
            m_pedido = 0;
            const int equipe =
                e.placar[0] != m_placar[0] ? 0 : (e.placar[1] != m_placar[1] ? 1 : -1);
            if (equipe < 0) {
                linhas << QStringLiteral("Mão empatada: ninguém pontua.");
            } else {
                const int pontos = e.placar[equipe] - m_placar[equipe];
                linhas << QStringLiteral("%1 fazem %2 %3: %4 a %5.")
                              .arg(dupla(equipe))
                              .arg(pontos)
                              .arg(pontos == 1 ? QStringLiteral("ponto") : QStringLiteral("pontos"))
                              .arg(e.placar[equipe])
                              .arg(e.placar[1 - equipe]);
            }
            m_placar = e.placar;
            break;
        }
        case Evento::Tipo::FimJogo:
            linhas << QStringLiteral("Fim de jogo: %1 venceram.").arg(dupla(e.equipe));
            break;
        case Evento::Tipo::Vez:
        case Evento::Tipo::Carta:
        case Evento::Tipo::FimVaza:
            break;
        }
    }
    return linhas;
}

QString Narrador::RoboAssumiu(const QString& robo, const QString& pessoa)
{
    return QStringLiteral("%1 ficou no lugar de %2.").arg(robo, pessoa);
}

QString Narrador::TempoEsgotado(const QString& pessoa)
{
    return QStringLiteral("Tempo esgotado: o robô jogou por %1.").arg(pessoa);
}
