#include "reglas/reglas_fila.h"

#include <algorithm>
#include <array>

#include "engine/algoritmos.h"
#include "engine/caracteres.h"
#include "engine/catalogo.h"
#include "engine/fecha.h"
#include "engine/numero.h"
#include "reglas/texto.h"

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
        for (std::size_t i = 0; i < kCatalogo.size(); ++i) {
            mayorDigitos[i] = ConLimite("Error: Referencia mayor a ", kCatalogo[i].longitudMaxima, " dígitos.");
            mayorAlfanumericos[i] =
                ConLimite("Error: Referencia mayor a ", kCatalogo[i].longitudMaxima, " caracteres alfanumericos.");
        }
    }
};

const Textos& TextosFila() {
    static const Textos textos;
    return textos;
}

constexpr std::string_view kNoValida = "Error: Referencia no válida.";

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

// Code 10: amount and date, in the order the bulk window reports them.
std::string_view ComprobarImporteFecha(std::string_view importe, std::string_view fecha) {
    const auto numero = LeerNumero(importe);
    // A negative amount is refused here: the routine takes none.
    if (!numero || numero->esNegativo()) return "Error: Importe no válido.";
    if (!CifrasDDMMAAAA(fecha)) return "Formato de fecha no válido.";
    if (numero->superaImporteMaximo()) return "Error: Importe mayor a $ 999999999.99";
    const auto f = LeerFecha(fecha);
    if (!f) return "Error: Fecha no válida.";
    if (*f > kFechaMaxima) return "Error: Fecha mayor al 18/11/2014.";
    if (*f < kFechaMinima) return "Error: Fecha menor al 01/01/1988.";
    return {};
}

// The checks of a catalogue code, in order; the first message that applies, or none.
std::string_view Comprobar(const Algoritmo& algoritmo, std::string_view ref, std::string_view c1, std::string_view c2) {
    const auto indice = std::size_t(&algoritmo - kCatalogo.data());
    const bool largo = ContarCaracteres(ref) > std::size_t(algoritmo.longitudMaxima);
    const std::string_view mayor = TextosFila().mayorDigitos[indice];
    switch (algoritmo.codigo) {
    case 2: return ComprobarFecha02(ref);
    case 6:
        if (largo) return mayor;
        if (!SoloDigitos(ref)) return kNoValida;
        if (ContarCaracteres(c1) > std::size_t(kLongitudSucursal)) return TextosFila().sucursalMayor;
        if (!SoloDigitos(c1)) return "Error: Sucursal no válida.";
        if (ContarCaracteres(c2) > std::size_t(kLongitudCuenta)) return TextosFila().cuentaMayor;
        if (!SoloDigitos(c2)) return "Error: Cuenta no válida.";
        return {};
    case 10:
        if (largo) return mayor;
        if (!SoloDigitos(ref)) return kNoValida;
        return ComprobarImporteFecha(c1, c2);
    case 35:
    case 36:
    case 37:
        if (largo) return TextosFila().mayorAlfanumericos[indice];
        return ref.empty() ? kNoValida : std::string_view();  // the routines need a reference
    default:
        if (largo) return mayor;
        return SoloDigitos(ref) ? std::string_view() : kNoValida;
    }
}

Resultado Calcular(int codigo, std::string_view ref, std::string_view c1, std::string_view c2) {
    switch (codigo) {
    case 0: return CalcularAlgoritmo00(ref);
    case 3: return CalcularAlgoritmo03(ref);
    case 4: return CalcularAlgoritmo04(ref);
    case 6: return CalcularAlgoritmo06(c1, c2, ref);
    case 10: return CalcularAlgoritmo10(ref, c1, c2);
    case 35: return CalcularAlgoritmo35(ref);
    case 36: return CalcularAlgoritmo36(ref);
    case 37: return CalcularAlgoritmo37(ref);
    default: return {Resultado::Estado::FueraDePrecondicion, {}, {}};
    }
}

// A cell as UTF-8: an ASCII one (nearly all) is copied into `corto`, without allocating.
std::string_view EnUtf8(QStringView celda, std::array<char, 32>& corto, QByteArray& largo) {
    if (celda.size() <= qsizetype(corto.size()) &&
        std::all_of(celda.begin(), celda.end(), [](QChar c) { return c.unicode() < 0x80; })) {
        std::transform(celda.begin(), celda.end(), corto.begin(), [](QChar c) { return char(c.unicode()); });
        return {corto.data(), std::size_t(celda.size())};
    }
    largo = celda.toUtf8();
    return Vista(largo);
}

}  // namespace

FilaCalculada CalcularFilaUtf8(int codigo, std::string_view c0, std::string_view c1, std::string_view c2) {
    using D = FilaCalculada::Desenlace;
    FilaCalculada fila;
    const Algoritmo* algoritmo = BuscarAlgoritmo(codigo);
    if (!algoritmo) return fila;
    fila.referencia = RecortarEspacios(c0);
    c1 = RecortarEspacios(c1);
    c2 = RecortarEspacios(c2);
    fila.error = Comprobar(*algoritmo, fila.referencia, c1, c2);
    if (!fila.error.empty()) {
        fila.desenlace = D::Error;
        return fila;
    }
    if (codigo == 2) {
        Lectura02 l = LeerResultado02(CalcularAlgoritmo02(fila.referencia));
        if (!l.correcto) {
            fila.desenlace = D::Error;
            fila.error = "Error: Referencia no valida = ";
            fila.caracter = std::move(l.caracter);
            return fila;
        }
        fila.desenlace = D::Calculada;
        fila.digitos = std::move(l.digito);
        return fila;
    }
    Resultado res = Calcular(codigo, fila.referencia, c1, c2);
    if (res.estado == Resultado::Estado::CaracterNoValido) {
        fila.desenlace = D::CaracterNoValido;
        fila.caracter = std::move(res.caracter);
    } else if (res.correcto()) {  // the checks keep every other outcome away
        fila.desenlace = D::Calculada;
        fila.digitos = std::move(res.digitos);
    }
    return fila;
}

ResultadoFila CalcularFila(int codigo, QStringView col0, QStringView col1, QStringView col2) {
    using D = FilaCalculada::Desenlace;
    const QStringView ref = RecortarEspacios(col0);
    const bool tresCampos = TomaDosCamposMas(codigo);
    std::array<std::array<char, 32>, 3> corto;
    std::array<QByteArray, 3> largo;
    const FilaCalculada f = CalcularFilaUtf8(codigo, EnUtf8(ref, corto[0], largo[0]),
                                             tresCampos ? EnUtf8(col1, corto[1], largo[1]) : std::string_view(),
                                             tresCampos ? EnUtf8(col2, corto[2], largo[2]) : std::string_view());
    ResultadoFila fila;
    switch (f.desenlace) {
    case D::Calculada:
        fila.digitos = QString::fromLatin1(f.digitos.data(), qsizetype(f.digitos.size()));
        fila.resultado.reserve(ref.size() + fila.digitos.size());
        fila.resultado.append(ref).append(fila.digitos);  // the row's own text, not a round trip
        break;
    case D::Error: fila.resultado = DesdeUtf8(f.error) + DesdeUtf8(f.caracter); break;
    case D::CaracterNoValido: fila.caracterNoValido = DesdeUtf8(f.caracter); break;
    case D::Vacia: break;
    }
    return fila;
}

}  // namespace vaviviv
