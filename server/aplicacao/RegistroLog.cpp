#include "RegistroLog.h"

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <ctime>

namespace {

// "2026-12-06T21:40:07.123": local time, as QDateTime's ISO form. Asking Qt for the local time
// re-reads the time zone file on every call, which cost more than the rest of a line when
// thousands of sessions end at once; the seconds part is kept per thread and rebuilt once a
// second.
void Carimbo(QByteArray& saida)
{
    thread_local time_t segundo = -1;
    thread_local char texto[32];
    timespec agora{};
    clock_gettime(CLOCK_REALTIME, &agora);
    if (agora.tv_sec != segundo) {
        tm local{};
        localtime_r(&agora.tv_sec, &local);
        strftime(texto, sizeof texto, "%Y-%m-%dT%H:%M:%S", &local);
        segundo = agora.tv_sec;
    }
    char ms[8];
    std::snprintf(ms, sizeof ms, ".%03d", int(agora.tv_nsec / 1'000'000));
    saida.append(texto).append(ms);
}

void Escrever(QtMsgType tipo, const QMessageLogContext&, const QString& texto)
{
    const char* nivel = "";
    switch (tipo) {
    case QtWarningMsg:
        nivel = " aviso:";
        break;
    case QtCriticalMsg:
    case QtFatalMsg:
        nivel = " erro:";
        break;
    default:
        break;
    }
    QByteArray saida;
    saida.reserve(64 + texto.size() * 3);
    Carimbo(saida);
    saida.append(nivel).append(' ').append(texto.toUtf8());
    // A line break inside a message would let a peer's text fake a log line.
    saida.replace('\n', ' ').replace('\r', ' ');
    saida.append('\n');
    std::fwrite(saida.constData(), 1, size_t(saida.size()), stderr);
    std::fflush(stderr);
}

} // namespace

namespace RegistroLog {
void Instalar()
{
    qInstallMessageHandler(Escrever);
}
} // namespace RegistroLog
