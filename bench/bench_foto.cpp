// Player pictures: decoding the 7803 bytes that "imLoc" and "jgInf" carry, and cutting a
// photograph to the 51 x 51 preview of the profile dialog.

#include "Foto.h"

#include <benchmark/benchmark.h>

namespace {
void Decodificar(benchmark::State& estado)
{
    QByteArray bytes(Foto::kBytes, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 31);
    for (auto _ : estado)
        benchmark::DoNotOptimize(Foto::DecodificarFoto(bytes));
}
BENCHMARK(Decodificar);

void Recortar(benchmark::State& estado)
{
    const int lado = int(estado.range(0));
    QImage foto(lado * 4 / 3, lado, QImage::Format_RGB32);
    foto.fill(qRgb(90, 140, 200));
    for (auto _ : estado)
        benchmark::DoNotOptimize(Foto::Recortar(foto));
}
BENCHMARK(Recortar)->Arg(480)->Arg(3000);
} // namespace
