// The table's artwork and card shapes, which the main window's load builds once at start-up: the
// face sheet from the svg deck (or painted without it), the back, and the region of a card.

#include "Arte.h"
#include "CBMPRegion.h"
#include "CaixaFigura.h"
#include "MovePBs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>

namespace {
void FacesDoBaralho(benchmark::State& estado)
{
    const QString arquivo = Arte::ArquivoDoBaralho();
    if (arquivo.isEmpty())
        estado.SkipWithError("no svg-standard deck installed");
    for (auto _ : estado)
        benchmark::DoNotOptimize(Arte::DesenharFaces(arquivo));
}
BENCHMARK(FacesDoBaralho)->Unit(benchmark::kMillisecond);

void FacesPintadas(benchmark::State& estado)
{
    for (auto _ : estado)
        benchmark::DoNotOptimize(Arte::DesenharFaces({}));
}
BENCHMARK(FacesPintadas)->Unit(benchmark::kMillisecond);

void VersoDoBaralho(benchmark::State& estado)
{
    const QString arquivo = Arte::ArquivoDoBaralho();
    for (auto _ : estado)
        benchmark::DoNotOptimize(Arte::DesenharVerso(arquivo));
}
BENCHMARK(VersoDoBaralho)->Unit(benchmark::kMillisecond);

// The fourteen card slots each get the back's region.
void RegioesDasCartas(benchmark::State& estado)
{
    const QImage verso = Arte::VersoCarta();
    CBMPRegion r;
    for (auto _ : estado)
        for (int i = 0; i < 14; ++i)
            benchmark::DoNotOptimize(r.CreateFromPic(verso, Arte::kCorChave));
}
BENCHMARK(RegioesDasCartas)->Unit(benchmark::kMicrosecond);

// One tick with all fourteen cards moving.
void TickCom14Cartas(benchmark::State& estado)
{
    QWidget janela;
    MovePBs movimentos(&janela);
    QList<CaixaFigura*> cartas;
    for (int i = 0; i < 14; ++i)
        cartas.append(new CaixaFigura(&janela));
    for (auto _ : estado) {
        estado.PauseTiming();
        if (movimentos.Count() == 0)
            for (CaixaFigura* c : cartas) {
                c->SetPosicao(8100, 5880);
                movimentos.Mover(c, 0, 0, 15, QStringLiteral("Distribuir cartas"));
            }
        estado.ResumeTiming();
        movimentos.Tick();
    }
}
BENCHMARK(TickCom14Cartas)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // What the main window's load pays: every cached piece on its first call.
    QElapsedTimer t;
    t.start();
    const std::clock_t cpu = std::clock();
    Arte::FacesCartas();
    Arte::VersoCarta();
    Arte::FundoPlacar();
    Arte::Ponto();
    Arte::Ninguem();
    std::printf("first call of all the artwork: %.1f ms wall, %.1f ms cpu\n", t.nsecsElapsed() / 1e6,
                double(std::clock() - cpu) * 1000 / CLOCKS_PER_SEC);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
