#include "Alarme.h"

#include <QElapsedTimer>
#include <QTimer>

// The thread's alarms, by when they go off, and the one QTimer set for the earliest.
class Despertador
{
public:
    static Despertador& DaThread()
    {
        thread_local Despertador d;
        return d;
    }

    void Armar(Alarme* a, int ms)
    {
        Tirar(a);
        const qint64 prazo = m_relogio.elapsed() + std::max(ms, 0);
        a->m_posicao = m_alarmes.emplace(Alarme::Chave{prazo, m_serie++}, a).first;
        a->m_ativo = true;
        if (a->m_posicao == m_alarmes.begin() && !m_tocando)
            Acertar();
    }

    void Tirar(Alarme* a)
    {
        if (!a->m_ativo)
            return;
        m_alarmes.erase(a->m_posicao);
        a->m_ativo = false;
        // The QTimer may now fire early for nothing; it then sets itself for the next one.
    }

private:
    Despertador()
    {
        m_relogio.start();
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Tocar(); });
    }

    void Acertar()
    {
        if (m_alarmes.empty()) {
            m_timer.stop();
            return;
        }
        const qint64 falta = m_alarmes.begin()->first.first - m_relogio.elapsed();
        m_timer.start(int(std::clamp<qint64>(falta, 0, 24 * 3600 * 1000)));
    }

    void Tocar()
    {
        const qint64 agora = m_relogio.elapsed();
        // Only those set before this pass: an alarm armed for "now" by one that goes off waits
        // for the next pass, so a chain of bot moves does not hold the event loop.
        const quint64 limite = m_serie;
        m_tocando = true;
        while (!m_alarmes.empty()) {
            const auto it = m_alarmes.begin();
            // Armed meanwhile for "now": everything due before it has gone off (the map is
            // ordered by time, then by arming order).
            if (it->first.first > agora || it->first.second >= limite)
                break;
            Disparar(it);
        }
        m_tocando = false;
        Acertar();
    }

    void Disparar(std::map<Alarme::Chave, Alarme*>::iterator it)
    {
        Alarme* a = it->second;
        m_alarmes.erase(it);
        a->m_ativo = false;
        // May arm, stop or destroy any alarm, this one included.
        a->m_aoTocar();
    }

    QElapsedTimer m_relogio;
    QTimer m_timer;
    std::map<Alarme::Chave, Alarme*> m_alarmes;
    quint64 m_serie = 0;
    bool m_tocando = false;
};

void Alarme::Armar(int ms)
{
    Despertador::DaThread().Armar(this, ms);
}

void Alarme::Parar()
{
    if (m_ativo)
        Despertador::DaThread().Tirar(this);
}
