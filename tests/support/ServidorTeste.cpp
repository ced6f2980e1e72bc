#include "ServidorTeste.h"

#include "Versao.h"

#include <QDir>

bool ServidorTeste::Reiniciar()
{
    m_servidor.reset();
    if (!m_pasta.isValid())
        return false;
    Configuracao c;
    c.porta = 0;
    c.endereco = QHostAddress::LocalHost;
    c.pastaDados = QDir(m_pasta.path()).filePath("dados");
    c.versaoCliente = kVersaoQuarpel;
    c.atrasoRoboMs = 0;
    c.semente = 1;
    // Every bot decision deep however slow the build, so that a seed gives one game.
    c.cpuRobosPercentual = 100;
    c.custoSenha = HashSenha::Custo::Minimo;
    // The flow tests flood the chat on purpose.
    c.rajadaChat = 0;
    if (m_ajuste)
        m_ajuste(c);
    auto servidor = std::make_unique<ServidorQuarpel>(c);
    QString erro;
    if (!servidor->Iniciar(&erro)) {
        qWarning("ServidorTeste: %s", qPrintable(erro));
        return false;
    }
    m_servidor = std::move(servidor);
    return true;
}
