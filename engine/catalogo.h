#pragma once
// The nine algorithms the tool offers, in display order: what each takes, its
// limits and its routine. Everything else asks this table (the windows' lists,
// the rules' checks, the command line's options, the results headers, the C
// library); nothing outside the engine branches on a code.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "engine/algoritmos.h"
#include "engine/fecha.h"

namespace vaviviv {

// Which texts an algorithm takes besides the reference.
enum class Entradas { Referencia, SucursalCuenta, ImporteFecha };

// What its reference may hold.
enum class Caracteres {
    Digitos,
    FechaYAlfanumericos,  // AAMMDD, then letters and digits; a refused character is the row's error
    Alfanumericos,        // letters and digits; a refused character leaves the row empty
};

// One record: the reference, then branch and account (06) or amount and date
// (10); the last two are ignored by the other algorithms.
struct Campos {
    std::string_view referencia, campo2, campo3;
};

// A record whose checks have passed (engine/fila.h), with what they read
// from it: the routine checks nothing again.
struct Comprobado {
    std::string_view referencia, sucursal, cuenta;  // trimmed
    std::int64_t centavos = 0;                      // 10: the amount
    Fecha fecha;                                    // 10: the date
};

struct Algoritmo {
    int codigo;              // the AlgorithmCode, not the position
    Entradas entradas;
    Caracteres caracteres;
    int longitudMaxima;      // longest reference, in characters
    int anchoResultado;      // number of check digits
    Resultado (*rutina)(const Campos&);           // checks its own precondition
    Resultado (*comprobada)(const Comprobado&);  // on a checked record
    // Where there is one: the common record (trimmed) checked and calculated
    // in one pass; nothing for any other.
    std::optional<Digitos> (*unaPasada)(const Campos&) = nullptr;
};

namespace detalle {
template <Resultado (*R)(std::string_view)>
Resultado SoloReferencia(const Campos& c) { return R(c.referencia); }
template <Resultado (*R)(std::string_view)>
Resultado SoloComprobada(const Comprobado& c) { return R(c.referencia); }
inline Resultado Rutina06(const Campos& c) { return CalcularAlgoritmo06(c.campo2, c.campo3, c.referencia); }
inline Resultado Rutina10(const Campos& c) { return CalcularAlgoritmo10(c.referencia, c.campo2, c.campo3); }
inline Resultado Comprobada06(const Comprobado& c) { return comprobado::Algoritmo06(c.sucursal, c.cuenta, c.referencia); }
inline Resultado Comprobada10(const Comprobado& c) { return comprobado::Algoritmo10(c.referencia, c.centavos, c.fecha); }
inline std::optional<Digitos> UnaPasada00(const Campos& c) { return comprobado::Algoritmo00EnUnaPasada(c.referencia); }
inline std::optional<Digitos> UnaPasada10(const Campos& c) {
    return comprobado::Algoritmo10EnUnaPasada(c.referencia, c.campo2, c.campo3);
}
}  // namespace detalle

inline constexpr std::array<Algoritmo, 9> kCatalogo{{
    {0, Entradas::Referencia, Caracteres::Digitos, 19, 1, detalle::SoloReferencia<CalcularAlgoritmo00>,
     detalle::SoloComprobada<comprobado::Algoritmo00>, detalle::UnaPasada00},
    {2, Entradas::Referencia, Caracteres::FechaYAlfanumericos, 19, 1, detalle::SoloReferencia<CalcularAlgoritmo02>,
     detalle::SoloComprobada<CalcularAlgoritmo02>},
    {3, Entradas::Referencia, Caracteres::Digitos, 19, 1, detalle::SoloReferencia<CalcularAlgoritmo03>,
     detalle::SoloComprobada<comprobado::Algoritmo03>},
    {4, Entradas::Referencia, Caracteres::Digitos, 18, 2, detalle::SoloReferencia<CalcularAlgoritmo04>,
     detalle::SoloComprobada<comprobado::Algoritmo04>},
    {6, Entradas::SucursalCuenta, Caracteres::Digitos, 18, 2, detalle::Rutina06, detalle::Comprobada06},
    {10, Entradas::ImporteFecha, Caracteres::Digitos, 12, 8, detalle::Rutina10, detalle::Comprobada10, detalle::UnaPasada10},
    {35, Entradas::Referencia, Caracteres::Alfanumericos, 19, 1, detalle::SoloReferencia<CalcularAlgoritmo35>,
     detalle::SoloComprobada<CalcularAlgoritmo35>},
    {36, Entradas::Referencia, Caracteres::Alfanumericos, 19, 1, detalle::SoloReferencia<CalcularAlgoritmo36>,
     detalle::SoloComprobada<CalcularAlgoritmo36>},
    {37, Entradas::Referencia, Caracteres::Alfanumericos, 18, 2, detalle::SoloReferencia<CalcularAlgoritmo37>,
     detalle::SoloComprobada<CalcularAlgoritmo37>},
}};

// The shortest reference of code 02: its date prefix, AAMMDD.
inline constexpr int kLongitudFecha02 = 6;
// Branch and account of code 06, in digits.
inline constexpr int kLongitudSucursal = 8;
inline constexpr int kLongitudCuenta = 8;

constexpr std::span<const Algoritmo> Catalogo() { return kCatalogo; }

// nullptr for a code that is not in the catalogue.
constexpr const Algoritmo* BuscarAlgoritmo(int codigo) {
    for (const auto& a : kCatalogo)
        if (a.codigo == codigo) return &a;
    return nullptr;
}

// Where an entry stands in the catalogue, for tables kept in the same order.
constexpr std::size_t Posicion(const Algoritmo& a) { return std::size_t(&a - kCatalogo.data()); }

// The longest reference of a code; 0 for a code outside the catalogue.
constexpr std::size_t LongitudMaxima(int codigo) {
    const Algoritmo* a = BuscarAlgoritmo(codigo);
    return a ? std::size_t(a->longitudMaxima) : 0;
}

// A catalogue code that takes two fields besides the reference (branch and
// account, or amount and date).
constexpr bool TomaDosCamposMas(int codigo) {
    const Algoritmo* a = BuscarAlgoritmo(codigo);
    return a && a->entradas != Entradas::Referencia;
}

// A catalogue code whose reference starts with a date, AAMMDD.
constexpr bool FechaEnReferencia(int codigo) {
    const Algoritmo* a = BuscarAlgoritmo(codigo);
    return a && a->caracteres == Caracteres::FechaYAlfanumericos;
}

// The routine of a code on the record as it stands (no trimming, no checks
// but its own precondition); FueraDePrecondicion for a code outside the catalogue.
inline Resultado Calcular(int codigo, const Campos& campos) {
    const Algoritmo* a = BuscarAlgoritmo(codigo);
    return a ? a->rutina(campos) : Resultado{Resultado::Estado::FueraDePrecondicion, {}, {}};
}

}  // namespace vaviviv
