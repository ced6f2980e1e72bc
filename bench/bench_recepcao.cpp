// The client's receive path under a burst: n "Setar" messages written at once by a server on
// loopback, timed until the client has handled the last one. Linear cutting keeps the time per
// message flat as n grows.

#include "ClienteDeTeste.h"
#include "FuncoesComuns.h"

#include <QApplication>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {
void Rajada(benchmark::State& estado)
{
    const int n = int(estado.range(0));
    QByteArray rajada;
    for (int i = 1; i <= n; ++i)
        rajada += MontarMensagem("Setar", {"Contagem", QByteArray::number(i)});
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
        if (!QTest::qWaitFor([&] { return cliente->Variaveis("Contagem") == ultima; }, 60000)) {
            estado.SkipWithError("a rajada não terminou");
            return;
        }
    }
    estado.SetItemsProcessed(estado.iterations() * n);
    estado.SetBytesProcessed(estado.iterations() * rajada.size());
}
BENCHMARK(Rajada)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
