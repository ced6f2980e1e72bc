#include "Bancada.h"
#include "HistoricoChat.h"
#include "TelaJogo.h"
#include "TelaSalas.h"

#include <QHeaderView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
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

// The lobby against a scripted server: the room list, the players on line, the chat and entering
// a room.
class TstSalas : public QObject
{
    Q_OBJECT

    std::unique_ptr<Bancada> b;

    QTreeWidget* lista() { return b->cliente->frSalas->ltSlSalas; }

private slots:
    void init()
    {
        b = std::make_unique<Bancada>();
        QVERIFY(b->cliente);
        b->cliente->show();
        b->cliente->MudarFrame(b->cliente->frSalas);
    }
    void cleanup() { b.reset(); }

    // Hidden rooms are left out; a room that went away takes the selection with it.
    void listaDeSalas()
    {
        QVERIFY(b->Receber(salas({{"Velha", "1/4", "False", "0"}})));
        lista()->setCurrentItem(lista()->topLevelItem(0));
        QVERIFY(b->Receber(salas({{"Mesa 1", "2/4", "True", "0"},
                                  {"Secreta", "4/4", "False", "1"},
                                  {"Mesa \xC9", " 3 / 4 ", "False", "0"},
                                  {"Mesa 3", "0/4", "-1", " 0 "}})));
        QStringList celulas;
        for (int r = 0; r < lista()->topLevelItemCount(); ++r)
            for (int c = 0; c < 3; ++c)
                celulas << lista()->topLevelItem(r)->text(c);
        QCOMPARE(celulas.join('|'),
                 QStringLiteral("Mesa 1|2/4|Sim|Mesa É| 3 / 4 |Não|Mesa 3|0/4|Sim"));
        // The last column takes the rest of the width, and no more.
        QVERIFY(lista()->header()->length() <= lista()->viewport()->width());
        QVERIFY(lista()->selectedItems().isEmpty() && b->caixas.lista.isEmpty());
    }

    // The count rules, not the arguments present.
    void jogadoresOnLine()
    {
        QListWidget* l = b->cliente->frSalas->ltSlJogadores;
        for (const auto& [args, esperado] :
             {std::pair<QList<QByteArray>, QString>{{"3", "ana", "bia", "\xC7ida"}, "ana|bia|Çida"},
              {{"0"}, ""},
              {{"1", "ana", "bia"}, "ana"}}) {
            QVERIFY(b->Receber(Msg("hlInf", args)));
            QStringList nomes;
            for (int i = 0; i < l->count(); ++i)
                nomes << l->item(i)->text();
            QCOMPARE(nomes.join('|'), esperado);
        }
    }

    // The history keeps its last 1000 characters before each new line.
    void chatGuardaMilCaracteres()
    {
        HistoricoChat* h = HistoricoChat::Da(b->cliente->txChat);
        QVERIFY(b->Receber(Msg("slMsg", {"bia", QByteArray(1493, 'x')})));
        const QString antes = h->Texto();
        QCOMPARE(antes.size(), 1500);
        QVERIFY(b->Receber(Msg("slMsg", {"caio", "tchau"})));
        QCOMPARE(h->Texto(), antes.right(1000) + "\r\ncaio: tchau");
        QCOMPARE(b->cliente->txChat->toPlainText(), QString(h->Texto()).replace("\r\n", "\n"));
        // Lent to the narrower table, it still shows its last line.
        b->cliente->MudarFrame(b->cliente->frJogo);
        const QScrollBar* barra = b->cliente->txChat->verticalScrollBar();
        QVERIFY(barra->maximum() > 0 && barra->value() == barra->maximum());
    }

    // Only a room listed with "Sim" asks for the password; a refusal gives the screen back. The
    // list may be rebuilt while the box is open: the room keeps its selection and is entered by
    // name, or reported when it went away.
    void entrarNaSalaSelecionada()
    {
        QStringList vistos; // the boxes, then the room selected after the click
        QString resposta;
        QByteArray durante;
        Caixas::SetInterceptador([&](const Caixas::Caixa& c) {
            vistos << c.texto;
            if (!durante.isEmpty() && !b->Receber(std::exchange(durante, {})))
                vistos << "(a lista não chegou)";
            return resposta;
        });
        QVERIFY(b->Receber(salas({{"Aberta", "1/4", "False", "0"},
                                  {"Fechada", "1/4", "True", "0"},
                                  {"Quase", "1/4", "0", "0"}})));
        // A password column that differs from "Sim" only in case asks for nothing.
        lista()->topLevelItem(2)->setText(2, "sim");
        const QByteArray reordenada = salas({{"Nova", "0/4", "False", "0"},
                                             {"Aberta", "1/4", "False", "0"},
                                             {"Fechada", "1/4", "True", "0"}});
        using Caso = std::tuple<int, const char*, QByteArray, QByteArray, QString>;
        for (const auto& [linha, digitada, nova, esperado, visto] :
             {Caso{-1, "", {}, "", ""},
              Caso{0, "ignorada", {}, Msg("Entra", {"Aberta", ""}), "Aberta"},
              Caso{1, "abc", {}, Msg("Entra", {"Fechada", "abc"}), "Digite a senha:|Fechada"},
              Caso{2, "ignorada", {}, Msg("Entra", {"Quase", ""}), "Quase"},
              Caso{1, "x", reordenada, Msg("Entra", {"Fechada", "x"}), "Digite a senha:|Fechada"},
              Caso{2, "x", salas({}), "", "Digite a senha:|A sala Fechada não existe mais.|"}}) {
            vistos.clear();
            resposta = QString::fromLatin1(digitada);
            durante = nova;
            if (linha >= 0)
                lista()->setCurrentItem(lista()->topLevelItem(linha));
            b->cliente->frSalas->btSlEntrar->click();
            const auto selecao = lista()->selectedItems();
            vistos << (selecao.isEmpty() ? QString() : selecao[0]->text(0));
            QCOMPARE(vistos.join('|'), visto);
            QCOMPARE(b->cliente->frSalas->isEnabled(), esperado.isEmpty());
            QVERIFY(esperado.isEmpty() || b->Receber(Msg("erEnt", {"Sala cheia"})));
            QVERIFY(b->cliente->frSalas->isEnabled());
            QCOMPARE(b->Enviado(), esperado);
        }
        // Unanswered, the screen comes back after the time limit, counted from the last request.
        Espera::SetLimite(std::chrono::milliseconds(1000));
        QVERIFY(b->Receber(salas({{"Aberta", "1/4", "False", "0"}})));
        lista()->setCurrentItem(lista()->topLevelItem(0));
        b->cliente->frSalas->btSlEntrar->click();
        QVERIFY(b->Receber(Msg("erEnt", {"Sala cheia"})));
        QTest::qWait(500);
        vistos.clear();
        b->cliente->frSalas->btSlEntrar->click();
        QTest::qWait(700);
        QCOMPARE(vistos, QStringList());
        QTRY_COMPARE(vistos, QStringList{Espera::kSemResposta});
        Espera::SetLimite(std::chrono::milliseconds(15000));
    }
};

QTEST_MAIN(TstSalas)
#include "tst_salas.moc"
