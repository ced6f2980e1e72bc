#include "Despachante.h"

#include "BancoContas.h"
#include "Lobby.h"
#include "RemetenteMesa.h"
#include "Sessao.h"
#include "Texto.h"
#include "Validacao.h"

#include <QHostAddress>
#include <QThreadStorage>
#include <QTimer>
#include <algorithm>
#include <memory>

namespace {

const QString kLoginInvalido = QStringLiteral("Login ou senha inválidos");
const QString kIndisponivel =
    QStringLiteral("Servidor de contas indisponível; tente de novo em instantes.");

// The accounts as a worker thread sees them: its own connection to the same database, so that
// neither a lookup nor a commit (and its fsync) holds up the event loop. SQLite in WAL mode takes
// one writer at a time and waits for the other (the busy timeout). Null while it cannot be
// opened; tried again on the next job.
// QThreadStorage, not thread_local: it closes the connection before the thread counts as
// finished, so a pool that waited for its threads has nothing left running when the process
// exits (a thread_local closed it after, racing the exit's teardown of Qt's connection list).
struct BancoDeThread
{
    std::unique_ptr<BancoContas> banco;
    OrigemContas deQuem;
};
QThreadStorage<BancoDeThread*> g_bancos;

BancoContas* BancoDaThread(const OrigemContas& origem)
{
    if (!g_bancos.hasLocalData())
        g_bancos.setLocalData(new BancoDeThread);
    BancoDeThread& b = *g_bancos.localData();
    if (!b.banco || !(b.deQuem == origem)) {
        QString erro;
        b.banco = origem.Abrir(&erro);
        b.deQuem = origem;
        if (!b.banco)
            qWarning("Banco de contas numa thread de trabalho: %s", qPrintable(erro));
    }
    return b.banco.get();
}

void ResponderLogin(Sessao& s, const QString& valor)
{
    s.Enviar("Setar", {QByteArrayLiteral("Login"), Texto::ParaBytes(valor)});
}

void RecusarConta(Sessao& s, const QString& motivo)
{
    s.Enviar("erCNC", {Texto::ParaBytes(motivo)});
}

} // namespace

Despachante::Despachante(const Configuracao& configuracao, Lobby& lobby, QObject* parent)
    : QObject(parent), m_configuracao(configuracao), m_lobby(lobby),
      m_hash(configuracao.custoSenha),
      m_hashFicticio(m_hash.Gerar(QByteArrayLiteral("ninguem-tem-esta")).value_or(QByteArray())),
      // Each hash takes tens of megabytes; two at a time keeps a burst of logins from exhausting
      // memory while the event loop stays free.
      m_presenca(configuracao.Contas().NovaPresenca(configuracao.validadePresencaS)),
      m_gravador(configuracao.Contas()), m_fila(2)
{
    m_relogio.start();
    m_presenca->AoPerder(this, [this](const QString& chave) {
        if (Sessao* s = m_logadas.value(chave))
            s->Derrubar(QStringLiteral("o login entrou em outro processo enquanto este não "
                                       "alcançava o banco de contas"));
    });
}

Despachante::~Despachante()
{
    m_fila.Aguardar();
}

void Despachante::Falhou(const QString& chave)
{
    // Forget old offenders now and then, so the table does not grow without end.
    if (m_falhas.size() > 100'000)
        m_falhas.clear();
    Falhas& f = m_falhas[chave];
    ++f.vezes;
    // Three mistakes are free; then 0.25 s, doubling up to 10 s.
    if (f.vezes >= 3)
        f.ate = m_relogio.elapsed() + std::min<qint64>(250LL << std::min(f.vezes - 3, 6), 10'000);
}

qint64 Despachante::Castigo(const QString& chave) const
{
    const auto it = m_falhas.constFind(chave);
    return it == m_falhas.cend() ? 0 : std::max<qint64>(0, it->ate - m_relogio.elapsed());
}

void Despachante::Registrar(Sessao* sessao)
{
    m_sessoes.insert(sessao->Id(), sessao);
}

void Despachante::Remover(Sessao* sessao)
{
    if (!m_sessoes.remove(sessao->Id()))
        return;
    if (!sessao->Logada())
        return;
    const QString chave = Validacao::ChaveLogin(sessao->Login());
    if (m_logadas.value(chave) == sessao) {
        m_logadas.remove(chave);
        m_presenca->Liberar(chave);
    }
    m_lobby.Partir(sessao);
}

void Despachante::AdicionarComando(const QByteArray& comando, Comando tratador)
{
    m_comandos.insert(comando, std::move(tratador));
}

template <typename R>
void Despachante::EmSegundoPlano(Sessao& s, const QString& chave, std::function<R()> trabalho,
                                 std::function<void(Sessao*, const R&)> fim,
                                 std::function<bool()> dispensar)
{
    s.SetOcupada(true);
    const quint64 id = s.Id();
    auto resultado = std::make_shared<R>();
    m_fila.Pedir(
        s.Endereco() + u'\n' + chave, [resultado, trabalho] { *resultado = trabalho(); },
        [this, id, resultado, fim] {
            Sessao* sessao = m_sessoes.value(id);
            fim(sessao, *resultado);
            if (sessao)
                sessao->SetOcupada(false);
        },
        std::move(dispensar));
}

void Despachante::Tratar(Sessao& s, const MensagemRecebida& m)
{
    // Lobby chat lines in a row go out together, before whatever comes of another command.
    if (m.comando != "slBla")
        m_lobby.EnviarConversas();
    if (m.comando == "obVer")
        PedirVersao(s);
    else if (s.Logada())
        TratarLogada(s, m);
    else if (m.comando == "nvAcc")
        NovaConta(s, m);
    else if (m.comando == "Login")
        Entrar(s, m);
    else if (m.comando == "rlEnt")
        Retransmitido(s, m);
    m_lobby.EnviarPendentes();
}

void Despachante::TratarLogada(Sessao& s, const MensagemRecebida& m)
{
    const QByteArray& c = m.comando;
    const qsizetype n = m.argumentos.size();
    if (c == "slBla" && n >= 1) {
        // Lines beyond the rate are dropped, a flood would reach everyone in the lobby; the
        // sender is told, or he would think he was heard.
        if (s.PodeConversar(m_relogio.elapsed(), m_configuracao.rajadaChat)) {
            m_lobby.Conversar(&s, m.Argumento(1));
        } else {
            m_lobby.EnviarConversas();
            s.Enviar("slMsg", {QByteArray(kRemetenteMesa),
                               Texto::ParaBytes(QStringLiteral(
                                   "Calma: espere um instante para falar de novo."))});
        }
    } else if (c == "Login")
        ResponderLogin(s, QStringLiteral("_Você já está conectado"));
    else if (c == "nvSal" && n >= 2)
        m_lobby.CriarSala(&s, m.Argumento(1), m.Argumento(2));
    else if (c == "nvSal" && n < 2)
        s.Enviar("Setar", {QByteArrayLiteral("CriandoSala"),
                           Texto::ParaBytes(QStringLiteral("_Dados da sala incompletos"))});
    else if (c == "Entra" && n >= 2)
        m_lobby.EntrarSala(&s, m.Argumento(1), m.Argumento(2));
    else if (c == "Entra" && n < 2)
        s.Enviar("erEnt", {Texto::ParaBytes(QStringLiteral("Dados da sala incompletos"))});
    else if (c == "Troca" && n >= 2)
        m_lobby.TrocarAssentos(&s, m.Argumento(1), m.Argumento(2));
    else if (c == "slSai" && s.Retransmitida()) {
        // Back to the lobby of his own process, which takes him when this connection closes.
        m_lobby.Partir(&s);
        s.Fechar();
    } else if (c == "slSai")
        m_lobby.SairSala(&s);
    else if (c == "nvImg" && n >= 1)
        NovaImagem(s, m);
    else if (c == "nvSen" && n >= 1)
        NovaSenha(s, m);
    else if (const auto it = m_comandos.constFind(c); it != m_comandos.cend())
        (*it)(s, m);
}

void Despachante::Retransmitido(Sessao& s, const MensagemRecebida& m)
{
    if (m.argumentos.size() < 4)
        return s.Derrubar(QStringLiteral("pedido de retransmissão incompleto"));
    const QString processo = Texto::DeBytes(m.Argumento(1));
    const QString login = Texto::DeBytes(m.Argumento(2));
    const QByteArray nome = m.Argumento(3);
    const QByteArray senha = m.Argumento(4);
    const OrigemContas origem = m_configuracao.Contas();
    // Taken on the word of the process only if it does hold his login.
    EmSegundoPlano<std::optional<Conta>>(
        s, Validacao::ChaveLogin(login),
        [origem, login, processo]() -> std::optional<Conta> {
            BancoContas* banco = BancoDaThread(origem);
            if (!banco || !banco->Presente(Validacao::ChaveLogin(login), processo))
                return std::nullopt;
            return banco->Buscar(login, nullptr);
        },
        [this, nome, senha](Sessao* s, const std::optional<Conta>& conta) {
            if (!s)
                return;
            if (!conta)
                return s->Derrubar(QStringLiteral("retransmissão de um login que o processo "
                                                  "não tem"));
            s->Logar(conta->id, conta->login, conta->foto);
            s->SetRetransmitida(true);
            qInfo("%s chegou retransmitido (%s)", qPrintable(conta->login),
                  qPrintable(s->Descricao()));
            m_lobby.Chegar(s);
            m_lobby.EntrarSala(s, nome, senha);
            // Refused: the answer goes back, and he with it.
            if (!m_lobby.SalaDe(s))
                s->Fechar();
            m_lobby.EnviarPendentes();
        });
}

void Despachante::PedirVersao(Sessao& s)
{
    s.Enviar("utVer", {Texto::ParaBytes(m_configuracao.versaoCliente)});
}

void Despachante::NovaConta(Sessao& s, const MensagemRecebida& m)
{
    if (m.argumentos.size() < 4)
        return RecusarConta(s, QStringLiteral("Preencha todos os campos"));
    Conta conta;
    conta.nome = Texto::DeBytes(m.Argumento(1));
    conta.login = Texto::DeBytes(m.Argumento(2));
    const QByteArray senha = m.Argumento(3);
    conta.email = Texto::DeBytes(m.Argumento(4));

    std::optional<QString> motivo = Validacao::Login(conta.login);
    if (!motivo)
        motivo = Validacao::Nome(conta.nome);
    if (!motivo)
        motivo = Validacao::Senha(Texto::DeBytes(senha));
    if (!motivo)
        motivo = Validacao::Email(conta.email);
    if (motivo) {
        qInfo("Cadastro recusado (%s): %s", qPrintable(s.Descricao()), qPrintable(*motivo));
        return RecusarConta(s, *motivo);
    }

    // Looked up and hashed on a worker (a taken login costs no hash), then written by the group
    // writer; "okAcc" only once the commit that holds the account returned. The session takes no
    // input meanwhile.
    const HashSenha hash = m_hash;
    struct Cadastro
    {
        std::optional<BancoContas::Criacao> recusa;
        std::optional<QByteArray> hash;
    };
    auto gerado = std::make_shared<Cadastro>();
    s.SetOcupada(true);
    const auto fim = [this, id = s.Id(), login = conta.login](BancoContas::Criacao r) {
        Sessao* s = m_sessoes.value(id);
        if (!s)
            return;
        if (r == BancoContas::Criacao::Criada) {
            qInfo("Conta criada: %s", qPrintable(login));
            s->Enviar("okAcc", {});
        } else if (r == BancoContas::Criacao::LoginEmUso) {
            RecusarConta(*s, QStringLiteral("Este login já está em uso"));
        } else if (r == BancoContas::Criacao::Indisponivel) {
            RecusarConta(*s, kIndisponivel);
        } else {
            RecusarConta(*s, QStringLiteral("Não foi possível criar a conta agora. "
                                            "Tente de novo mais tarde"));
        }
        s->SetOcupada(false);
    };
    m_fila.Pedir(
        s.Endereco() + u'\n' + QStringLiteral("cadastro"),
        [gerado, hash, senha, origem = m_configuracao.Contas(), login = conta.login] {
            BancoContas* banco = BancoDaThread(origem);
            bool falhou = !banco;
            if (banco && banco->Buscar(login, &falhou))
                gerado->recusa = BancoContas::Criacao::LoginEmUso;
            else if (falhou)
                gerado->recusa = BancoContas::Criacao::Indisponivel;
            else
                gerado->hash = hash.Gerar(senha);
        },
        [this, gerado, conta, fim]() mutable {
            if (gerado->recusa)
                return fim(*gerado->recusa);
            if (!gerado->hash)
                return fim(BancoContas::Criacao::Falha);
            conta.hashSenha = *gerado->hash;
            // Written even if he has gone meanwhile; he just is not told.
            m_gravador.Criar(conta, this, fim);
        });
}

void Despachante::Entrar(Sessao& s, const MensagemRecebida& m)
{
    if (m.argumentos.size() < 3)
        return ResponderLogin(s, u'_' + kLoginInvalido);
    const QString versao = Texto::DeBytes(m.Argumento(3));
    if (versao != m_configuracao.versaoCliente) {
        qInfo("Login recusado (%s): versão %s", qPrintable(s.Descricao()),
              qPrintable(versao.left(30)));
        return ResponderLogin(s,
                              QStringLiteral("_Esta versão do Quarpel não é aceita pelo servidor. "
                                             "Atualize para a versão %1")
                                  .arg(m_configuracao.versaoCliente));
    }
    const QString login = Texto::DeBytes(m.Argumento(1));
    const QByteArray senha = m.Argumento(2);
    const bool plausivel = !login.isEmpty() && login.size() <= Validacao::kLoginMax &&
                           !senha.isEmpty() && senha.size() <= Validacao::kSenhaMax;
    const QString chave = Validacao::ChaveLogin(login);
    const QString chaveFalhas = s.Endereco() + u'\n' + chave;
    if (const qint64 espera = Castigo(chaveFalhas)) {
        // Too many wrong passwords for this login from here: refused later, without a check.
        s.SetOcupada(true);
        QTimer::singleShot(espera, this, [this, id = s.Id()] {
            if (Sessao* sessao = m_sessoes.value(id)) {
                ResponderLogin(*sessao, u'_' + kLoginInvalido);
                sessao->SetOcupada(false);
            }
        });
        return;
    }

    // Looked up and checked on a worker; the session takes no input until the answer.
    auto v = std::make_shared<Verificacao>();
    s.SetOcupada(true);
    m_fila.Pedir(
        s.Endereco() + u'\n' + chave,
        [v, origem = m_configuracao.Contas(), login, senha, plausivel, ficticio = m_hashFicticio] {
            std::optional<Conta> conta;
            if (plausivel) {
                BancoContas* banco = BancoDaThread(origem);
                v->indisponivel = !banco;
                if (banco)
                    conta = banco->Buscar(login, &v->indisponivel);
                if (v->indisponivel)
                    return;
            }
            v->existe = conta.has_value();
            v->confere =
                HashSenha::Confere(v->existe ? conta->hashSenha : ficticio, senha) && v->existe;
            if (v->existe)
                v->conta = std::move(*conta);
        },
        [this, id = s.Id(), v, chaveFalhas] { Verificado(id, *v, chaveFalhas); },
        // Tries queued before this login and address earned a wait are refused unchecked.
        [this, chaveFalhas] { return Castigo(chaveFalhas) > 0; });
}

void Despachante::Verificado(quint64 id, const Verificacao& v, const QString& chaveFalhas)
{
    Sessao* s = m_sessoes.value(id);
    if (v.indisponivel) {
        if (s) {
            qWarning("Login recusado (%s): banco de contas indisponível",
                     qPrintable(s->Descricao()));
            ResponderLogin(*s, u'_' + kIndisponivel);
            s->SetOcupada(false);
        }
        return;
    }
    if (!v.confere)
        Falhou(chaveFalhas);
    else
        m_falhas.remove(chaveFalhas);
    if (!s)
        return;
    if (!v.confere) {
        qInfo("Login recusado (%s): %s", qPrintable(s->Descricao()),
              v.existe ? "senha errada" : "conta desconhecida");
        ResponderLogin(*s, u'_' + kLoginInvalido);
        return s->SetOcupada(false);
    }
    // Claimed in the whole service first; the session still takes no input.
    const QString chave = Validacao::ChaveLogin(v.conta.login);
    m_presenca->Reivindicar(
        chave, this, [this, id, chave, conta = v.conta](Presenca::Reivindicacao r) {
            Sessao* s = m_sessoes.value(id);
            if (!s) {
                // Gone meanwhile: let go of what was claimed for him, unless another of ours has
                // it.
                if (r == Presenca::Reivindicacao::Obtida && !m_logadas.contains(chave))
                    m_presenca->Liberar(chave);
                return;
            }
            Admitir(*s, conta, r);
            s->SetOcupada(false);
        });
}

void Despachante::Admitir(Sessao& s, const Conta& conta, Presenca::Reivindicacao r)
{
    const QString chave = Validacao::ChaveLogin(conta.login);
    if (r == Presenca::Reivindicacao::Falha) {
        qWarning("Login recusado para %s (%s): banco de contas indisponível",
                 qPrintable(conta.login), qPrintable(s.Descricao()));
        return ResponderLogin(s, u'_' + kIndisponivel);
    }
    if (r == Presenca::Reivindicacao::Ocupada || m_logadas.contains(chave)) {
        qInfo("Login recusado para %s (%s): já conectado%s", qPrintable(conta.login),
              qPrintable(s.Descricao()),
              r == Presenca::Reivindicacao::Ocupada ? " em outro processo" : "");
        return ResponderLogin(s, QStringLiteral("_Este login já está conectado"));
    }
    m_logadas.insert(chave, &s);
    s.Logar(conta.id, conta.login, conta.foto);
    qInfo("%s entrou (%s)", qPrintable(conta.login), qPrintable(s.Descricao()));
    ResponderLogin(s, conta.login);
    s.Enviar("imLoc", {conta.foto});
    m_lobby.Chegar(&s);
    m_lobby.EnviarPendentes();
}

void Despachante::NovaImagem(Sessao& s, const MensagemRecebida& m)
{
    const QByteArray foto = m.Argumento(1);
    if (foto.size() != Validacao::kTamanhoFoto)
        return;
    const qint64 idConta = s.IdConta();
    EmSegundoPlano<bool>(
        s, QStringLiteral("foto"),
        [origem = m_configuracao.Contas(), idConta, foto] {
            BancoContas* banco = BancoDaThread(origem);
            return banco && banco->TrocarFoto(idConta, foto);
        },
        [this, foto](Sessao* s, const bool& trocada) {
            if (!s || !trocada)
                return;
            s->SetFoto(foto);
            qInfo("%s trocou a foto", qPrintable(s->Login()));
            s->Enviar("imLoc", {foto});
            m_lobby.FotoTrocada(s);
            m_lobby.EnviarPendentes();
        });
}

void Despachante::NovaSenha(Sessao& s, const MensagemRecebida& m)
{
    const QByteArray senha = m.Argumento(1);
    if (Validacao::Senha(Texto::DeBytes(senha)))
        return;
    const HashSenha hash = m_hash;
    const qint64 idConta = s.IdConta();
    const QString login = s.Login();
    // Stored even when he has disconnected meanwhile: he expects the new password next time.
    EmSegundoPlano<bool>(
        s, QStringLiteral("senha"),
        [hash, senha, origem = m_configuracao.Contas(), idConta] {
            const std::optional<QByteArray> gerado = hash.Gerar(senha);
            BancoContas* banco = BancoDaThread(origem);
            return gerado && banco && banco->TrocarSenha(idConta, *gerado);
        },
        [idConta, login](Sessao*, const bool& trocada) {
            if (trocada)
                qInfo("%s trocou a senha", qPrintable(login));
            else
                qWarning("Não foi possível trocar a senha de %s", qPrintable(login));
        });
}
