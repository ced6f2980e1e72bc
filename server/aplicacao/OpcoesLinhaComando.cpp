#include "OpcoesLinhaComando.h"

#include "ConexaoPostgres.h"
#include "Versao.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStandardPaths>

namespace {

bool LerInteiro(const QString& texto, qint64 minimo, qint64 maximo, qint64* valor)
{
    bool ok = false;
    const qint64 v = texto.toLongLong(&ok);
    if (!ok || v < minimo || v > maximo)
        return false;
    *valor = v;
    return true;
}

} // namespace

OpcoesLinhaComando::Resultado OpcoesLinhaComando::Analisar(const QStringList& argumentos)
{
    Resultado r;
    Configuracao& c = r.configuracao;
    c.versaoCliente = QString::fromLatin1(kVersaoQuarpel);
    const QString pastaPadrao =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
        QStringLiteral("/quarpel-server");

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Servidor de jogo do Quarpel (Truco)."));
    const QCommandLineOption ajuda = p.addHelpOption();
    const QCommandLineOption versao = p.addVersionOption();
    const QCommandLineOption porta(QStringLiteral("porta"),
                                   QStringLiteral("Porta TCP em que escutar (padrão 33500)."),
                                   QStringLiteral("porta"), QStringLiteral("33500"));
    const QCommandLineOption endereco(
        QStringLiteral("endereco"),
        QStringLiteral("Endereço em que escutar (padrão 0.0.0.0, todos)."),
        QStringLiteral("endereço"), QStringLiteral("0.0.0.0"));
    const QCommandLineOption dados(
        QStringLiteral("dados"),
        QStringLiteral("Pasta do banco de contas (padrão %1).").arg(pastaPadrao),
        QStringLiteral("pasta"), pastaPadrao);
    const QCommandLineOption banco(
        QStringLiteral("banco"),
        QStringLiteral("Contas num banco PostgreSQL (postgresql://usuário@máquina:porta/banco), "
                       "compartilhado por todos os processos que o usam; sem ela, SQLite na "
                       "pasta de dados."),
        QStringLiteral("uri"));
    const QCommandLineOption validade(
        QStringLiteral("validade-presenca"),
        QStringLiteral("Com --banco: segundos em que os logins de um processo que parou de "
                       "responder continuam ocupados (padrão 30)."),
        QStringLiteral("s"), QStringLiteral("30"));
    const QCommandLineOption anunciar(
        QStringLiteral("anunciar"),
        QStringLiteral("Com --banco: endereço em que os outros processos alcançam este para "
                       "levar jogadores às suas salas (padrão: o endereço em que escuta)."),
        QStringLiteral("máquina:porta"));
    const QCommandLineOption versaoCliente(
        QStringLiteral("versao-cliente"),
        QStringLiteral("Versão do cliente exigida no login (padrão %1).").arg(c.versaoCliente),
        QStringLiteral("X.Y.Z.W"), c.versaoCliente);
    const QCommandLineOption atraso(
        QStringLiteral("atraso-robo"),
        QStringLiteral("Pausa antes de cada jogada de um robô, em ms (padrão 800)."),
        QStringLiteral("ms"), QStringLiteral("800"));
    const QCommandLineOption tempo(
        QStringLiteral("tempo-jogada"),
        QStringLiteral("Tempo para uma pessoa jogar antes que um robô jogue por ela, em s "
                       "(padrão 60)."),
        QStringLiteral("s"), QStringLiteral("60"));
    const QCommandLineOption cpuRobos(
        QStringLiteral("cpu-robos"),
        QStringLiteral("Parte de um núcleo que os robôs podem gastar pensando a fundo, em % "
                       "(padrão 5; além dela jogam pela regra prática)."),
        QStringLiteral("%"), QStringLiteral("5"));
    const QCommandLineOption semente(
        QStringLiteral("semente"), QStringLiteral("Semente do embaralhamento (padrão: sorteada)."),
        QStringLiteral("n"));
    const QCommandLineOption conexoes(
        QStringLiteral("max-conexoes"),
        QStringLiteral("Conexões abertas ao mesmo tempo (padrão: quantas o limite de descritores "
                       "de arquivo permite)."),
        QStringLiteral("n"));
    const QCommandLineOption semNarracao(
        QStringLiteral("sem-narracao"),
        QStringLiteral("Não narrar as partidas no bate-papo das salas."));
    QCommandLineOption senhaRapida(
        QStringLiteral("hash-minimo"),
        QStringLiteral("Só para testes: hash de senha com o custo mínimo do argon2id."));
    senhaRapida.setFlags(QCommandLineOption::HiddenFromHelp);
    p.addOptions({porta, endereco, dados, banco, validade, anunciar, versaoCliente, atraso, tempo,
                  cpuRobos, semente, conexoes, semNarracao, senhaRapida});

    const auto erro = [&r](const QString& texto) {
        r.acao = Acao::Erro;
        r.texto = texto;
        return r;
    };
    if (!p.parse(argumentos))
        return erro(p.errorText());
    // Qt's help option also takes "--help-all", which it lists.
    if (p.isSet(ajuda) || p.isSet(QStringLiteral("help-all"))) {
        r.acao = Acao::Ajuda;
        r.texto = p.helpText();
        return r;
    }
    if (p.isSet(versao)) {
        r.acao = Acao::Versao;
        r.texto = QStringLiteral("quarpel-server %1").arg(QString::fromLatin1(kVersaoQuarpel));
        return r;
    }
    if (!p.positionalArguments().isEmpty())
        return erro(QStringLiteral("Argumento inesperado: %1").arg(p.positionalArguments()[0]));

    qint64 v = 0;
    if (!LerInteiro(p.value(porta), 0, 65535, &v))
        return erro(QStringLiteral("Porta inválida: %1").arg(p.value(porta)));
    c.porta = quint16(v);
    if (!c.endereco.setAddress(p.value(endereco)))
        return erro(QStringLiteral("Endereço inválido: %1").arg(p.value(endereco)));
    c.pastaDados = p.value(dados);
    if (c.pastaDados.isEmpty())
        return erro(QStringLiteral("A pasta de dados não pode ser vazia"));
    if (p.isSet(banco)) {
        c.banco = p.value(banco);
        if (const std::optional<QString> problema = ConexaoPostgres::ProblemaUri(c.banco))
            return erro(*problema);
    }
    // Renewed every third of it: under 3 s the renewals would come too close.
    if (!LerInteiro(p.value(validade), 3, 3600, &v))
        return erro(QStringLiteral("Validade de presença inválida: %1").arg(p.value(validade)));
    c.validadePresencaS = int(v);
    if (p.isSet(anunciar)) {
        c.anunciar = p.value(anunciar);
        const qsizetype doisPontos = c.anunciar.lastIndexOf(u':');
        if (doisPontos <= 0 || !LerInteiro(c.anunciar.mid(doisPontos + 1), 1, 65535, &v))
            return erro(
                QStringLiteral("Endereço a anunciar inválido (máquina:porta): %1").arg(c.anunciar));
    }
    c.versaoCliente = p.value(versaoCliente);
    if (!LerInteiro(p.value(atraso), 0, 60'000, &v))
        return erro(QStringLiteral("Atraso de robô inválido: %1").arg(p.value(atraso)));
    c.atrasoRoboMs = int(v);
    if (!LerInteiro(p.value(tempo), 1, 3600, &v))
        return erro(QStringLiteral("Tempo de jogada inválido: %1").arg(p.value(tempo)));
    c.tempoJogadaS = int(v);
    if (!LerInteiro(p.value(cpuRobos), 0, 100, &v))
        return erro(QStringLiteral("Parte de CPU dos robôs inválida: %1").arg(p.value(cpuRobos)));
    c.cpuRobosPercentual = int(v);
    if (p.isSet(semente)) {
        bool ok = false;
        const quint64 s = p.value(semente).toULongLong(&ok);
        if (!ok)
            return erro(QStringLiteral("Semente inválida: %1").arg(p.value(semente)));
        c.semente = s;
    }
    if (p.isSet(conexoes)) {
        if (!LerInteiro(p.value(conexoes), 1, 10'000'000, &v))
            return erro(QStringLiteral("Número de conexões inválido: %1").arg(p.value(conexoes)));
        c.maxConexoes = int(v);
    }
    c.narracao = !p.isSet(semNarracao);
    if (p.isSet(senhaRapida))
        c.custoSenha = HashSenha::Custo::Minimo;
    return r;
}
