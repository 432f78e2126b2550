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
    LectorEntrada lector(archivo, EsArchivoCsv(ruta));
    const int columnas = grdMasivo->Cols();
    const int campos = std::min(columnas, 3);  // fields past the grid's columns have nowhere to go
    std::vector<QString> celdas;
    Registro registro;
    int registros = 0;
    while (registros < kMaximoRegistros && lector.siguiente(registro)) {
        ++registros;
        for (int c = 0; c < campos; ++c) {
            // A decoded cell has room for as many characters as it had bytes: the grid keeps only its text.
            QString& celda = registro.campos[std::size_t(c)];
            celda.squeeze();
            celdas.push_back(std::move(celda));
        }
        celdas.resize(celdas.size() + std::size_t(columnas - campos));
    }
    // A line too long is no system error: the reader's own text, under Qt's read-error number.
    if (!lector.error().isEmpty()) {
        MostrarError({QFileDevice::ReadError, lector.error()});
        return false;
    }
    // More after the last record taken, even what could not be read (a line too long), is cut off.
    const bool recortado = registros == kMaximoRegistros && (lector.siguiente(registro) || !lector.error().isEmpty());
    archivo.close();

    grdMasivo->AgregarFilas(std::move(celdas));
    if (registros > 0) IrACelda(grdMasivo->Rows() - 1, 0);
    if (recortado)
        MostrarMensaje(QStringLiteral("El Archivo es demasiado grande, fue recortado a: 30,000 Registros"),
                       Icono::Informacion);
    return true;
}

}  // namespace vaviviv
