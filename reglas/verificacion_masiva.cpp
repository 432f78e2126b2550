#include "reglas/verificacion_masiva.h"

#include <array>

#include "engine/caracteres.h"
#include "engine/catalogo.h"
#include "reglas/calcular_referencia.h"
#include "reglas/reglas_fila.h"
#include "reglas/texto.h"

namespace vaviviv {

namespace {

// A too-short complete reference's text for each catalogue entry, from its width.
struct TextosCortos {
    std::string textos[kCatalogo.size()];
    TextosCortos() {
        for (std::size_t i = 0; i < kCatalogo.size(); ++i) {
            const int ancho = kCatalogo[i].anchoResultado;
            textos[i] = "La referencia completa debe tener más de " + std::to_string(ancho) +
                        (ancho == 1 ? " carácter" : " caracteres");
        }
    }
};

// Blocks of whole lines into verification lines. An ASCII row is written
// from the file's bytes, as the bulk calculation writes its rows.
class VerificacionBloque final : public CalculoDeBloques {
public:
    VerificacionBloque(int codigo, bool utf8, char separador)
        : algoritmo_(BuscarAlgoritmo(codigo)), decodificador_(utf8), partidor_(separador), lineas_(generales_) {
        valida_ = enCodigo_(kValida);
        noValida_ = enCodigo_(kNoValida);
    }

    void calcular(std::string_view bloque, QByteArray& salida, CuentasMasivo& cuentas) override {
        using D = Verificacion::Estado;
        const auto general = [&](const LineaBytes& linea) -> const QByteArray& {
            filaGeneral(linea, cuentas);
            return generales_;
        };
        EscribirBloque(partidor_, bloque, salida, cuentas, general, [&](const LineaBytes& linea, Cursor& cursor) {
            const auto& [c0, c1, c2] = linea.campos;
            const Verificacion f = algoritmo_ ? VerificarFilaUtf8(*algoritmo_, c0, c1, c2) : Verificacion{};
            std::string_view resultado, tras;
            switch (f.estado) {
            case D::Valida: resultado = valida_; break;
            case D::NoValida: resultado = noValida_, ++cuentas.noValidas; break;
            case D::Error: resultado = enCodigo_(f.error), tras = f.caracter, ++cuentas.errores; break;
            case D::CaracterNoValido:
                mensaje_.truncate(0);
                codificador_.codificar(MensajeCaracterNoValido(QString::fromLatin1(f.caracter.data(), qsizetype(f.caracter.size()))), mensaje_);
                resultado = Vista(mensaje_), ++cuentas.errores;
                break;
            case D::CodigoDesconocido: break;
            }
            cursor.asegurar(c0.size() + resultado.size() + tras.size() + f.referencia.size() + f.digitos.size() + 5);
            cursor.poner(c0);
            cursor.poner(kTrasCelda);
            cursor.poner(resultado);
            cursor.ponerCorto(tras);
            cursor.poner(kTrasCelda);
            cursor.poner(f.referencia);
            cursor.ponerCorto(f.digitos);
            cursor.poner(kTrasCelda);
            cursor.poner(kFinDeLinea);
        });
    }

private:
    // Decoded, verified on its UTF-8 and written through the code page.
    void filaGeneral(const LineaBytes& linea, CuentasMasivo& cuentas) {
        using D = Verificacion::Estado;
        std::array<QString, 3> c;
        std::array<QByteArray, 3> utf8;
        for (std::size_t i = 0; i < 3; ++i) {
            c[i] = decodificador_(linea.campos[i], false);
            utf8[i] = c[i].toUtf8();
        }
        const Verificacion f =
            algoritmo_ ? VerificarFilaUtf8(*algoritmo_, Vista(utf8[0]), Vista(utf8[1]), Vista(utf8[2])) : Verificacion{};
        QString resultado;
        switch (f.estado) {
        case D::Valida: resultado = DesdeUtf8(kValida); break;
        case D::NoValida: resultado = DesdeUtf8(kNoValida), ++cuentas.noValidas; break;
        case D::Error: resultado = DesdeUtf8(f.error) + DesdeUtf8(f.caracter), ++cuentas.errores; break;
        case D::CaracterNoValido: resultado = MensajeCaracterNoValido(DesdeUtf8(f.caracter)), ++cuentas.errores; break;
        case D::CodigoDesconocido: break;
        }
        const QString esperada = DesdeUtf8(f.referencia) + DesdeUtf8(f.digitos);
        generales_.truncate(0);
        lineas_.fila(std::array<QStringView, 3>{c[0], resultado, esperada});
    }

    const Algoritmo* algoritmo_;  // null for a code outside the catalogue: empty rows
    DecodificadorCampos decodificador_;
    PartidorBloque partidor_;
    QByteArray generales_;  // what lineas_ writes, moved to the block's output
    LineasResultados lineas_;
    TextosEnCodigo enCodigo_;
    std::string_view valida_, noValida_;
    CodificadorWindows1252 codificador_;
    QByteArray mensaje_;
};

}  // namespace

std::string_view TextoCompletaCorta(int codigo) {
    static const TextosCortos cortos;
    const Algoritmo* algoritmo = BuscarAlgoritmo(codigo);
    return algoritmo ? std::string_view(cortos.textos[algoritmo - kCatalogo.data()]) : std::string_view();
}

Verificacion VerificarFilaUtf8(int codigo, std::string_view c0, std::string_view c1, std::string_view c2) {
    const Algoritmo* algoritmo = BuscarAlgoritmo(codigo);
    return algoritmo ? VerificarFilaUtf8(*algoritmo, c0, c1, c2) : Verificacion{};
}

QString CabeceraVerificacion() { return QStringLiteral("Referencia\tResultado\tReferencia Esperada"); }

ResumenMasivo VerificarArchivo(int codigo, QIODevice& entrada, QIODevice& salida, int hilos, bool csv) {
    const FabricaCalculo fabrica = [codigo](bool utf8, char separador) {
        return std::make_unique<VerificacionBloque>(codigo, utf8, separador);
    };
    return ProcesarArchivo(entrada, salida, CabeceraVerificacion(), fabrica, [](const AvisoCaracter&) {}, hilos, csv);
}

}  // namespace vaviviv
