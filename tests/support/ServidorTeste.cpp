#include "ServidorTeste.h"

#include "Versao.h"

#include <QDir>

ServidorTeste::ServidorTeste(Lobby::FabricaSala fabrica) : m_fabrica(std::move(fabrica))
{
    Iniciar();
}

ServidorTeste::~ServidorTeste() = default;

Configuracao ServidorTeste::ConfiguracaoDeTeste(const QString& pastaDados)
{
    Configuracao c;
    c.porta = 0;
    c.endereco = QHostAddress::LocalHost;
    c.pastaDados = pastaDados;
    c.versaoCliente = QString::fromLatin1(kVersaoQuarpel);
    c.atrasoRoboMs = 0;
    c.semente = 1;
    c.custoSenha = HashSenha::Custo::Minimo;
    return c;
}

bool ServidorTeste::Iniciar()
{
    if (!m_pasta.isValid())
        return false;
    auto servidor = std::make_unique<ServidorQuarpel>(ConfiguracaoDeTeste(PastaDados()), m_fabrica);
    QString erro;
    if (!servidor->Iniciar(&erro)) {
        qWarning("ServidorTeste: %s", qPrintable(erro));
        return false;
    }
    m_servidor = std::move(servidor);
    return true;
}

quint16 ServidorTeste::Porta() const
{
    return m_servidor ? m_servidor->Porta() : 0;
}

QString ServidorTeste::PastaDados() const
{
    return QDir(m_pasta.path()).filePath(QStringLiteral("dados"));
}

QString ServidorTeste::ArquivoBanco() const
{
    return QDir(PastaDados()).filePath(BancoContas::NomeArquivo());
}

void ServidorTeste::Parar()
{
    m_servidor.reset();
}

bool ServidorTeste::Reiniciar()
{
    Parar();
    return Iniciar();
}
