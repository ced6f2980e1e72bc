#include "RegistroLog.h"

#include <QDateTime>
#include <QString>
#include <cstdio>

namespace {

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
    // A line break inside a message would let a peer's text fake a log line.
    QString linha = texto;
    linha.replace(u'\n', u' ').replace(u'\r', u' ');
    const QByteArray saida = (QDateTime::currentDateTime().toString(Qt::ISODateWithMs) +
                              QLatin1String(nivel) + u' ' + linha + u'\n')
                                 .toUtf8();
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
