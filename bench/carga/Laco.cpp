#include "Laco.h"

#include "Conexao.h"

#include <sys/epoll.h>
#include <time.h>
#include <unistd.h>

qint64 AgoraUs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1'000'000 + t.tv_nsec / 1000;
}

Laco::Laco() : m_epoll(epoll_create1(EPOLL_CLOEXEC)) {}

Laco::~Laco()
{
    ::close(m_epoll);
}

namespace {
uint32_t Interesse(const Conexao* c)
{
    return (c->lerNada ? 0u : uint32_t(EPOLLIN)) | (c->QuerGravar() ? uint32_t(EPOLLOUT) : 0u);
}
} // namespace

void Laco::Adicionar(Conexao* c)
{
    epoll_event e{};
    e.events = Interesse(c) | EPOLLOUT;
    e.data.ptr = c;
    epoll_ctl(m_epoll, EPOLL_CTL_ADD, c->Fd(), &e);
}

void Laco::Remover(Conexao* c)
{
    if (c->Fd() >= 0)
        epoll_ctl(m_epoll, EPOLL_CTL_DEL, c->Fd(), nullptr);
}

void Laco::Atualizar(Conexao* c)
{
    if (c->Fd() < 0)
        return;
    epoll_event e{};
    e.events = Interesse(c);
    e.data.ptr = c;
    epoll_ctl(m_epoll, EPOLL_CTL_MOD, c->Fd(), &e);
}

void Laco::Rodar(const std::function<bool()>& tique, int intervaloMs)
{
    std::vector<epoll_event> eventos(1024);
    qint64 proximo = 0;
    for (;;) {
        const qint64 agora = AgoraUs();
        if (agora >= proximo) {
            if (tique())
                return;
            proximo = agora + qint64(intervaloMs) * 1000;
        }
        const int n = epoll_wait(m_epoll, eventos.data(), int(eventos.size()), intervaloMs);
        for (int i = 0; i < n; ++i) {
            auto* c = static_cast<Conexao*>(eventos[i].data.ptr);
            const bool grava = c->QuerGravar();
            if (eventos[i].events & EPOLLOUT)
                c->Gravavel();
            if (eventos[i].events & (EPOLLIN | EPOLLHUP | EPOLLERR))
                c->Legivel();
            if (c->Fd() >= 0 && (grava != c->QuerGravar() || (eventos[i].events & EPOLLOUT)))
                Atualizar(c);
        }
    }
}
