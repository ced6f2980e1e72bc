// The table's artwork and card shapes, which the main window's load builds once at start-up: the
// face sheet from the svg deck (or painted without it), the back, and the region of a card.
// With --capturas <folder> it saves the artwork as PNG files to look at, and a few cards cut by
// their region on the felt, instead of measuring.

#include "Arte.h"
#include "CBMPRegion.h"
#include "CaixaFigura.h"
#include "MovePBs.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
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

class MesaDeAmostra : public QWidget
{
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        Arte::PintarMesa(p, rect());
    }
};

int Capturas(const QString& pasta)
{
    QDir().mkpath(pasta);
    Arte::FacesCartas().save(pasta + "/arte-faces.png");
    Arte::DesenharFaces({}).save(pasta + "/arte-faces-pintadas.png");
    Arte::VersoCarta().save(pasta + "/arte-verso.png");
    Arte::DesenharVerso({}).save(pasta + "/arte-verso-pintado.png");
    Arte::Ninguem().scaled(204, 204).save(pasta + "/arte-ninguem.png");

    // The scoreboard with marks and numbers where the table draws them, four times larger.
    QImage placar = Arte::FundoPlacar();
    {
        QPainter p(&placar);
        for (int k = 0; k < 3; ++k)
            p.drawImage(63 + 16 * k, 21, Arte::Ponto());
        p.drawImage(63, 37, Arte::Ponto());
        p.setPen(Arte::CorTextoPlacar());
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(11);
        p.setFont(f);
        const QStringList t{"10", "7", "3"};
        for (int i = 0; i < 3; ++i)
            p.drawText(127 - p.fontMetrics().horizontalAdvance(t[i]) / 2,
                       18 + 16 * i + p.fontMetrics().ascent(), t[i]);
    }
    placar.scaled(596, 260).save(pasta + "/arte-placar.png");

    CBMPRegion regiao;
    regiao.CreateFromPic(Arte::VersoCarta(), Arte::kCorChave);
    MesaDeAmostra mesa;
    mesa.resize(400, 260);
    const QList<int> codigos{28, 1, 40, 0, 15, 36};
    for (int i = 0; i < codigos.size(); ++i) {
        auto* c = new CaixaFigura(&mesa);
        c->resize(71, 96);
        c->setMask(regiao.Handle());
        const int cod = codigos[i];
        c->SetFigura(
            cod ? Arte::FacesCartas().copy((cod - 1) % 10 * 71, (cod - 1) / 10 * 96, 71, 96)
                : Arte::VersoCarta());
        c->SetPosicao(15 * (20 + 56 * i), 15 * (30 + (i % 2) * 100));
    }
    const QImage m = mesa.grab().toImage();
    m.save(pasta + "/arte-mesa.png");
    // Six times larger, to see the cut corners.
    m.copy(10, 20, 130, 110).scaled(780, 660).save(pasta + "/arte-mesa-canto.png");
    std::printf("saved in %s\n", qPrintable(pasta));
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--capturas") == 0)
        return Capturas(QString::fromLocal8Bit(argv[2]));
    // What the main window's load pays: every cached piece on its first call.
    QElapsedTimer t;
    t.start();
    const std::clock_t cpu = std::clock();
    Arte::FacesCartas();
    Arte::VersoCarta();
    Arte::FundoPlacar();
    Arte::Ponto();
    Arte::Ninguem();
    std::printf("first call of all the artwork: %.1f ms wall, %.1f ms cpu\n",
                t.nsecsElapsed() / 1e6, double(std::clock() - cpu) * 1000 / CLOCKS_PER_SEC);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
