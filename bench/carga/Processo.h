#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The server under load, seen from outside: started here on a free port (or attached to by pid),
// its RSS and CPU read from /proc.
class Processo
{
public:
    ~Processo();

    // Starts the server with --porta 0 and the extra arguments, its log going to arquivoLog, and
    // waits for the log line that names the port. False when it does not come within 10 s.
    bool Iniciar(const QString& programa, const QStringList& argumentos, const QString& arquivoLog);
    void Anexar(int pid, quint16 porta)
    {
        m_pid = pid;
        m_porta = porta;
    }
    void Terminar();

    int Pid() const { return m_pid; }
    quint16 Porta() const { return m_porta; }
    double RssMb() const;
    // The highest RSS since it started (VmHWM).
    double PicoRssMb() const;
    // User plus system CPU seconds so far.
    double CpuS() const;
    // CPU of the server's main thread (its event loop) so far, in milliseconds, to the
    // nanosecond: /proc's schedstat.
    double CpuLacoMs() const;

private:
    int m_pid = -1;
    quint16 m_porta = 0;
    bool m_nosso = false;
};

// The p-th percentile (0-100) of the samples, in the unit they were given; 0 for none.
double Percentil(std::vector<double> amostras, double p);
