#include "Bancada.h"

#include "CaixaFigura.h"
#include "TelaJogo.h"

#include <QAbstractEventDispatcher>
#include <QTimer>

ServidorRoteirizado::ServidorRoteirizado()
{
    connect(&m_servidor, &QTcpServer::newConnection, this, [this] {
        // The client's newest connection replaces the one before, which it has given up.
        while (QTcpSocket* s = m_servidor.nextPendingConnection()) {
            if (m_conexao)
                m_conexao->deleteLater();
            m_conexao = s;
            ++m_conexoes;
            connect(s, &QTcpSocket::readyRead, this, [this, s] { m_recebido += s->readAll(); });
        }
    });
    m_servidor.listen(QHostAddress(QHostAddress::LocalHost), 0);
}

void ServidorRoteirizado::Enviar(const QByteArray& bytes)
{
    if (!m_conexao)
        return;
    m_conexao->write(bytes);
    m_conexao->flush();
}

CaixasGravadas::CaixasGravadas()
{
    Caixas::SetInterceptador([this](const Caixas::Caixa& c) {
        lista.append(c);
        if (aoMostrar)
            aoMostrar(c);
        return resposta;
    });
}

std::unique_ptr<frmCliente> ClienteDeTeste(ServidorRoteirizado& servidor,
                                           const QStringList& argumentos)
{
    Espera::Reiniciar();
    auto cliente = std::make_unique<frmCliente>(argumentos, servidor.Porta());
    cliente->Form_Load();
    if (Espera::Encerrando() || !servidor.AguardarConexao() || !servidor.AguardarBytes(10))
        return nullptr;
    servidor.LimparRecebido();
    return cliente;
}

bool Bancada::Receber(const QByteArray& bytes)
{
    static int n = 0;
    const QByteArray marca = QByteArray::number(++n);
    servidor.Enviar(bytes + Msg("Setar", {"Marca", marca}));
    return QTest::qWaitFor([&] {
        try {
            return Espera::Encerrando() || cliente->Variaveis("Marca") == marca;
        } catch (const std::exception&) {
            return false;
        }
    });
}

QByteArray Bancada::Enviado()
{
    cliente->txFalar->setText("fim");
    cliente->btEnviar->click();
    const QByteArray fim = Msg("slBla", {"fim"});
    if (!QTest::qWaitFor([&] { return servidor.Recebido().endsWith(fim); }))
        return "(o fim não chegou)";
    const QByteArray r = servidor.Recebido().chopped(fim.size());
    servidor.LimparRecebido();
    return r;
}

bool Bancada::ClicarEResponder(QAbstractButton* botao, qsizetype n, const QByteArray& variavel,
                               const QByteArray& valor, const std::function<void()>& durante)
{
    bool respondeu = false;
    QTimer limite; // closes the window if the answer never goes out
    limite.setSingleShot(true);
    QObject::connect(&limite, &QTimer::timeout, cliente.get(), [this] { cliente->Form_Unload(); });
    limite.start(20000);
    // Looks for the request from inside the click's waits (a connection first, perhaps) without
    // a wait of its own, which would hold theirs.
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, cliente.get(), [&] {
        if (servidor.Recebido().size() < n)
            return;
        vigia.stop();
        if (durante)
            durante();
        auto ligacao = std::make_shared<QMetaObject::Connection>();
        *ligacao = QObject::connect(QAbstractEventDispatcher::instance(),
                                    &QAbstractEventDispatcher::aboutToBlock, &limite, [&, ligacao] {
                                        QObject::disconnect(*ligacao);
                                        servidor.Enviar(Msg("Setar", {variavel, valor}));
                                        respondeu = true;
                                    });
    });
    vigia.start(1);
    botao->click();
    return respondeu && !Espera::Encerrando();
}

void MostrarMao(TelaJogo& mesa, qint32 vira, const std::array<qint32, 3>& mao)
{
    mesa.EsquecerCartas();
    mesa.Cartas[13].Codigo = vira;
    for (int i = 1; i <= 3; ++i)
        mesa.Cartas[i].Codigo = mao[i - 1];
    for (int i = 1; i <= 14; ++i) {
        mesa.pbJgCarta[i]->SetPosicao(mesa.Cartas[i].Left, mesa.Cartas[i].Top);
        mesa.pbJgCarta[i]->show();
        mesa.pbJgCarta_Paint(i);
    }
}
