#pragma once
// The check-digit routines. Texts are UTF-8; only "0"-"9" are digits and only
// "A"-"Z"/"a"-"z" are letters. No routine keeps state or shows anything.
//
// Inputs outside a routine's precondition (empty where a reference is needed,
// too long, a non-digit where digits are required, an amount or date out of
// range) never read out of bounds: the routine answers FueraDePrecondicion and
// no digits. The windows' checks keep such inputs away; the answer exists so
// that any other caller (command line, fuzzing) is safe too.

#include <string>
#include <string_view>

namespace vaviviv {

struct Resultado {
    enum class Estado { Correcto, CaracterNoValido, FueraDePrecondicion };
    Estado estado = Estado::Correcto;
    std::string digitos;   // Correcto: exactly the algorithm's width
    std::string caracter;  // CaracterNoValido: leftmost rejected character as typed
                           // (one UTF-8 sequence, or one byte when malformed)
    bool correcto() const { return estado == Estado::Correcto; }
};

Resultado CalcularAlgoritmo00(std::string_view referencia);
// Any reference is taken: the rightmost rejected character, as typed, or the
// digit ("0" for an empty reference).
Resultado CalcularAlgoritmo02(std::string_view referencia);
Resultado CalcularAlgoritmo03(std::string_view referencia);
Resultado CalcularAlgoritmo04(std::string_view referencia);
Resultado CalcularAlgoritmo06(std::string_view sucursal, std::string_view cuenta,
                              std::string_view referencia);
// importe: a decimal text (see numero.h); fecha: DD/MM/AAAA read by position.
Resultado CalcularAlgoritmo10(std::string_view referencia, std::string_view importe,
                              std::string_view fecha);
// 0-9, or -1 when the amount is not a number from 0 to 999,999,999.99.
int CalcularDigitoImporte(std::string_view importe);
Resultado CalcularAlgoritmo35(std::string_view referencia);
Resultado CalcularAlgoritmo36(std::string_view referencia);
Resultado CalcularAlgoritmo37(std::string_view referencia);

}  // namespace vaviviv
