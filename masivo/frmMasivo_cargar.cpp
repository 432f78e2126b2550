// Loading the input file into the grid: one row per record, appended after
// the rows already there, at most 30,000 records per file.

#include "reglas/archivo_entrada.h"
#include "reglas/error_sistema.h"
#include "masivo/frmMasivo.h"
#include "masivo/rejilla.h"
#include "platform/dialogos.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <vector>

namespace vaviviv {

namespace {

void MostrarError(const ErrorSistema& error) {
    MostrarMensaje(TextoDeError(error.numero, error.descripcion), Icono::Critico);
}

}  // namespace

frmMasivo::Lectura frmMasivo::LeerRegistros(QIODevice& entrada, int maximo, bool contarSobrantes, bool csv) const {
    LectorEntrada lector(entrada, csv);
    const int columnas = grdMasivo->Cols();
    const int campos = std::min(columnas, 3);  // fields past the grid's columns have nowhere to go
    Lectura lectura;
    Registro registro;
    while (lectura.registros < maximo && lector.siguiente(registro)) {
        ++lectura.registros;
        for (int c = 0; c < campos; ++c) {
            // A decoded cell has room for as many characters as it had bytes: the grid keeps only its text.
            QString& celda = registro.campos[std::size_t(c)];
            celda.squeeze();
            lectura.celdas.push_back(std::move(celda));
        }
        lectura.celdas.resize(lectura.celdas.size() + std::size_t(columnas - campos));
    }
    // A line too long is no system error: the reader's own text.
    if (!lector.error().isEmpty()) {
        lectura.error = lector.error();
        return lectura;
    }
    if (lectura.registros < maximo) return lectura;
    // More after the last record taken, even what could not be read (a line too long), is cut off.
    while (lector.siguiente(registro)) {
        ++lectura.sobrantes;
        if (!contarSobrantes) return lectura;
    }
    if (!lector.error().isEmpty()) ++lectura.sobrantes;
    return lectura;
}

// The records go into a list of their own first and join the grid in one
// step: a file that cannot be read to its end loads nothing, and the view is
// laid out once, not 30,000 times.
bool frmMasivo::CargarArchivo(const QString& ruta) {
    QFile archivo(ruta);
    errno = 0;
    if (!archivo.open(QIODevice::ReadOnly)) {
        const int numero = errno;  // before anything else can change it
        MostrarError(ErrorDeArchivo(numero, QFileDevice::OpenError, archivo.errorString(), ruta));
        return false;
    }
    Lectura lectura = LeerRegistros(archivo, kMaximoRegistros, /*contarSobrantes=*/false, EsArchivoCsv(ruta));
    // Under Qt's read-error number.
    if (!lectura.error.isEmpty()) {
        MostrarError({QFileDevice::ReadError, lectura.error});
        return false;
    }
    archivo.close();

    grdMasivo->AgregarFilas(std::move(lectura.celdas));
    if (lectura.registros > 0) IrACelda(grdMasivo->Rows() - 1, 0);
    if (lectura.sobrantes > 0)
        MostrarMensaje(QStringLiteral("El Archivo es demasiado grande, fue recortado a: 30,000 Registros"),
                       Icono::Informacion);
    return true;
}

}  // namespace vaviviv
