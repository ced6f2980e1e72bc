#include "Espera.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace Espera {
namespace {
bool g_encerrando = false;
std::chrono::milliseconds g_limite{15000};
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

bool AguardarResposta(const std::function<bool()>& pronto)
{
    // The timer only wakes the sleeping loop; the flag is what ends it.
    bool esgotado = false;
    QTimer relogio;
    relogio.setSingleShot(true);
    QObject::connect(&relogio, &QTimer::timeout, [&] { esgotado = true; });
    relogio.start(g_limite);
    Aguardar([&] { return esgotado || pronto(); });
    return g_encerrando || pronto();
}

void Vigiar(QObject* dono, std::function<bool()> respondido, std::function<void()> aoEsgotar)
{
    delete dono->findChild<QTimer*>(kVigia, Qt::FindDirectChildrenOnly);
    auto* relogio = new QTimer(dono);
    relogio->setObjectName(kVigia);
    relogio->setSingleShot(true);
    QObject::connect(
        relogio, &QTimer::timeout, dono,
        [relogio, respondido = std::move(respondido), aoEsgotar = std::move(aoEsgotar)] {
            relogio->deleteLater();
            if (!g_encerrando && !respondido())
                aoEsgotar();
        });
    relogio->start(g_limite);
}

} // namespace Espera
