#pragma once

#include <QAbstractEventDispatcher>
#include <QHash>
#include <deque>
#include <memory>
#include <vector>

class QSocketNotifier;
class QTimer;

// The server's event dispatcher. Qt's own one polls every socket notifier on every pass of the
// event loop (poll() over all of them), so with 10,000 connections each pass costs in proportion to
// all of them, whatever little happened. This one keeps the sockets in an epoll set and shows Qt's
// loop only the epoll descriptor: a pass costs in proportion to the sockets that are ready. Timers,
// posted events and wake-ups stay with Qt's dispatcher, which this one wraps.
class LacoEpoll : public QAbstractEventDispatcher
{
    Q_OBJECT
public:
    explicit LacoEpoll(QObject* parent = nullptr);
    ~LacoEpoll() override;

    // Whether the peer of this socket is known to have closed it: it is about to be read as
    // closed, and whatever is sent to it meanwhile only makes the kernel answer with a reset.
    static bool PeerFechou(qintptr fd);

    bool processEvents(QEventLoop::ProcessEventsFlags flags) override;
    void registerSocketNotifier(QSocketNotifier* notifier) override;
    void unregisterSocketNotifier(QSocketNotifier* notifier) override;
    void registerTimer(int timerId, qint64 interval, Qt::TimerType timerType,
                       QObject* object) override;
    bool unregisterTimer(int timerId) override;
    bool unregisterTimers(QObject* object) override;
    QList<TimerInfo> registeredTimers(QObject* object) const override;
    int remainingTime(int timerId) override;
    void wakeUp() override;
    void interrupt() override;

private:
    // The notifiers of one descriptor, by type (read, write, exception), and a number that
    // changes whenever one goes, so that a ready list taken before does not wake a newcomer.
    struct Descritor
    {
        QSocketNotifier* notificadores[3] = {};
        quint64 serie = 0;
        quint64 passagem = 0; // the last pass that saw it ready
        bool adiado = false;  // its peer closed; out of epoll, in m_adiados
    };
    struct Pronto
    {
        int fd;
        uint32_t eventos;
        quint64 serie;
    };
    void Atualizar(int fd, Descritor& d, bool novo);
    void Despachar();
    void DespacharFins();
    void Notificar(const std::vector<Pronto>& lista);

    std::unique_ptr<QAbstractEventDispatcher> m_qt;
    int m_epoll = -1;
    QSocketNotifier* m_pronto = nullptr;
    QTimer* m_fins = nullptr;
    std::deque<Pronto> m_adiados;
    QHash<int, Descritor> m_descritores;
    std::vector<bool> m_peerFechou; // by descriptor
    quint64 m_serie = 0;
    quint64 m_passagem = 0;
};
