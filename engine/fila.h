#pragma once
// The bulk rules for one record, on UTF-8 text: trim, check in the fixed order
// per algorithm, call the routine, form the result. The results file's cells
// and error texts are made here, byte for byte the same for the bulk window,
// vaviviv-cli and the C library; the texts live as long as the program.

#include <string>
#include <string_view>

#include "engine/caracteres.h"
#include "engine/catalogo.h"

namespace vaviviv {

struct FilaCalculada {
    enum class Desenlace {
        Calculada,         // cells: referencia + digitos, digitos
        Error,             // cells: error + caracter, empty
        CaracterNoValido,  // routines 35-37 refused `caracter`: both cells empty, the user is told
        Vacia,             // not a catalogue code: both cells empty
    };
    Desenlace desenlace = Desenlace::Vacia;
    std::string_view referencia;  // the first cell trimmed (a view into it)
    std::string_view error;       // lives as long as the program; its address names it
    Caracter caracter;            // one character, UTF-8 (code 02's is part of its error)
    Digitos digitos;
};

// Which kind of fault an error text of CalcularFilaUtf8 names: a text past
// (or, for code 02's date, short of) its length limit, or anything else.
enum class Falta { Formato, Longitud };
Falta FaltaDe(std::string_view error);

// How a character routines 35-37 refuse is told to the user, UTF-8.
std::string MensajeCaracterNoValidoUtf8(std::string_view caracter);

// c0..c2: the record's first three cells as they stand (reference, then
// branch/account or amount/date), valid UTF-8.
FilaCalculada CalcularFilaUtf8(int codigo, std::string_view c0, std::string_view c1, std::string_view c2);
// The same for a catalogue entry at hand (a bulk run looks it up once).
// Inline: the common record, checked and calculated in one pass, is most
// rows of a bulk run.
inline FilaCalculada CalcularFilaUtf8(const Algoritmo& algoritmo, std::string_view c0, std::string_view c1,
                                      std::string_view c2);
// Every check in its order, then the routine: `campos` trimmed.
FilaCalculada CalcularFilaComprobando(const Algoritmo& algoritmo, const Campos& campos);

struct Verificacion {
    enum class Estado { Valida, NoValida, Error, CaracterNoValido, CodigoDesconocido };
    Estado estado = Estado::CodigoDesconocido;
    std::string_view referencia;  // Valida, NoValida: what the digits are for, a view into the complete reference
    Digitos digitos;              // Valida, NoValida: the check digits it should end with
    std::string_view error;       // Error: the row's error text, as CalcularFilaUtf8 gives it
    Caracter caracter;            // Error (code 02) and CaracterNoValido: the refused character
    std::string esperada() const { return std::string(referencia).append(digitos); }
};

// A complete reference (trimmed like the reference cell; its last digits are
// the algorithm's width in characters) checked by the bulk rules: what stands
// before the digits is calculated as a record with campo2 and campo3, and the
// result compared with the whole.
Verificacion Verificar(int codigo, std::string_view completa, std::string_view campo2 = {},
                       std::string_view campo3 = {});
// Inline, as CalcularFilaUtf8: what a row hands on stays in registers.
inline Verificacion Verificar(const Algoritmo& algoritmo, std::string_view completa, std::string_view campo2 = {},
                              std::string_view campo3 = {});

inline FilaCalculada CalcularFilaUtf8(const Algoritmo& algoritmo, std::string_view c0, std::string_view c1,
                                      std::string_view c2) {
    const Campos campos{RecortarEspacios(c0), RecortarEspacios(c1), RecortarEspacios(c2)};
    if (algoritmo.unaPasada) {
        if (const auto digitos = algoritmo.unaPasada(campos)) {
            FilaCalculada fila;
            fila.desenlace = FilaCalculada::Desenlace::Calculada;
            fila.referencia = campos.referencia;
            fila.digitos = *digitos;
            return fila;
        }
    }
    return CalcularFilaComprobando(algoritmo, campos);
}

namespace detalle {

// A few bytes, compared in place: a call to memcmp took a fifteenth of a
// verified row's time.
inline bool TerminaEn(std::string_view texto, std::string_view fin) {
    if (fin.size() > texto.size()) return false;
    const char* t = texto.data() + (texto.size() - fin.size());
    for (std::size_t i = 0; i < fin.size(); ++i)
        if (t[i] != fin[i]) return false;
    return true;
}

// The bytes of the last n characters of valid UTF-8 text (all of it when shorter).
inline std::size_t BytesDeLosUltimos(std::string_view s, std::size_t n) {
    std::size_t i = s.size();
    for (; i > 0 && n > 0; --n)
        do --i;
        while (i > 0 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80);
    return s.size() - i;
}

}  // namespace detalle

inline Verificacion Verificar(const Algoritmo& algoritmo, std::string_view completa, std::string_view campo2,
                              std::string_view campo3) {
    using E = Verificacion::Estado;
    using D = FilaCalculada::Desenlace;
    Verificacion v;
    completa = RecortarEspacios(completa);
    const std::string_view antes = completa.substr(
        0, completa.size() - detalle::BytesDeLosUltimos(completa, std::size_t(algoritmo.anchoResultado)));
    // The reference kept apart from the record handed on: read back from the
    // record, a view written as two halves stalls a 16-byte copy.
    const std::string_view referencia = RecortarEspacios(antes);
    const Campos campos{referencia, RecortarEspacios(campo2), RecortarEspacios(campo3)};
    if (const auto digitos = algoritmo.unaPasada ? algoritmo.unaPasada(campos) : std::nullopt) {
        v.referencia = referencia;
        v.digitos = *digitos;
        v.estado = referencia.size() + digitos->size() == completa.size() && detalle::TerminaEn(completa, *digitos)
                       ? E::Valida
                       : E::NoValida;
        return v;
    }
    const FilaCalculada f = CalcularFilaComprobando(algoritmo, campos);
    switch (f.desenlace) {
    case D::Calculada:
        // The reference starts where the trimmed complete one does: the two
        // agree when the digits fill exactly the rest.
        v.referencia = f.referencia;
        v.digitos = f.digitos;
        v.estado = v.referencia.size() + v.digitos.size() == completa.size() && detalle::TerminaEn(completa, v.digitos)
                       ? E::Valida
                       : E::NoValida;
        break;
    case D::Error: v.estado = E::Error; break;
    case D::CaracterNoValido: v.estado = E::CaracterNoValido; break;
    case D::Vacia: break;
    }
    v.error = f.error;
    v.caracter = f.caracter;
    return v;
}

}  // namespace vaviviv
