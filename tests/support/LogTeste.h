#pragma once

#include <QMutex>
#include <QStringList>

// Keeps every line the process logs from Instalar on (warnings apart too), still passing them on.
namespace LogTeste {

inline QMutex g_mutex;
inline QStringList g_linhas, g_avisos;
inline QtMessageHandler g_anterior = nullptr;

inline void Guardar(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto)
{
    {
        QMutexLocker trava(&g_mutex);
        g_linhas << texto;
        if (tipo == QtWarningMsg)
            g_avisos << texto;
    }
    g_anterior(tipo, contexto, texto);
}

inline void Instalar()
{
    g_anterior = qInstallMessageHandler(Guardar);
}

inline QStringList Linhas(bool soAvisos = false)
{
    QMutexLocker trava(&g_mutex);
    return soAvisos ? g_avisos : g_linhas;
}

} // namespace LogTeste
