#include "ClienteTeste.h"

#include "EsperarAte.h"

#include "CUnPacker.h"
#include "ErroProtocolo.h"
#include "FuncoesComuns.h"
#include "Versao.h"

#include <QHostAddress>

std::unique_ptr<ClienteTeste> ClienteTeste::NoSaguao(quint16 porta, const QString& login)
{
    auto c = std::make_unique<ClienteTeste>();
    const bool ok = c->Conectar(porta) && c->CriarConta(login, "senha1") &&
                    c->Logar(login, "senha1") == login && c->Esperar("imLoc") &&
                    c->Esperar("slInf") && c->Esperar("hlInf");
    return ok ? std::move(c) : nullptr;
}

std::vector<std::unique_ptr<ClienteTeste>> ClienteTeste::NaSala(quint16 porta,
                                                                const QStringList& logins,
                                                                const QString& nome,
                                                                const QString& senha)
{
    std::vector<std::unique_ptr<ClienteTeste>> sala;
    QList<ClienteTeste*> todos;
    for (const QString& login : logins) {
        sala.push_back(NoSaguao(porta, login));
        if (!sala.back() || (todos.isEmpty() ? sala.back()->CriarSala(nome, senha) != "OK"
                                             : !sala.back()->EntrarNaSala(nome, senha)))
            return {};
        todos << sala.back().get();
    }
    return Acertar(todos) ? std::move(sala) : decltype(sala){};
}

bool ClienteTeste::Acertar(const QList<ClienteTeste*>& clientes)
{
    for (ClienteTeste* c : clientes) {
        if (c->Conectado() && !c->Sincronizar())
            return false;
        c->Descartar();
    }
    return true;
}

bool ClienteTeste::Conectar(quint16 porta)
{
    connect(&m_socket, &QTcpSocket::readyRead, this, &ClienteTeste::Ler, Qt::UniqueConnection);
    m_socket.connectToHost(QHostAddress::LocalHost, porta);
    return EsperarAte([this] { return Conectado(); });
}

bool ClienteTeste::EsperarDesconexao()
{
    return EsperarAte([this] { return m_socket.state() == QAbstractSocket::UnconnectedState; });
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

std::optional<MensagemTeste> ClienteTeste::Esperar(QByteArrayView comando, int ms)
{
    qsizetype i = 0;
    const auto achou = [&] {
        for (i = 0; i < m_recebidas.size(); ++i)
            if (!m_tomadas[i] && (comando.isEmpty() || m_recebidas[i].comando == comando))
                return true;
        return false;
    };
    if (!EsperarAte([&] { return m_fluxoInvalido || achou(); }, ms) || m_fluxoInvalido)
        return std::nullopt;
    m_tomadas[i] = true;
    return m_recebidas[i];
}

bool ClienteTeste::Sincronizar()
{
    Enviar("obVer");
    return Esperar("utVer").has_value();
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

bool ClienteTeste::CriarConta(const QString& login, const QString& senha)
{
    EnviarTextos("nvAcc", {"Jogador de Teste", login, senha, "teste@quarpel.org"});
    const std::optional<MensagemTeste> resposta = Esperar();
    return resposta && resposta->comando == "okAcc";
}

QString ClienteTeste::Setar(const char* nome)
{
    const std::optional<MensagemTeste> m = Esperar("Setar");
    if (!m || m->Texto(1) != QLatin1String(nome))
        return "_<sem resposta>";
    return m->Texto(2);
}

QString ClienteTeste::Logar(const QString& login, const QString& senha, const QString& versao)
{
    EnviarTextos("Login", {login, senha, versao.isNull() ? QString(kVersaoQuarpel) : versao});
    return Setar("Login");
}

QString ClienteTeste::CriarSala(const QString& nome, const QString& senha)
{
    EnviarTextos("nvSal", {nome, senha});
    return Setar("CriandoSala");
}

bool ClienteTeste::EntrarNaSala(const QString& nome, const QString& senha)
{
    EnviarTextos("Entra", {nome, senha});
    return Esperar("okEnt").has_value();
}
