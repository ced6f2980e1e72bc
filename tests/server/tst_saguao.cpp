// The lobby's lists to thousands of people: sent a slice per pass of the event loop, and everyone
// ends with the latest one, also when it changes in the middle of a round. The chat past its rate.
#include "ClienteTeste.h"
#include "EsperarAte.h"
#include "FuncoesComuns.h"
#include "Lobby.h"
#include "Participante.h"
#include "ServidorTeste.h"

#include <QTest>
#include <memory>
#include <vector>

namespace {
struct Pessoa : Participante
{
    QString nome;
    QByteArray lista; // the last "hlInf"
    int listas = 0;
    QString Login() const override { return nome; }
    QByteArray Foto() const override { return {}; }
    void EnviarMensagem(const QByteArray& m) override
    {
        if (m.contains("hlInf")) {
            lista = m;
            ++listas;
        }
    }
};
} // namespace

class TstSaguao : public QObject
{
    Q_OBJECT
private slots:
    void listaAMilharesEmFatias()
    {
        Lobby lobby;
        std::vector<std::unique_ptr<Pessoa>> ps;
        for (int i = 0; i < 2500; ++i) {
            ps.push_back(std::make_unique<Pessoa>());
            ps.back()->nome = QStringLiteral("p%1").arg(i, 4, 10, QChar(u'0'));
            lobby.Chegar(ps.back().get());
        }
        const auto todosComAUltima = [&] {
            const QByteArray atual = MontarMensagem("hlInf", lobby.InfoJogadores());
            for (size_t i = 2; i < ps.size(); ++i)
                if (ps[i]->lista != atual)
                    return false;
            return true;
        };
        QVERIFY(EsperarAte(todosComAUltima));
        for (auto& p : ps)
            p->listas = 0;

        // The first two listed leave, the second while the first's list is on its way.
        lobby.Partir(ps[0].get());
        lobby.EnviarPendentes();
        const auto servidos =
            std::count_if(ps.begin(), ps.end(), [](auto& p) { return p->listas; });
        QVERIFY2(servidos > 0 && servidos < 2499, qPrintable(QString::number(servidos)));
        lobby.Partir(ps[1].get());
        QVERIFY(EsperarAte(todosComAUltima));
        for (size_t i = 2; i < ps.size(); ++i)
            QVERIFY(ps[i]->listas <= 2);
        QVERIFY(!lobby.InfoJogadores().contains("p0001"));
    }

    // Past the chat's rate a line reaches nobody, and its sender is told so by a name no login
    // can take, after the lines that went out.
    void conversaAlemDaConta()
    {
        ServidorTeste servidor([](Configuracao& c) { c.rajadaChat = 2; });
        auto ana = ClienteTeste::NoSaguao(servidor.Porta(), "ana1");
        auto bia = ClienteTeste::NoSaguao(servidor.Porta(), "bia1");
        QVERIFY(ana && bia && ClienteTeste::Acertar({ana.get(), bia.get()}));
        for (const char* linha : {"um", "dois", "tres"})
            ana->EnviarTextos("slBla", {linha});
        const auto conversa = [](ClienteTeste& c) {
            QStringList linhas;
            for (const MensagemTeste& m : c.NaoLidas("slMsg"))
                linhas << m.Texto(1) + u'|' + m.Texto(2);
            return linhas;
        };
        QVERIFY(ana->Sincronizar() && bia->Sincronizar());
        const QStringList ditas{"ana1|um", "ana1|dois"};
        QCOMPARE(conversa(*bia), ditas);
        QCOMPARE(conversa(*ana),
                 ditas + QStringList{"* Mesa|Calma: espere um instante para falar de novo."});
    }
};

QTEST_GUILESS_MAIN(TstSaguao)
#include "tst_saguao.moc"
