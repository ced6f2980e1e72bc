// CPU while cards glide: the client at the table gets a deal ("cmPrt") from a scripted server and
// the real 30 ms animation timer moves the thirteen cards, the window painted offscreen. The
// process's CPU time over the deal's wall time is the share of one core; then the same over a
// quiet second with nothing moving, which must be 0 (the timer stops).

#include "Bancada.h"
#include "FuncoesComuns.h"
#include "MovePBs.h"
#include "TelaJogo.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <ctime>

namespace {
double CpuSegundos()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// Runs the event loop until pronto() holds after a signal of either object, or ms pass; no polling,
// so the loop itself adds no CPU.
template <typename Pronto> bool Aguardar(frmCliente& cliente, MovePBs& mov, Pronto pronto, int ms)
{
    QEventLoop laco;
    const auto olhar = [&] {
        if (pronto())
            laco.quit();
    };
    QObject::connect(&cliente, &frmCliente::Tratada, &laco, olhar, Qt::QueuedConnection);
    QObject::connect(&mov, &MovePBs::MovimentoConcluido, &laco, olhar, Qt::QueuedConnection);
    QTimer::singleShot(ms, &laco, &QEventLoop::quit);
    if (!pronto())
        laco.exec();
    return pronto();
}

void Distribuir(benchmark::State& estado)
{
    ServidorRoteirizado servidor;
    auto cliente = ClienteDeTeste(servidor);
    if (!cliente) {
        estado.SkipWithError("o cliente não conectou");
        return;
    }
    cliente->SetVariaveis("JogLocal", "0");
    cliente->MudarFrame(cliente->frJogo);
    cliente->show();
    MovePBs& mov = cliente->frJogo->Movimentos();
    double cpuDistribuindo = 0, segDistribuindo = 0, cpuParado = 0, segParado = 0;
    for (auto _ : estado) {
        QSignalSpy tratadas(cliente.get(), &frmCliente::Tratada);
        QElapsedTimer relogio;
        relogio.start();
        const double cpu0 = CpuSegundos();
        servidor.Enviar(MontarMensagem("cmPrt", {"5", "12", "20", "40"}));
        if (!Aguardar(
                *cliente, mov, [&] { return !tratadas.isEmpty() && mov.Count() == 0; }, 30000)) {
            estado.SkipWithError("a distribuição não terminou");
            return;
        }
        cpuDistribuindo += CpuSegundos() - cpu0;
        segDistribuindo += relogio.nsecsElapsed() / 1e9;
        estado.SetIterationTime(relogio.nsecsElapsed() / 1e9);

        estado.PauseTiming();
        relogio.restart();
        const double cpu1 = CpuSegundos();
        Aguardar(
            *cliente, mov, [] { return false; }, 1000);
        cpuParado += CpuSegundos() - cpu1;
        segParado += relogio.nsecsElapsed() / 1e9;
        // The cards go back to the deck for the next deal.
        servidor.Enviar(MontarMensagem("prFim", {"0", "0"}));
        tratadas.clear();
        if (!Aguardar(
                *cliente, mov, [&] { return !tratadas.isEmpty() && mov.Count() == 0; }, 30000)) {
            estado.SkipWithError("o recolhimento não terminou");
            return;
        }
        estado.ResumeTiming();
    }
    estado.counters["cpu_distribuindo_%"] = 100 * cpuDistribuindo / segDistribuindo;
    estado.counters["cpu_parado_%"] = 100 * cpuParado / segParado;
}
BENCHMARK(Distribuir)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
} // namespace
