#include "Processo.h"

#include <QFile>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

Processo::~Processo()
{
    Terminar();
}

bool Processo::Iniciar(const QString& programa, const QStringList& argumentos,
                       const QString& arquivoLog)
{
    std::vector<QByteArray> args{programa.toLocal8Bit(), "--porta", "0"};
    for (const QString& a : argumentos)
        args.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const QByteArray log = arquivoLog.toLocal8Bit();
    // The port line must be this run's, not one left in the file by the last.
    QFile::remove(arquivoLog);
    const pid_t pid = fork();
    if (pid == 0) {
        const int fd = ::open(log.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(fd, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    if (pid < 0)
        return false;
    m_pid = pid;
    m_nosso = true;
    const QRegularExpression porta(QStringLiteral("porta (\\d+)"));
    for (int i = 0; i < 1000; ++i) {
        QFile f(arquivoLog);
        if (f.open(QIODevice::ReadOnly)) {
            const auto m = porta.match(QString::fromUtf8(f.read(4096)));
            if (m.hasMatch()) {
                m_porta = quint16(m.captured(1).toUInt());
                return true;
            }
        }
        QThread::msleep(10);
    }
    return false;
}

void Processo::Terminar()
{
    if (!m_nosso || m_pid <= 0)
        return;
    ::kill(m_pid, SIGTERM);
    for (int i = 0; i < 500; ++i) {
        if (waitpid(m_pid, nullptr, WNOHANG) == m_pid) {
            m_pid = -1;
            return;
        }
        QThread::msleep(10);
    }
    ::kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}

namespace {
// A "VmXXX:" field of /proc/PID/status, in MB.
double CampoStatusMb(int pid, QByteArrayView campo)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& linha : f.readAll().split('\n'))
        if (linha.startsWith(campo))
            return linha.mid(campo.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}
} // namespace

double Processo::RssMb() const
{
    return CampoStatusMb(m_pid, "VmRSS:");
}

double Processo::PicoRssMb() const
{
    return CampoStatusMb(m_pid, "VmHWM:");
}

double Processo::CpuS() const
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(m_pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray s = f.readAll();
    // Fields after the command's closing parenthesis; utime and stime are the 12th and 13th.
    const QList<QByteArray> campos = s.mid(s.lastIndexOf(')') + 2).split(' ');
    return (campos.value(11).toDouble() + campos.value(12).toDouble()) /
           double(sysconf(_SC_CLK_TCK));
}

double Processo::CpuLacoMs() const
{
    QFile f(QStringLiteral("/proc/%1/schedstat").arg(m_pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    return f.readAll().split(' ').value(0).toDouble() / 1e6;
}

double Percentil(std::vector<double> a, double p)
{
    if (a.empty())
        return 0;
    std::sort(a.begin(), a.end());
    const size_t i = size_t(std::ceil(p / 100.0 * double(a.size()))) - (p > 0 ? 1 : 0);
    return a[std::min(i, a.size() - 1)];
}
