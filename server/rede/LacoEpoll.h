#pragma once

#include <QAbstractEventDispatcher>
#include <QHash>
#include <memory>
#include <vector>

class QSocketNotifier;

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
    };
    void Atualizar(int fd, Descritor& d, bool novo);
    void Despachar();

    std::unique_ptr<QAbstractEventDispatcher> m_qt;
    int m_epoll = -1;
    QSocketNotifier* m_pronto = nullptr;
    QHash<int, Descritor> m_descritores;
    quint64 m_serie = 0;
};
