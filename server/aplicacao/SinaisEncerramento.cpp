#include "SinaisEncerramento.h"

#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_par[2] = {-1, -1};

void AoSinal(int sinal)
{
    const int erroAntes = errno;
    const unsigned char byte = static_cast<unsigned char>(sinal);
    [[maybe_unused]] const ssize_t n = ::write(g_par[0], &byte, 1);
    errno = erroAntes;
}

} // namespace

SinaisEncerramento::SinaisEncerramento(QObject* parent) : QObject(parent)
{
    if (g_par[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_par) != 0)
        return;
    ::fcntl(g_par[0], F_SETFL, O_NONBLOCK);
    m_notificador = new QSocketNotifier(g_par[1], QSocketNotifier::Read, this);
    connect(m_notificador, &QSocketNotifier::activated, this, &SinaisEncerramento::Ler);

    struct sigaction acao = {};
    acao.sa_handler = AoSinal;
    sigemptyset(&acao.sa_mask);
    acao.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &acao, nullptr);
    ::sigaction(SIGTERM, &acao, nullptr);
}

SinaisEncerramento::~SinaisEncerramento()
{
    if (!m_notificador)
        return;
    ::signal(SIGINT, SIG_DFL);
    ::signal(SIGTERM, SIG_DFL);
    delete m_notificador;
    ::close(g_par[0]);
    ::close(g_par[1]);
    g_par[0] = g_par[1] = -1;
}

void SinaisEncerramento::Ler()
{
    unsigned char byte = 0;
    if (::read(g_par[1], &byte, 1) == 1)
        emit encerrar(byte);
}
