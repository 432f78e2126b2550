#include "engine/fila.h"

#include "engine/caracteres.h"
#include "engine/catalogo.h"
#include "engine/fecha.h"
#include "engine/numero.h"

namespace vaviviv {

namespace {

// The texts that carry a limit are made once, from the catalogue.
std::string ConLimite(std::string_view antes, int limite, std::string_view despues) {
    return std::string(antes).append(std::to_string(limite)).append(despues);
}

struct Textos {
    std::string mayorDigitos[kCatalogo.size()];
    std::string mayorAlfanumericos[kCatalogo.size()];
    std::string fechaMenor = ConLimite("Error: Fecha menor a ", kLongitudFecha02, " dígitos.");
    std::string sucursalMayor = ConLimite("Error: Sucursal mayora ", kLongitudSucursal, " dígitos.");
    std::string cuentaMayor = ConLimite("Error: Cuenta mayor a ", kLongitudCuenta, " dígitos.");
    Textos() {
        for (const Algoritmo& a : kCatalogo) {
            mayorDigitos[Posicion(a)] = ConLimite("Error: Referencia mayor a ", a.longitudMaxima, " dígitos.");
            mayorAlfanumericos[Posicion(a)] =
                ConLimite("Error: Referencia mayor a ", a.longitudMaxima, " caracteres alfanumericos.");
        }
    }
};

const Textos& TextosFila() {
    static const Textos textos;
    return textos;
}

constexpr std::string_view kNoValida = "Error: Referencia no válida.";
// Code 02's refused character follows this text in the cell.
constexpr std::string_view kNoValida02 = "Error: Referencia no valida = ";

// Code 2: the date prefix AAMMDD, each pair read as a number. The pairs are
// cut by bytes: a pair holding anything but ASCII is no number, and ahead of
// the first such byte bytes and characters agree.
std::string_view ComprobarFecha02(std::string_view ref) {
    if (ContarCaracteres(ref) < std::size_t(kLongitudFecha02)) return TextosFila().fechaMenor;
    const std::string_view aa = ref.substr(0, 2), mm = ref.substr(2, 2), dd = ref.substr(4, 2);
    const auto anio = LeerNumero(aa);
    if (!anio) return "Error: Valor de año no válido.";
    if (!LeerNumero(mm)) return "Error: Valor de mes no válido.";
    if (!LeerNumero(dd)) return "Error: Valor de día no válido.";
    const auto a = anio->enteroPequeno();
    const bool siglo19 = !anio->signoMenos && a && AnioDeReferencia02(*a) < 2000;
    std::string fecha(dd);
    fecha.append("/").append(mm).append(siglo19 ? "/19" : "/20").append(aa);
    if (!LeerFecha(fecha)) return "Error: Fecha <> AAMMDD";
    return {};
}

std::string_view ComprobarSucursalCuenta(std::string_view sucursal, std::string_view cuenta) {
    if (ContarCaracteres(sucursal) > std::size_t(kLongitudSucursal)) return TextosFila().sucursalMayor;
    if (!SoloDigitos(sucursal)) return "Error: Sucursal no válida.";
    if (ContarCaracteres(cuenta) > std::size_t(kLongitudCuenta)) return TextosFila().cuentaMayor;
    if (!SoloDigitos(cuenta)) return "Error: Cuenta no válida.";
    return {};
}

// Code 10: amount and date, in the order the bulk window reports them; what
// they hold goes to `hecho`, for the routine.
std::string_view ComprobarImporteFecha(std::string_view importe, std::string_view fecha, Comprobado& hecho) {
    const auto numero = LeerNumero(importe);
    // A negative amount is refused here: the routine takes none.
    if (!numero || numero->esNegativo()) return "Error: Importe no válido.";
    if (!CifrasDDMMAAAA(fecha)) return "Formato de fecha no válido.";
    if (numero->superaImporteMaximo()) return "Error: Importe mayor a $ 999999999.99";
    const auto f = LeerFecha(fecha);
    if (!f) return "Error: Fecha no válida.";
    if (*f > kFechaMaxima) return "Error: Fecha mayor al 18/11/2014.";
    if (*f < kFechaMinima) return "Error: Fecha menor al 01/01/1988.";
    hecho.centavos = numero->centavos().value_or(0);  // at most 99,999,999,999 here
    hecho.fecha = *f;
    return {};
}

// The checks of a catalogue entry, in order: the first message that applies,
// or none and the record in `hecho`.
std::string_view Comprobar(const Algoritmo& a, const Campos& c, Comprobado& hecho) {
    hecho.referencia = c.referencia;
    hecho.sucursal = c.campo2;
    hecho.cuenta = c.campo3;
    if (a.caracteres == Caracteres::FechaYAlfanumericos) return ComprobarFecha02(c.referencia);
    const std::size_t maximo = std::size_t(a.longitudMaxima);
    if (a.caracteres == Caracteres::Alfanumericos) {
        if (ContarCaracteres(c.referencia) > maximo) return TextosFila().mayorAlfanumericos[Posicion(a)];
        return c.referencia.empty() ? kNoValida : std::string_view();  // the routines need a reference
    }
    // In a reference of digits alone bytes are characters: one pass answers
    // both checks, and only another reference is counted.
    const bool digitos = SoloDigitos(c.referencia);
    if ((digitos ? c.referencia.size() : ContarCaracteres(c.referencia)) > maximo)
        return TextosFila().mayorDigitos[Posicion(a)];
    if (!digitos) return kNoValida;
    switch (a.entradas) {
    case Entradas::SucursalCuenta: return ComprobarSucursalCuenta(c.campo2, c.campo3);
    case Entradas::ImporteFecha: return ComprobarImporteFecha(c.campo2, c.campo3, hecho);
    case Entradas::Referencia: break;
    }
    return {};
}

}  // namespace

Falta FaltaDe(std::string_view error) {
    const Textos& t = TextosFila();
    for (const Algoritmo& a : kCatalogo)
        if (error == t.mayorDigitos[Posicion(a)] || error == t.mayorAlfanumericos[Posicion(a)]) return Falta::Longitud;
    const bool longitud = error == t.fechaMenor || error == t.sucursalMayor || error == t.cuentaMayor;
    return longitud ? Falta::Longitud : Falta::Formato;
}

std::string MensajeCaracterNoValidoUtf8(std::string_view caracter) {
    return std::string("Caracter no Válido en la referencia: ' ").append(caracter).append(" '");
}

FilaCalculada CalcularFilaComprobando(const Algoritmo& algoritmo, const Campos& campos) {
    using D = FilaCalculada::Desenlace;
    FilaCalculada fila;
    fila.referencia = campos.referencia;
    Comprobado hecho;
    fila.error = Comprobar(algoritmo, campos, hecho);
    if (!fila.error.empty()) {
        fila.desenlace = D::Error;
        return fila;
    }
    const Resultado res = algoritmo.comprobada(hecho);
    if (res.estado == Resultado::Estado::CaracterNoValido) {
        const bool deLaFila = algoritmo.caracteres == Caracteres::FechaYAlfanumericos;
        fila.desenlace = deLaFila ? D::Error : D::CaracterNoValido;
        if (deLaFila) fila.error = kNoValida02;
        fila.caracter = res.caracter;
    } else if (res.correcto()) {  // the checks keep every other outcome away
        fila.desenlace = D::Calculada;
        fila.digitos = res.digitos;
    }
    return fila;
}

FilaCalculada CalcularFilaUtf8(int codigo, std::string_view c0, std::string_view c1, std::string_view c2) {
    const Algoritmo* algoritmo = BuscarAlgoritmo(codigo);
    return algoritmo ? CalcularFilaUtf8(*algoritmo, c0, c1, c2) : FilaCalculada{};
}

Verificacion Verificar(int codigo, std::string_view completa, std::string_view campo2, std::string_view campo3) {
    const Algoritmo* algoritmo = BuscarAlgoritmo(codigo);
    return algoritmo ? Verificar(*algoritmo, completa, campo2, campo3) : Verificacion{};
}

}  // namespace vaviviv
