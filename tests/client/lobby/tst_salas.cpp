#include "Bancada.h"
#include "Foto.h"
#include "HistoricoChat.h"
#include "ListaSalas.h"
#include "TelaSalas.h"

#include <QListWidget>
#include <QPlainTextEdit>
#include <QTreeWidget>

namespace {
// "slInf" with rooms of four fields each: name, players, password flag, hidden flag.
QByteArray salas(const QList<QList<QByteArray>>& lista)
{
    QList<QByteArray> args{QByteArray::number(lista.size())};
    for (const auto& s : lista)
        args += s;
    return Msg("slInf", args);
}
} // namespace

// The lobby against a scripted server: the room list, the players on line, the chat, the own
// picture, entering a room and the chat line sent.
class TstSalas : public QObject
{
    Q_OBJECT

    std::unique_ptr<Bancada> b;

    QTreeWidget* lista() { return b->cliente->frSalas->ltSlSalas; }
    QString historico() { return HistoricoChat::Da(b->cliente->txChat)->Texto(); }

private slots:
    void init()
    {
        b = std::make_unique<Bancada>();
        QVERIFY(b->cliente);
        b->cliente->show();
        b->cliente->MudarFrame(b->cliente->frSalas);
        Foto::FotoLocal() = QImage();
    }

    void cleanup() { b.reset(); }

    void listaDeSalasComOcultaESenhas()
    {
        QVERIFY(b->Receber(salas({{"Velha", "1/4", "False", "0"}})));
        lista()->setCurrentItem(lista()->topLevelItem(0));
        QVERIFY(b->Receber(salas({{"Mesa 1", "2/4", "True", "0"},
                                  {"Secreta", "4/4", "False", "1"},
                                  {"Mesa \xC9", " 3 / 4 ", "False", "0"},
                                  {"Mesa 3", "0/4", "1", " 0 "}})));
        QCOMPARE(lista()->topLevelItemCount(), 3);
        // Row 0 is the header row.
        const QStringList esperado[] = {
            {"Sala", "Jogadores", "Senha"},
            {"Mesa 1", "2/4", "Sim"},
            {QStringLiteral("Mesa É"), " 3 / 4 ", QStringLiteral("Não")},
            {"Mesa 3", "0/4", "Sim"}};
        for (int r = 0; r <= 3; ++r)
            for (int c = 1; c <= 3; ++c)
                QCOMPARE(ListaSalas::TextoDaCelula(lista(), c, r), esperado[r][c - 1]);
        QVERIFY(lista()->selectedItems().isEmpty());
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, ListaSalas::TextoDaCelula(lista(), 4, 1));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, ListaSalas::TextoDaCelula(lista(), 1, 4));

        QVERIFY(b->Receber(salas({})));
        QCOMPARE(lista()->topLevelItemCount(), 0);
        QVERIFY(b->caixas.lista.isEmpty());
    }

    void mensagemMalFormadaVaiAoRelatorio_data()
    {
        QTest::addColumn<QByteArray>("mensagem");
        QTest::newRow("contagem maior que os argumentos")
            << Msg("slInf", {"2", "a", "1/4", "False", "0"});
        QTest::newRow("oculta que não é número") << salas({{"a", "1/4", "False", "x"}});
        // 64 rooms would need argument 258, beyond what one byte can number.
        QList<QByteArray> muitas{"64"};
        for (int i = 0; i < 63; ++i)
            muitas += {"s", "0/4", "False", "0"};
        QTest::newRow("64 salas") << Msg("slInf", muitas);
        QTest::newRow("jogadores a mais") << Msg("hlInf", {"2", "ana"});
    }

    void mensagemMalFormadaVaiAoRelatorio()
    {
        QFETCH(QByteArray, mensagem);
        b->servidor.Enviar(mensagem);
        QTRY_VERIFY_WITH_TIMEOUT(Espera::Encerrando(), 10000);
        QCOMPARE(b->caixas.lista.size(), 1);
        QVERIFY(b->caixas.lista[0].texto.endsWith("\r\nComando: " + mensagem.mid(4, 5)));
    }

    void jogadoresOnLineNaOrdemEFotoVaziaCinza()
    {
        auto nomes = [&] {
            QStringList n;
            for (int i = 0; i < b->cliente->frSalas->ltSlJogadores->count(); ++i)
                n << b->cliente->frSalas->ltSlJogadores->item(i)->text();
            return n;
        };
        QVERIFY(b->Receber(Msg("hlInf", {"3", "ana", "bia", "\xC7ida"})));
        QCOMPARE(nomes(), (QStringList{"ana", "bia", QStringLiteral("Çida")}));
        QVERIFY(b->Receber(Msg("hlInf", {"0"})));
        QCOMPARE(nomes(), QStringList{});
        // The count rules, not the arguments present.
        QVERIFY(b->Receber(Msg("hlInf", {"1", "ana", "bia"})));
        QCOMPARE(nomes(), QStringList{"ana"});

        QVERIFY(b->Receber(Msg("imLoc", {""})));
        QCOMPARE(Foto::FotoLocal().size(), QSize(51, 51));
        QCOMPARE(Foto::FotoLocal().pixel(0, 0), qRgb(32, 32, 32));
        QCOMPARE(Foto::FotoLocal().pixel(50, 50), Foto::FotoLocal().pixel(0, 0));
    }

    void chatGuardaMilCaracteresEALinhaNova()
    {
        QPlainTextEdit* chat = b->cliente->txChat;
        QVERIFY(b->Receber(Msg("slMsg", {"ana", "oi"})));
        QCOMPARE(historico(), QStringLiteral("\r\nana: oi"));
        QCOMPARE(chat->toPlainText(), QStringLiteral("\nana: oi"));
        QCOMPARE(chat->textCursor().position(), chat->toPlainText().size());

        // Fill the history up to exactly 1500 characters: the first 500 go.
        QVERIFY(b->Receber(Msg("slMsg", {"bia", QByteArray(1500 - historico().size() - 7, 'x')})));
        const QString antes = historico();
        QCOMPARE(antes.size(), 1500);
        QVERIFY(b->Receber(Msg("slMsg", {"caio", "tchau"})));
        QCOMPARE(historico(), antes.right(1000) + "\r\ncaio: tchau");
        QCOMPARE(chat->textCursor().position(), chat->toPlainText().size());
        // The caret sits at the end after every change, also one made elsewhere.
        chat->setPlainText("outro");
        QCOMPARE(chat->textCursor().position(), 5);
        QVERIFY(b->Receber(Msg("slMsg", {"ana", "de novo"})));
        QCOMPARE(chat->toPlainText(), QStringLiteral("outro\nana: de novo"));
    }

    void entrarNaSalaSelecionada()
    {
        QStringList perguntas;
        QString resposta;
        Caixas::SetInterceptador([&](const Caixas::Caixa& c) {
            perguntas << c.titulo + "|" + c.texto;
            return resposta;
        });
        QVERIFY(b->Receber(salas({{"Aberta", "1/4", "False", "0"},
                                  {"Fechada", "1/4", "True", "0"},
                                  {"Quase", "1/4", "0", "0"}})));
        // A password column that differs from "Sim" only in case asks for nothing.
        lista()->topLevelItem(2)->setText(2, "sim");

        // With nothing selected the button does nothing; a refusal gives the screen back.
        using Caso = std::tuple<int, const char*, QByteArray, bool>;
        for (const auto& [linha, digitada, esperado, pergunta] :
             {Caso{-1, "", "", false}, Caso{0, "ignorada", Msg("Entra", {"Aberta", ""}), false},
              Caso{1, "abc", Msg("Entra", {"Fechada", "abc"}), true},
              Caso{1, "", Msg("Entra", {"Fechada", ""}), true}, // cancelled
              Caso{2, "ignorada", Msg("Entra", {"Quase", ""}), false}}) {
            perguntas.clear();
            resposta = QString::fromLatin1(digitada);
            if (linha >= 0)
                lista()->setCurrentItem(lista()->topLevelItem(linha));
            b->cliente->frSalas->btSlEntrar->click();
            QCOMPARE(b->cliente->frSalas->isEnabled(), esperado.isEmpty());
            QCOMPARE(perguntas, pergunta ? QStringList{"Quarpel|Digite a senha:"} : QStringList{});
            QVERIFY(esperado.isEmpty() || b->Receber(Msg("erEnt", {"Sala cheia"})));
            QVERIFY(b->cliente->frSalas->isEnabled());
            QCOMPARE(b->Enviado(), esperado);
        }
    }

    void linhaDeChatEnviadaComoDigitada()
    {
        b->cliente->txFalar->clear();
        b->cliente->btEnviar->click();
        QCOMPARE(b->Enviado(), QByteArray());
        b->cliente->txFalar->setText("   ");
        b->cliente->btEnviar->click();
        QVERIFY(b->cliente->txFalar->text().isEmpty());
        b->cliente->txFalar->setText(QStringLiteral(" olá "));
        b->cliente->btEnviar->click();
        QCOMPARE(b->Enviado(), Msg("slBla", {"   "}) + Msg("slBla", {" ol\xE1 "}));
        // Only the server's lines reach the history.
        QVERIFY(b->cliente->txChat->toPlainText().isEmpty());
    }
};

QTEST_MAIN(TstSalas)
#include "tst_salas.moc"
