#include "Aparencia.h"
#include "CaixasGravadas.h"
#include "ClienteDeTeste.h"
#include "Espera.h"
#include "Foto.h"
#include "FuncoesComuns.h"
#include "HistoricoChat.h"
#include "ListaSalas.h"
#include "TelaSalas.h"
#include "frmCliente.h"
#include "frmCriarSala.h"
#include "frmPerfil.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {
QByteArray msg(const char* comando, const QList<QByteArray>& argumentos = {})
{
    return MontarMensagem(comando, argumentos);
}

// One room of "slInf": name, players, password flag, hidden flag.
QList<QByteArray> sala(const QByteArray& nome, const QByteArray& jogadores, const QByteArray& senha,
                       const QByteArray& oculta)
{
    return {nome, jogadores, senha, oculta};
}

QByteArray salas(const QList<QList<QByteArray>>& lista)
{
    QList<QByteArray> args{QByteArray::number(lista.size())};
    for (const auto& s : lista)
        args += s;
    return msg("slInf", args);
}
} // namespace

// The lobby against a scripted server: the room list, the players on line, the chat, the own
// picture, entering a room and the chat line sent.
class TstSalas : public QObject
{
    Q_OBJECT

    ServidorRoteirizado* m_servidor = nullptr;
    std::unique_ptr<frmCliente> m_cliente;
    std::unique_ptr<CaixasGravadas> m_caixas;

    QTreeWidget* lista() { return m_cliente->frSalas->ltSlSalas; }

    // Sends the bytes and waits until the client has handled the last of them: a marker message
    // sent after them has reached the client's variable store.
    void receber(const QByteArray& bytes)
    {
        static int n = 0;
        const QByteArray marca = QByteArray::number(++n);
        m_servidor->Enviar(bytes + msg("Setar", {"Marca", marca}));
        QTRY_VERIFY_WITH_TIMEOUT(Espera::Encerrando() || marca == marcaAtual(), 10000);
    }
    QString marcaAtual()
    {
        try {
            return m_cliente->Variaveis("Marca");
        } catch (const std::exception&) {
            return {};
        }
    }

    QString historico() { return HistoricoChat::Da(m_cliente->txChat)->Texto(); }

    // What the client sent from now until the marker chat line "fim" it is made to send.
    QByteArray enviadoAteAqui()
    {
        m_cliente->txFalar->setText("fim");
        m_cliente->btEnviar->click();
        const QByteArray fim = msg("slBla", {"fim"});
        if (!m_servidor->AguardarBytes(fim.size()))
            return "(nada chegou)";
        if (!QTest::qWaitFor([&] { return m_servidor->Recebido().endsWith(fim); }, 10000))
            return "(o fim não chegou)";
        QByteArray r = m_servidor->Recebido();
        m_servidor->LimparRecebido();
        return r.chopped(fim.size());
    }

private slots:
    void init()
    {
        m_servidor = new ServidorRoteirizado(this);
        QVERIFY(m_servidor->Escutando());
        m_caixas = std::make_unique<CaixasGravadas>();
        m_cliente = ClienteDeTeste(*m_servidor);
        QVERIFY(m_cliente);
        m_cliente->show();
        m_cliente->MudarFrame(m_cliente->frSalas);
        Foto::FotoLocal() = QImage();
    }

    void cleanup()
    {
        m_cliente.reset();
        delete m_servidor;
        m_caixas.reset();
    }

    void listaDeSalasComOcultaESenhas()
    {
        receber(salas({sala("Velha", "1/4", "False", "0")}));
        lista()->setCurrentItem(lista()->topLevelItem(0));
        receber(
            salas({sala("Mesa 1", "2/4", "True", "0"), sala("Secreta", "4/4", "False", "1"),
                   sala("Mesa \xC9", " 3 / 4 ", "False", "0"), sala("Mesa 3", "0/4", "1", " 0 ")}));
        QCOMPARE(lista()->topLevelItemCount(), 3);
        // Row 0 is the header row.
        const QStringList cabecalho{ListaSalas::TextoDaCelula(lista(), 1, 0),
                                    ListaSalas::TextoDaCelula(lista(), 2, 0),
                                    ListaSalas::TextoDaCelula(lista(), 3, 0)};
        QCOMPARE(cabecalho, (QStringList{"Sala", "Jogadores", "Senha"}));
        const QStringList esperado[] = {
            {"Mesa 1", "2/4", "Sim"},
            {QStringLiteral("Mesa É"), " 3 / 4 ", QStringLiteral("Não")},
            {"Mesa 3", "0/4", "Sim"}};
        for (int r = 1; r <= 3; ++r)
            for (int c = 1; c <= 3; ++c)
                QCOMPARE(ListaSalas::TextoDaCelula(lista(), c, r), esperado[r - 1][c - 1]);
        QVERIFY(lista()->selectedItems().isEmpty());
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, ListaSalas::TextoDaCelula(lista(), 4, 1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, ListaSalas::TextoDaCelula(lista(), 1, 4));

        receber(salas({}));
        QCOMPARE(lista()->topLevelItemCount(), 0);
        QVERIFY(m_caixas->lista.isEmpty());
    }

    void colunasCabemNosTextosEChegamAoFimDaLista()
    {
        const QFontMetrics medida(Aparencia::FonteDaJanela(m_cliente.get()));
        // The sum of the widths; a column that does not fit its widest text plus 195 twips (13
        // pixels) of margin is written into erros.
        QStringList erros;
        auto conferir = [&](const QString& caso) -> int {
            int total = 0;
            for (int c = 1; c <= 3; ++c) {
                int maior = 0;
                for (int r = 0; r <= lista()->topLevelItemCount(); ++r)
                    maior = std::max(
                        maior, medida.horizontalAdvance(ListaSalas::TextoDaCelula(lista(), c, r)));
                const int largura = lista()->columnWidth(c - 1);
                if (c < 3 ? largura - maior != 13 : largura - maior < 12)
                    erros << QString("%1, coluna %2: %3 para %4")
                                 .arg(caso)
                                 .arg(c)
                                 .arg(largura)
                                 .arg(maior);
                total += largura;
            }
            return total;
        };
        // Short texts: the last column reaches the list's right edge less 89.362 twips (6 px).
        receber(salas({}));
        QCOMPARE(conferir("vazia"), lista()->width() - 6);
        receber(salas({sala("Ana", "1/4", "False", "0")}));
        QCOMPARE(conferir("curta"), lista()->width() - 6);
        // A long name widens its column; the others still fit their texts.
        const QByteArray longo(120, 'W');
        receber(salas({sala(longo, "1/4", "False", "0"),
                       sala("b", "jogadores demais para caber", "True", "0")}));
        QVERIFY(conferir("longa") > lista()->width());
        QVERIFY(lista()->columnWidth(0) > medida.horizontalAdvance(QString(longo)));
        QVERIFY2(erros.isEmpty(), qPrintable(erros.join("; ")));
    }

    void listaMalFormadaVaiAoRelatorio_data()
    {
        QTest::addColumn<QByteArray>("mensagem");
        QTest::newRow("contagem maior que os argumentos")
            << msg("slInf", {"2", "a", "1/4", "False", "0"});
        QTest::newRow("senha que não é lógica") << salas({sala("a", "1/4", "talvez", "0")});
        QTest::newRow("oculta que não é número") << salas({sala("a", "1/4", "False", "x")});
        QTest::newRow("contagem que não é número") << msg("slInf", {"dois"});
        // 64 rooms would need argument 258, beyond what one byte can number.
        QList<QByteArray> muitas{"64"};
        for (int i = 0; i < 63; ++i)
            muitas += sala("s", "0/4", "False", "0");
        QTest::newRow("64 salas") << msg("slInf", muitas);
        QTest::newRow("jogadores a mais") << msg("hlInf", {"2", "ana"});
    }

    void listaMalFormadaVaiAoRelatorio()
    {
        QFETCH(QByteArray, mensagem);
        m_servidor->Enviar(mensagem);
        QTRY_VERIFY_WITH_TIMEOUT(Espera::Encerrando(), 10000);
        QCOMPARE(m_caixas->lista.size(), 1);
        QCOMPARE(m_caixas->lista[0].tipo, Caixas::Tipo::Relatorio);
        QVERIFY2(m_caixas->lista[0].texto.startsWith("Erro: "),
                 qPrintable(m_caixas->lista[0].texto));
        QVERIFY(m_caixas->lista[0].texto.endsWith(QStringLiteral("\r\nComando: ") +
                                                  QString::fromLatin1(mensagem.mid(4, 5))));
    }

    void jogadoresOnLineNaOrdem()
    {
        receber(msg("hlInf", {"3", "ana", "bia",
                              "\xC7"
                              "ida"}));
        auto nomes = [&] {
            QStringList n;
            for (int i = 0; i < m_cliente->frSalas->ltSlJogadores->count(); ++i)
                n << m_cliente->frSalas->ltSlJogadores->item(i)->text();
            return n;
        };
        QCOMPARE(nomes(), (QStringList{"ana", "bia", QStringLiteral("Çida")}));
        receber(msg("hlInf", {"0"}));
        QCOMPARE(nomes(), QStringList{});
        // The count rules, not the arguments present.
        receber(msg("hlInf", {"1", "ana", "bia"}));
        QCOMPARE(nomes(), QStringList{"ana"});
    }

    void chatGuardaMilCaracteresEALinhaNova()
    {
        QPlainTextEdit* chat = m_cliente->txChat;
        receber(msg("slMsg", {"ana", "oi"}));
        QCOMPARE(historico(), QStringLiteral("\r\nana: oi"));
        QCOMPARE(chat->toPlainText(), QStringLiteral("\nana: oi"));
        QCOMPARE(chat->textCursor().position(), chat->toPlainText().size());

        // Fill the history up to exactly 1500 characters: the first 500 go.
        const QByteArray texto(1500 - historico().size() - 7, 'x');
        receber(msg("slMsg", {"bia", texto}));
        const QString antes = historico();
        QCOMPARE(antes.size(), 1500);
        receber(msg("slMsg", {"caio", "tchau"}));
        QCOMPARE(historico(), antes.right(1000) + "\r\ncaio: tchau");
        QCOMPARE(historico().size(), 1000 + 13);
        QCOMPARE(chat->textCursor().position(), chat->toPlainText().size());
        // The caret sits at the end after every change, also one made elsewhere.
        chat->setPlainText("outro");
        QCOMPARE(chat->textCursor().position(), 5);
        receber(msg("slMsg", {"ana", "de novo"}));
        QCOMPARE(chat->toPlainText(), QStringLiteral("outro\nana: de novo"));
    }

    void fotoPropria()
    {
        receber(msg("imLoc", {""}));
        QCOMPARE(Foto::FotoLocal().size(), QSize(51, 51));
        QCOMPARE(Foto::FotoLocal().pixel(0, 0), qRgb(32, 32, 32));
        QCOMPARE(Foto::FotoLocal().pixel(50, 50), qRgb(32, 32, 32));
        QByteArray foto(Foto::kBytes, '\x10');
        foto[0] = '\xFF';
        foto[1] = foto[2] = 0;
        receber(msg("imLoc", {foto}));
        QCOMPARE(Foto::FotoLocal().pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(Foto::FotoLocal().pixel(1, 0), qRgb(16, 16, 16));
        // A picture cut short ends in the error report.
        m_servidor->Enviar(msg("imLoc", {QByteArray(100, 'a')}));
        QTRY_VERIFY_WITH_TIMEOUT(Espera::Encerrando(), 10000);
        QVERIFY(m_caixas->lista.value(0).texto.endsWith("Comando: imLoc"));
    }

    void entrarNaSalaSelecionada()
    {
        QStringList perguntas;
        QString resposta;
        Caixas::SetInterceptador([&](const Caixas::Caixa& c) {
            perguntas << c.titulo + "|" + c.texto;
            return resposta;
        });
        receber(salas({sala("Aberta", "1/4", "False", "0"), sala("Fechada", "1/4", "True", "0"),
                       sala("Quase", "1/4", "0", "0")}));
        // A password column that differs from "Sim" only in case asks for nothing.
        lista()->topLevelItem(2)->setText(2, "sim");

        m_cliente->frSalas->btSlEntrar->click();
        QVERIFY(m_cliente->frSalas->isEnabled());
        QCOMPARE(enviadoAteAqui(), QByteArray());

        const struct
        {
            int linha;
            const char* resposta;
            QByteArray esperado;
            bool pergunta;
        } casos[] = {
            {0, "ignorada", msg("Entra", {"Aberta", ""}), false},
            {1, "abc", msg("Entra", {"Fechada", "abc"}), true},
            {1, "", msg("Entra", {"Fechada", ""}), true}, // cancelled
            {2, "ignorada", msg("Entra", {"Quase", ""}), false},
        };
        for (const auto& c : casos) {
            perguntas.clear();
            resposta = QString::fromLatin1(c.resposta);
            lista()->setCurrentItem(lista()->topLevelItem(c.linha));
            m_cliente->frSalas->btSlEntrar->click();
            QVERIFY(!m_cliente->frSalas->isEnabled());
            QCOMPARE(perguntas,
                     c.pergunta ? QStringList{"Quarpel|Digite a senha:"} : QStringList{});
            receber(msg("erEnt", {"Sala cheia"}));
            QVERIFY(m_cliente->frSalas->isEnabled());
            QCOMPARE(enviadoAteAqui(), c.esperado);
        }
    }

    void linhaDeChatEnviadaComoDigitada()
    {
        m_cliente->txFalar->clear();
        m_cliente->btEnviar->click();
        QCOMPARE(enviadoAteAqui(), QByteArray());
        m_cliente->txFalar->setText("   ");
        m_cliente->btEnviar->click();
        QVERIFY(m_cliente->txFalar->text().isEmpty());
        m_cliente->txFalar->setText(QStringLiteral(" olá "));
        m_cliente->btEnviar->click();
        QCOMPARE(enviadoAteAqui(), msg("slBla", {"   "}) + msg("slBla", {" ol\xE1 "}));
        // Only the server's lines reach the history.
        QVERIFY(m_cliente->txChat->toPlainText().isEmpty());
    }

    void botoesAbremOsDialogosModais()
    {
        QString aberto;
        auto fecharQuandoAbrir = [&] {
            QTimer::singleShot(0, this, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                QTRY_VERIFY_WITH_TIMEOUT((modal = QApplication::activeModalWidget()), 10000);
                aberto = QString::fromLatin1(modal->metaObject()->className()) + "|" +
                         modal->windowTitle() + "|" +
                         (modal->parentWidget() == m_cliente.get() ? "dono" : "sem dono");
                static_cast<QDialog*>(modal)->reject();
            });
        };
        fecharQuandoAbrir();
        m_cliente->frSalas->btSlCriarSala->click();
        QCOMPARE(aberto, QStringLiteral("frmCriarSala|Criar Sala|dono"));
        fecharQuandoAbrir();
        m_cliente->frSalas->btSlImagem->click();
        QCOMPARE(aberto, QStringLiteral("frmPerfil|Editar Perfil|dono"));
        QCOMPARE(enviadoAteAqui(), QByteArray());
    }
};

QTEST_MAIN(TstSalas)
#include "tst_salas.moc"
