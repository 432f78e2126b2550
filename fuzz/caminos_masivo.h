#pragma once
// The two ways through a bulk file, for the fuzz target and the tests that
// hold them against each other: the general one record by record, as the
// bulk window goes (decoded, the row rules on text, the cells encoded), and
// the bulk calculation on bytes.

#include <QBuffer>
#include <vector>

#include "reglas/archivo_entrada.h"
#include "reglas/archivo_resultados.h"
#include "reglas/calculo_masivo.h"
#include "reglas/reglas_fila.h"

namespace vaviviv::fuzz {

struct SalidaMasivo {
    QByteArray bytes;
    qint64 registros = 0, errores = 0;
    std::vector<std::pair<qint64, QString>> avisos;
    QString errorLectura, errorEscritura;
    bool operator==(const SalidaMasivo&) const = default;
};

inline SalidaMasivo CaminoGeneral(int codigo, QIODevice& entrada, bool csv = false) {
    SalidaMasivo s;
    QBuffer salida(&s.bytes);
    salida.open(QIODevice::WriteOnly);
    EscritorResultados escritor(salida);
    escritor.escribirCabecera(codigo);
    LectorEntrada lector(entrada, csv);
    for (Registro r; lector.siguiente(r); ++s.registros) {
        const auto& [c0, c1, c2] = r.campos;
        const ResultadoFila f = CalcularFila(codigo, c0, c1, c2);
        s.errores += f.digitos.isEmpty();
        if (!f.caracterNoValido.isEmpty()) s.avisos.emplace_back(s.registros + 1, f.caracterNoValido);
        if (codigo == 6 || codigo == 10)
            escritor.escribirFila(std::array<QStringView, 5>{c0, c1, c2, f.resultado, f.digitos});
        else
            escritor.escribirFila(std::array<QStringView, 3>{c0, f.resultado, f.digitos});
    }
    if (!escritor.terminar()) s.errorEscritura = escritor.error();
    s.errorLectura = lector.error();
    return s;
}

// `salida` receives the bytes; they are not kept.
inline SalidaMasivo CaminoRapido(int codigo, QIODevice& entrada, QIODevice& salida, int hilos, bool csv = false) {
    SalidaMasivo s;
    const auto avisar = [&s](const AvisoCaracter& a) { s.avisos.emplace_back(a.registro, a.caracter); };
    const ResumenMasivo r = CalcularArchivo(codigo, entrada, salida, avisar, hilos, csv);
    s.registros = r.cuentas.registros;
    s.errores = r.cuentas.errores;
    s.errorLectura = r.errorLectura;
    s.errorEscritura = r.errorEscritura;
    return s;
}

}  // namespace vaviviv::fuzz
