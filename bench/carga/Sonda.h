#pragma once

#include <QtGlobal>
#include <atomic>
#include <thread>

// The probe: a connection of its own, on a thread of its own, that asks "obVer" every 100 ms and
// keeps the worst wait for "utVer" (a frozen server shows there). On its own thread, so that the
// load program's own work (closing 10,000 sockets takes it a while) is not counted as the
// server's.
class Sonda
{
public:
    explicit Sonda(quint16 porta);
    ~Sonda();
    Sonda(const Sonda&) = delete;
    Sonda& operator=(const Sonda&) = delete;

    // The worst wait since the last call, in ms; a wait still going counts as far as it got.
    double Pior();

private:
    void Rodar();
    void Anotar(qint64 esperaUs);

    quint16 m_porta;
    std::atomic<bool> m_parar{false};
    std::atomic<qint64> m_piorUs{0};
    std::atomic<qint64> m_envioUs{0}; // 0 when no question is waiting
    std::thread m_linha;
};
