#include "LacoEpoll.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QtCore/private/qeventdispatcher_unix_p.h>
#include <cerrno>
#include <sys/epoll.h>
#include <unistd.h>

namespace {

// What wakes each type of notifier. A hang-up wakes the writer too: epoll reports it whether asked
// or not, and a socket whose reader is paused would otherwise be reported on every pass for nobody.
constexpr uint32_t kAcorda[3] = {EPOLLIN | EPOLLHUP | EPOLLERR | EPOLLRDHUP,
                                 EPOLLOUT | EPOLLHUP | EPOLLERR, EPOLLPRI};
constexpr uint32_t kPede[3] = {EPOLLIN, EPOLLOUT, EPOLLPRI};

} // namespace

LacoEpoll::LacoEpoll(QObject* parent)
    : QAbstractEventDispatcher(parent), m_qt(std::make_unique<QEventDispatcherUNIX>()),
      m_epoll(epoll_create1(EPOLL_CLOEXEC))
{
    if (m_epoll < 0)
        qFatal("epoll_create1: %s", strerror(errno));
    connect(m_qt.get(), &QAbstractEventDispatcher::aboutToBlock, this,
            &QAbstractEventDispatcher::aboutToBlock);
    connect(m_qt.get(), &QAbstractEventDispatcher::awake, this, &QAbstractEventDispatcher::awake);
}

LacoEpoll::~LacoEpoll()
{
    delete m_pronto;
    ::close(m_epoll);
}

bool LacoEpoll::processEvents(QEventLoop::ProcessEventsFlags flags)
{
    return m_qt->processEvents(flags);
}

void LacoEpoll::registerSocketNotifier(QSocketNotifier* notifier)
{
    const int fd = int(notifier->socket());
    if (fd == m_epoll) {
        m_qt->registerSocketNotifier(notifier);
        return;
    }
    if (!m_pronto) {
        // Registers itself with Qt's dispatcher through the line above.
        m_pronto = new QSocketNotifier(m_epoll, QSocketNotifier::Read, this);
        connect(m_pronto, &QSocketNotifier::activated, this, &LacoEpoll::Despachar);
    }
    const bool novo = !m_descritores.contains(fd);
    Descritor& d = m_descritores[fd];
    d.notificadores[int(notifier->type())] = notifier;
    Atualizar(fd, d, novo);
}

void LacoEpoll::unregisterSocketNotifier(QSocketNotifier* notifier)
{
    const int fd = int(notifier->socket());
    if (fd == m_epoll) {
        m_qt->unregisterSocketNotifier(notifier);
        return;
    }
    const auto it = m_descritores.find(fd);
    if (it == m_descritores.end())
        return;
    QSocketNotifier*& n = it->notificadores[int(notifier->type())];
    if (n != notifier)
        return;
    n = nullptr;
    it->serie = ++m_serie;
    if (!it->notificadores[0] && !it->notificadores[1] && !it->notificadores[2]) {
        // Fails harmlessly when the descriptor was already closed (epoll forgot it then).
        epoll_ctl(m_epoll, EPOLL_CTL_DEL, fd, nullptr);
        m_descritores.erase(it);
    } else {
        Atualizar(fd, *it, false);
    }
}

void LacoEpoll::Atualizar(int fd, Descritor& d, bool novo)
{
    epoll_event ev{};
    for (int t = 0; t < 3; ++t)
        if (d.notificadores[t])
            ev.events |= kPede[t];
    ev.data.fd = fd;
    // A descriptor closed and reopened under the same number is new to epoll, whatever we knew.
    if (epoll_ctl(m_epoll, novo ? EPOLL_CTL_ADD : EPOLL_CTL_MOD, fd, &ev) == 0)
        return;
    if (epoll_ctl(m_epoll, novo ? EPOLL_CTL_MOD : EPOLL_CTL_ADD, fd, &ev) != 0)
        qWarning("epoll_ctl(%d): %s", fd, strerror(errno));
}

void LacoEpoll::Despachar()
{
    // Level-triggered: what is not taken now is reported again on the next pass.
    epoll_event prontos[512];
    const int n = epoll_wait(m_epoll, prontos, 512, 0);
    struct Pronto
    {
        int fd;
        uint32_t eventos;
        quint64 serie;
    };
    std::vector<Pronto> lista;
    lista.reserve(size_t(std::max(n, 0)));
    for (int i = 0; i < n; ++i) {
        const auto it = m_descritores.constFind(prontos[i].data.fd);
        if (it != m_descritores.cend())
            lista.push_back({prontos[i].data.fd, prontos[i].events, it->serie});
    }
    for (const Pronto& p : lista) {
        for (int t = 0; t < 3; ++t) {
            if (!(p.eventos & kAcorda[t]))
                continue;
            // An earlier notifier of this list may have removed this one, or closed its socket.
            const auto it = m_descritores.constFind(p.fd);
            if (it == m_descritores.cend() || it->serie != p.serie || !it->notificadores[t])
                break;
            QEvent ev(QEvent::SockAct);
            QCoreApplication::sendEvent(it->notificadores[t], &ev);
        }
    }
}

void LacoEpoll::registerTimer(int timerId, qint64 interval, Qt::TimerType timerType,
                              QObject* object)
{
    m_qt->registerTimer(timerId, interval, timerType, object);
}

bool LacoEpoll::unregisterTimer(int timerId)
{
    return m_qt->unregisterTimer(timerId);
}

bool LacoEpoll::unregisterTimers(QObject* object)
{
    return m_qt->unregisterTimers(object);
}

QList<QAbstractEventDispatcher::TimerInfo> LacoEpoll::registeredTimers(QObject* object) const
{
    return m_qt->registeredTimers(object);
}

int LacoEpoll::remainingTime(int timerId)
{
    return m_qt->remainingTime(timerId);
}

void LacoEpoll::wakeUp()
{
    m_qt->wakeUp();
}

void LacoEpoll::interrupt()
{
    m_qt->interrupt();
}
