#include "LacoEpoll.h"
#include "OpcoesLinhaComando.h"
#include "RegistroLog.h"
#include "ServidorQuarpel.h"
#include "SinaisEncerramento.h"
#include "Versao.h"

#include <QCoreApplication>
#include <cstdio>
#include <sys/resource.h>

int main(int argc, char* argv[])
{
    // Qt's GLib event loop keeps its socket notifiers in a list and walks it on every change, so
    // each write costs time in proportion to all open connections; Qt's own loop does not.
    // QT_NO_GLIB set to empty keeps GLib, for comparison.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    // Qt's own loop still polls every socket on every pass; the epoll one only the ready ones.
    // QUARPEL_LACO_QT=1 keeps Qt's, for comparison.
    if (!qEnvironmentVariableIsSet("QUARPEL_LACO_QT"))
        QCoreApplication::setEventDispatcher(new LacoEpoll);
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quarpel-server"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVersaoQuarpel));

    const OpcoesLinhaComando::Resultado opcoes =
        OpcoesLinhaComando::Analisar(QCoreApplication::arguments());
    switch (opcoes.acao) {
    case OpcoesLinhaComando::Acao::Ajuda:
    case OpcoesLinhaComando::Acao::Versao:
        std::fputs(qPrintable(opcoes.texto + u'\n'), stdout);
        return 0;
    case OpcoesLinhaComando::Acao::Erro:
        std::fputs(qPrintable(opcoes.texto + u'\n'), stderr);
        return 2;
    case OpcoesLinhaComando::Acao::Executar:
        break;
    }

    // Each connection is a descriptor, and the usual soft limit of 1,024 is far below what the
    // server can hold; the hard limit is what the system allows this process.
    rlimit limite{};
    if (getrlimit(RLIMIT_NOFILE, &limite) == 0 && limite.rlim_cur < limite.rlim_max) {
        limite.rlim_cur = limite.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limite);
    }

    RegistroLog::Instalar();
    SinaisEncerramento sinais;
    QObject::connect(&sinais, &SinaisEncerramento::encerrar, &app, [](int sinal) {
        qInfo("Sinal %d recebido; encerrando", sinal);
        QCoreApplication::quit();
    });

    ServidorQuarpel servidor(opcoes.configuracao);
    QString erro;
    if (!servidor.Iniciar(&erro)) {
        qCritical("Não foi possível iniciar: %s", qPrintable(erro));
        return 1;
    }
    return app.exec();
}
