#include "ClienteTeste.h"

#include "EsperarAte.h"

#include "CUnPacker.h"
#include "ErroProtocolo.h"
#include "FuncoesComuns.h"
#include "Versao.h"

#include <QHostAddress>
#include <QTest>

ClienteTeste::ClienteTeste(QObject* parent) : QObject(parent)
{
    connect(&m_socket, &QTcpSocket::readyRead, this, &ClienteTeste::Ler);
}

bool ClienteTeste::Conectar(quint16 porta, int ms)
{
    m_socket.connectToHost(QHostAddress::LocalHost, porta);
    return EsperarAte([this] { return Conectado(); }, ms);
}

void ClienteTeste::Desconectar()
{
    m_socket.disconnectFromHost();
}

bool ClienteTeste::EsperarDesconexao(int ms)
{
    return EsperarAte([this] { return m_socket.state() == QAbstractSocket::UnconnectedState; }, ms);
}

void ClienteTeste::Enviar(QByteArrayView comando, const QList<QByteArray>& argumentos)
{
    EnviarBytes(MontarMensagem(comando, argumentos));
}

void ClienteTeste::EnviarTextos(QByteArrayView comando, const QStringList& argumentos)
{
    QList<QByteArray> bytes;
    for (const QString& a : argumentos)
        bytes << Texto::ParaBytes(a);
    Enviar(comando, bytes);
}

void ClienteTeste::EnviarBytes(const QByteArray& bytes)
{
    m_socket.write(bytes);
    m_socket.flush();
}

void ClienteTeste::Ler()
{
    m_cortador.Acrescentar(m_socket.readAll());
    try {
        while (const std::optional<QByteArray> bruta = m_cortador.Proxima()) {
            CUnPacker leitor;
            leitor.SetPacote(*bruta);
            MensagemTeste m{leitor.Comando(), {}};
            for (int i = 1; i <= leitor.Argumentos(); ++i)
                m.argumentos << leitor.Argumento(quint8(i));
            m_recebidas << m;
            m_tomadas << false;
        }
    } catch (const ErroProtocolo& e) {
        // A server that breaks the format fails every later wait of the test.
        qWarning("ClienteTeste: fluxo inválido do servidor: %s", e.what());
        m_fluxoInvalido = true;
        m_cortador.Limpar();
    }
}

std::optional<MensagemTeste> ClienteTeste::Tomar(QByteArrayView comando)
{
    for (qsizetype i = 0; i < m_recebidas.size(); ++i) {
        if (!m_tomadas[i] && (comando.isEmpty() || m_recebidas[i].comando == comando)) {
            m_tomadas[i] = true;
            return m_recebidas[i];
        }
    }
    return std::nullopt;
}

std::optional<MensagemTeste> ClienteTeste::Esperar(QByteArrayView comando, int ms)
{
    std::optional<MensagemTeste> achada;
    const bool terminou =
        EsperarAte([&] { return m_fluxoInvalido || (achada = Tomar(comando)).has_value(); }, ms);
    if (!terminou || m_fluxoInvalido)
        return std::nullopt;
    return achada;
}

std::optional<MensagemTeste> ClienteTeste::Proxima(int ms)
{
    return Esperar({}, ms);
}

bool ClienteTeste::Sincronizar(int ms)
{
    Enviar("obVer");
    return Esperar("utVer", ms).has_value();
}

QList<MensagemTeste> ClienteTeste::NaoLidas(QByteArrayView comando) const
{
    QList<MensagemTeste> lista;
    for (qsizetype i = 0; i < m_recebidas.size(); ++i)
        if (!m_tomadas[i] && (comando.isEmpty() || m_recebidas[i].comando == comando))
            lista << m_recebidas[i];
    return lista;
}

QList<QByteArray> ClienteTeste::ComandosNaoLidos() const
{
    QList<QByteArray> lista;
    for (const MensagemTeste& m : NaoLidas())
        lista << m.comando;
    return lista;
}

void ClienteTeste::Descartar()
{
    m_tomadas.fill(true);
}

bool ClienteTeste::CriarConta(const QString& login, const QString& senha, const QString& nome,
                              const QString& email)
{
    EnviarTextos("nvAcc", {nome, login, senha, email});
    QList<MensagemTeste> resposta;
    const bool respondeu = EsperarAte(
        [&] {
            resposta = NaoLidas("okAcc") + NaoLidas("erCNC");
            return !resposta.isEmpty();
        },
        kEspera);
    if (!respondeu)
        return false;
    return Tomar(resposta.first().comando)->comando == "okAcc";
}

QString ClienteTeste::Logar(const QString& login, const QString& senha, const QString& versao)
{
    EnviarTextos("Login",
                 {login, senha, versao.isNull() ? QString::fromLatin1(kVersaoQuarpel) : versao});
    const std::optional<MensagemTeste> m = Esperar("Setar");
    if (!m || m->Texto(1) != QLatin1String("Login"))
        return QStringLiteral("_<sem resposta>");
    return m->Texto(2);
}

bool ClienteTeste::LogarNoSaguao(const QString& login, const QString& senha)
{
    if (Logar(login, senha).startsWith(u'_'))
        return false;
    return Esperar("imLoc") && Esperar("slInf") && Esperar("hlInf");
}

QString ClienteTeste::CriarSala(const QString& nome, const QString& senha)
{
    EnviarTextos("nvSal", {nome, senha});
    const std::optional<MensagemTeste> m = Esperar("Setar");
    if (!m || m->Texto(1) != QLatin1String("CriandoSala"))
        return QStringLiteral("_<sem resposta>");
    return m->Texto(2);
}
