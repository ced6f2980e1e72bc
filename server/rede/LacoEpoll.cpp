#include "LacoEpoll.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QtCore/private/qeventdispatcher_unix_p.h>
#include <cerrno>
#include <sys/epoll.h>
#include <unistd.h>

namespace {

// What wakes each type of notifier. A hang-up wakes the writer too: epoll reports it whether asked
// or not, and a socket whose reader is paused would otherwise be reported on every pass for nobody.
constexpr uint32_t kAcorda[3] = {EPOLLIN | EPOLLHUP | EPOLLERR | EPOLLRDHUP,
                                 EPOLLOUT | EPOLLHUP | EPOLLERR, EPOLLPRI};
constexpr uint32_t kPede[3] = {EPOLLIN | EPOLLRDHUP, EPOLLOUT, EPOLLPRI};
// The peer has closed, or the connection failed.
constexpr uint32_t kFim = EPOLLRDHUP | EPOLLHUP | EPOLLERR;
constexpr int kLote = 512;
// Reading the ready list stops here; the rest is reported on the next pass.
constexpr int kMaxLotes = 64;
// About five milliseconds of closing sockets per pass.
constexpr int kFinsPorPassagem = 128;

LacoEpoll* g_laco = nullptr;

} // namespace

bool LacoEpoll::PeerFechou(qintptr fd)
{
    return g_laco && fd >= 0 && size_t(fd) < g_laco->m_peerFechou.size() &&
           g_laco->m_peerFechou[size_t(fd)];
}

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
    if (g_laco == this)
        g_laco = nullptr;
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
        m_fins = new QTimer(this);
        m_fins->setSingleShot(true);
        m_fins->setInterval(0);
        connect(m_fins, &QTimer::timeout, this, &LacoEpoll::DespacharFins);
    }
    const bool novo = !m_descritores.contains(fd);
    if (novo && size_t(fd) < m_peerFechou.size())
        m_peerFechou[size_t(fd)] = false;
    Descritor& d = m_descritores[fd];
    if (novo)
        d.serie = ++m_serie;
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
    // Waiting in line to be dispatched; put back in epoll when its turn comes.
    if (d.adiado)
        return;
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
    // Level-triggered: a socket not dispatched now would be reported again on every pass. So the
    // whole ready list is read, and the sockets whose peer has closed are taken out of epoll and
    // wait in line: when thousands leave at once, whoever stays is served in this pass, and the
    // departures are handled a slice per pass.
    ++m_passagem;
    std::vector<Pronto> vivos;
    epoll_event prontos[kLote];
    for (int lote = 0; lote < kMaxLotes; ++lote) {
        const int n = epoll_wait(m_epoll, prontos, kLote, 0);
        bool deuVolta = false;
        for (int i = 0; i < n; ++i) {
            const int fd = prontos[i].data.fd;
            const auto it = m_descritores.find(fd);
            if (it == m_descritores.end())
                continue;
            // Reported again: the list has been read round.
            if (it->passagem == m_passagem) {
                deuVolta = true;
                continue;
            }
            it->passagem = m_passagem;
            const Pronto pronto{fd, prontos[i].events, it->serie};
            if (!(pronto.eventos & kFim)) {
                vivos.push_back(pronto);
                continue;
            }
            if (size_t(fd) >= m_peerFechou.size())
                m_peerFechou.resize(size_t(fd) + 1);
            m_peerFechou[size_t(fd)] = true;
            it->adiado = true;
            epoll_ctl(m_epoll, EPOLL_CTL_DEL, fd, nullptr);
            m_adiados.push_back(pronto);
        }
        if (n < kLote || deuVolta)
            break;
    }
    Notificar(vivos);
    if (!m_adiados.empty() && !m_fins->isActive())
        m_fins->start();
}

void LacoEpoll::DespacharFins()
{
    std::vector<Pronto> vez;
    while (!m_adiados.empty() && int(vez.size()) < kFinsPorPassagem) {
        const Pronto p = m_adiados.front();
        m_adiados.pop_front();
        // A descriptor closed meanwhile is gone, or new under the same number and not waiting.
        // One that is still waiting keeps its turn even if a notifier came or went meanwhile.
        const auto it = m_descritores.find(p.fd);
        if (it == m_descritores.end() || !it->adiado)
            continue;
        // Back in epoll: if this pass does not close it, it is reported again.
        it->adiado = false;
        Atualizar(p.fd, *it, true);
        vez.push_back({p.fd, p.eventos, it->serie});
    }
    Notificar(vez);
    if (!m_adiados.empty())
        m_fins->start();
}

void LacoEpoll::Notificar(const std::vector<Pronto>& lista)
{
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
