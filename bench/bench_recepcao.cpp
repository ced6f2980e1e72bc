// The client's receive path under a burst: n "Setar" messages written at once by a server on
// loopback, timed on the wall clock until the client has handled the last one. Beside it, in the
// same run and over the same loopback, a naive cutter that re-copies its pending bytes after every
// message, as the stream was first cut: linear cutting keeps the time per message flat as n grows,
// the naive one does not.
//
//   build/bench/bench_recepcao --benchmark_min_time=1s

#include "Bancada.h"
#include "FuncoesComuns.h"

#include <QDeadlineTimer>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

QByteArray MontarRajada(int n)
{
    QByteArray rajada;
    for (int i = 1; i <= n; ++i)
        rajada += MontarMensagem("Setar", {"Contagem", QByteArray::number(i)});
    return rajada;
}

// Handles events until pronto() holds, blocking in the event loop between them (no sleep, so
// the time measured is the work). False after 60 s.
template <typename F> bool Aguardar(F pronto)
{
    const QDeadlineTimer prazo(60000);
    QTimer despertador; // wakes the loop so that the deadline is seen even without traffic
    despertador.start(1000);
    while (!pronto()) {
        if (prazo.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void Rajada(benchmark::State& estado)
{
    const int n = int(estado.range(0));
    const QByteArray rajada = MontarRajada(n);
    const QString ultima = QString::number(n);

    ServidorRoteirizado servidor;
    auto cliente = ClienteDeTeste(servidor);
    if (!cliente) {
        estado.SkipWithError("o cliente não conectou");
        return;
    }
    for (auto _ : estado) {
        cliente->SetVariaveis("Contagem", "0");
        servidor.Enviar(rajada);
        if (!Aguardar([&] { return cliente->Variaveis("Contagem") == ultima; })) {
            estado.SkipWithError("a rajada não terminou");
            return;
        }
    }
    estado.SetItemsProcessed(estado.iterations() * n);
    estado.SetBytesProcessed(estado.iterations() * rajada.size());
}

// The naive cutter: pending bytes in one array, and every message cut from its front by copying
// the rest into a new one.
void CortadorIngenuo(benchmark::State& estado)
{
    const int n = int(estado.range(0));
    const QByteArray rajada = MontarRajada(n);

    ServidorRoteirizado servidor;
    QTcpSocket sock;
    QByteArray pendente;
    qint64 cortadas = 0;
    QObject::connect(&sock, &QTcpSocket::readyRead, [&] {
        pendente += sock.readAll();
        while (pendente.size() >= 4) {
            const qint32 l = DecodificarTamanho(QByteArrayView(pendente).first(4));
            if (pendente.size() < l)
                break;
            const QByteArray mensagem = pendente.left(l);
            benchmark::DoNotOptimize(mensagem.constData());
            pendente = pendente.mid(l);
            ++cortadas;
        }
    });
    sock.connectToHost(QHostAddress(QHostAddress::LocalHost), servidor.Porta());
    if (!sock.waitForConnected(10000) || !servidor.AguardarConexao()) {
        estado.SkipWithError("não conectou");
        return;
    }
    for (auto _ : estado) {
        cortadas = 0;
        servidor.Enviar(rajada);
        if (!Aguardar([&] { return cortadas == n; })) {
            estado.SkipWithError("a rajada não terminou");
            return;
        }
    }
    estado.SetItemsProcessed(estado.iterations() * n);
}

BENCHMARK(Rajada)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->UseRealTime()->Unit(
    benchmark::kMillisecond);
// Not at 1 M: quadratic, it would take several minutes there.
BENCHMARK(CortadorIngenuo)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
