#include "Espera.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace Espera {
namespace {
bool g_encerrando = false;
std::chrono::milliseconds g_limite{15000};
// Counts the connections given up: a wait or a watch started under an older count is over.
quint64 g_interrupcoes = 0;
const QString kVigia = QStringLiteral("Espera::Vigiar");
} // namespace

bool Encerrando()
{
    return g_encerrando;
}

void Encerrar()
{
    g_encerrando = true;
}

void Reiniciar()
{
    g_encerrando = false;
}

void Aguardar(const std::function<bool()>& pronto)
{
    while (!g_encerrando && !pronto())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

std::chrono::milliseconds Limite()
{
    return g_limite;
}

void SetLimite(std::chrono::milliseconds limite)
{
    g_limite = limite;
}

Resposta AguardarResposta(const std::function<bool()>& pronto)
{
    // The timer only wakes the sleeping loop; the flag is what ends it.
    bool esgotado = false;
    QTimer relogio;
    relogio.setSingleShot(true);
    QObject::connect(&relogio, &QTimer::timeout, [&] { esgotado = true; });
    relogio.start(g_limite);
    const quint64 interrupcoes = g_interrupcoes;
    Aguardar([&] { return esgotado || interrupcoes != g_interrupcoes || pronto(); });
    if (pronto())
        return Resposta::Chegou;
    return g_encerrando || interrupcoes != g_interrupcoes ? Resposta::Interrompida
                                                          : Resposta::Esgotada;
}

void Interromper()
{
    ++g_interrupcoes;
}

void Vigiar(QObject* dono, std::function<bool()> respondido, std::function<void()> aoEsgotar)
{
    delete dono->findChild<QTimer*>(kVigia, Qt::FindDirectChildrenOnly);
    auto* relogio = new QTimer(dono);
    relogio->setObjectName(kVigia);
    relogio->setSingleShot(true);
    QObject::connect(relogio, &QTimer::timeout, dono,
                     [relogio, interrupcoes = g_interrupcoes, respondido = std::move(respondido),
                      aoEsgotar = std::move(aoEsgotar)] {
                         relogio->deleteLater();
                         if (!g_encerrando && interrupcoes == g_interrupcoes && !respondido())
                             aoEsgotar();
                     });
    relogio->start(g_limite);
}

} // namespace Espera
