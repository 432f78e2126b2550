// Calls per second of each routine, on a rotating set of typical references.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "engine/algoritmos.h"
#include "vaviviv/vaviviv.h"

namespace {

using namespace vaviviv;

constexpr std::array<const char*, 8> kDigitos{"123456", "7992739871", "9999999999999999999", "1",
                                              "00123456", "271828", "100000000000000000", "4711"};
constexpr std::array<const char*, 8> kAlfanumericas{"ABC123", "141118ABC", "ZZZZZZZZZZZZZZZZZZ", "A",
                                                    "abc123", "HOLA2014", "991231X", "7992739871"};

template <typename F>
void Rutina(benchmark::State& state, const std::array<const char*, 8>& refs, F f) {
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(f(refs[i++ & 7]));
    state.SetItemsProcessed(state.iterations());
}

void BM_00(benchmark::State& s) { Rutina(s, kDigitos, CalcularAlgoritmo00); }
void BM_02(benchmark::State& s) { Rutina(s, kAlfanumericas, CalcularAlgoritmo02); }
void BM_03(benchmark::State& s) { Rutina(s, kDigitos, CalcularAlgoritmo03); }
void BM_04(benchmark::State& s) {
    Rutina(s, kDigitos, [](std::string_view r) { return CalcularAlgoritmo04(r.substr(0, 18)); });
}
void BM_06(benchmark::State& s) {
    Rutina(s, kDigitos, [](std::string_view r) { return CalcularAlgoritmo06("123", "4567", r.substr(0, 18)); });
}
void BM_10(benchmark::State& s) {
    Rutina(s, kDigitos, [](std::string_view r) { return CalcularAlgoritmo10(r.substr(0, 12), "123.45", "15/06/2000"); });
}
void BM_DigitoImporte(benchmark::State& s) {
    constexpr std::array<const char*, 8> kImportes{"123.45", "0", "0.29", "999999999.99", "1.005", "10", "7.5", "42.42"};
    Rutina(s, kImportes, CalcularDigitoImporte);
}
void BM_35(benchmark::State& s) { Rutina(s, kAlfanumericas, CalcularAlgoritmo35); }
void BM_36(benchmark::State& s) { Rutina(s, kAlfanumericas, CalcularAlgoritmo36); }
void BM_37(benchmark::State& s) { Rutina(s, kAlfanumericas, CalcularAlgoritmo37); }
// A whole record through the C library: UTF-8 check, bulk rules, cells copied.
void BM_C_00(benchmark::State& s) {
    vaviviv_resultado r;
    Rutina(s, kDigitos, [&r](const char* ref) { return vaviviv_calcular(0, ref, nullptr, nullptr, &r); });
}
void BM_C_10(benchmark::State& s) {
    vaviviv_resultado r;
    Rutina(s, kDigitos, [&r](const char* ref) { return vaviviv_calcular(10, ref, "123.45", "15/06/2000", &r); });
}

BENCHMARK(BM_00);
BENCHMARK(BM_02);
BENCHMARK(BM_03);
BENCHMARK(BM_04);
BENCHMARK(BM_06);
BENCHMARK(BM_10);
BENCHMARK(BM_DigitoImporte);
BENCHMARK(BM_35);
BENCHMARK(BM_36);
BENCHMARK(BM_37);
BENCHMARK(BM_C_00);
BENCHMARK(BM_C_10);

}  // namespace
