#include "Conexao.h"

#include "CUnPacker.h"
#include "ErroProtocolo.h"
#include "FuncoesComuns.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

Conexao::~Conexao()
{
    Fechar();
}

bool Conexao::Conectar(quint16 porta)
{
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_fd < 0)
        return false;
    const int um = 1;
    ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &um, sizeof um);
    if (bufferRecepcao > 0)
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &bufferRecepcao, sizeof bufferRecepcao);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(porta);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a) < 0 && errno != EINPROGRESS) {
        Fechar();
        return false;
    }
    return true;
}

void Conexao::Fechar()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void Conexao::Enviar(QByteArrayView comando, const QList<QByteArray>& argumentos)
{
    if (m_fd < 0)
        return;
    m_saida += MontarMensagem(comando, argumentos);
    Gravavel();
}

void Conexao::Gravavel()
{
    while (m_fd >= 0 && m_inicio < m_saida.size()) {
        const ssize_t n = ::send(m_fd, m_saida.constData() + m_inicio,
                                 size_t(m_saida.size() - m_inicio), MSG_NOSIGNAL);
        if (n <= 0) {
            if (n < 0 && (errno == EAGAIN || errno == EINPROGRESS || errno == ENOTCONN))
                return;
            Fechar();
            return;
        }
        m_inicio += n;
    }
    m_saida.clear();
    m_inicio = 0;
}

void Conexao::Legivel()
{
    char buf[64 * 1024];
    for (;;) {
        if (m_fd < 0)
            return;
        const ssize_t n = ::recv(m_fd, buf, sizeof buf, 0);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
            Fechar();
            return;
        }
        if (n < 0)
            return;
        recebidos += n;
        m_cortador.Acrescentar(QByteArray(buf, n));
        try {
            while (auto m = m_cortador.Proxima()) {
                CUnPacker u;
                u.SetPacote(*m);
                QList<QByteArray> argumentos;
                for (int i = 1; i <= u.Argumentos(); ++i)
                    argumentos << u.Argumento(quint8(i));
                m_aoReceber(*this, u.Comando(), argumentos);
                if (m_fd < 0)
                    return;
            }
        } catch (const ErroProtocolo&) {
            Fechar();
            return;
        }
        if (n < ssize_t(sizeof buf))
            return;
    }
}
