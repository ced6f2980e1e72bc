#include "OrcamentoRobos.h"

#include <algorithm>

OrcamentoRobos::OrcamentoRobos(double parcela, int reservaMs)
    : m_parcela(std::clamp(parcela, 0.0, 1.0)),
      m_maximoNs(m_parcela > 0 ? qint64(reservaMs) * 1'000'000 : 0), m_reservaNs(m_maximoNs)
{
    m_relogio.start();
}

bool OrcamentoRobos::Profundo()
{
    const qint64 agora = m_relogio.nsecsElapsed();
    m_reservaNs =
        std::min(m_maximoNs, m_reservaNs + qint64(double(agora - m_ultimoNs) * m_parcela));
    m_ultimoNs = agora;
    if (m_reservaNs > 0)
        return true;
    // Told at most once a minute, so that whoever runs the server can give the bots more.
    if (m_parcela > 0 && (m_avisoNs < 0 || agora - m_avisoNs >= 60'000'000'000)) {
        m_avisoNs = agora;
        qInfo("Os robôs gastaram a sua parte da CPU (--cpu-robos) e jogam pela regra prática");
    }
    return false;
}

void OrcamentoRobos::Gastar(qint64 ns)
{
    // A decision that ran over leaves a debt: the next deep one waits until it is paid.
    m_reservaNs -= std::max<qint64>(ns, 0);
}
