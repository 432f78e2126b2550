// Storing the grid as the results file (reglas/archivo_resultados.h): the
// header of the chosen algorithm, then every data row, each cell followed by
// a tab. A failed store is offered again; until one succeeds the file that
// was there before stays as it was (reglas/destino_resultados.h), or the
// message says it was partly overwritten.

#include "reglas/archivo_resultados.h"
#include "reglas/destino_resultados.h"
#include "reglas/calcular_referencia.h"
#include "reglas/error_sistema.h"
#include "masivo/frmMasivo.h"
#include "masivo/rejilla.h"
#include "platform/dialogos.h"
#include "platform/lista_algoritmos.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <optional>
#include <vector>

namespace vaviviv {

namespace {

struct FalloAlmacenar {
    ErrorSistema error;
    bool sobrescrito = false;  // the earlier file was already partly overwritten
};

// One whole attempt: nothing reaches `ruta` unless every step succeeds; a
// file rewritten in place (its folder takes no new entries) is touched only
// once the whole results exist, and the failure says if it was.
std::optional<FalloAlmacenar> Escribir(const QString& ruta, int codigo, const RejillaModelo& celdas) {
    DestinoResultados destino(ruta, /*esperarBloqueo=*/false);
    if (!destino.abrir()) return FalloAlmacenar{ErrorDeArchivo(destino.numero(), QFileDevice::OpenError, destino.error(), ruta)};
    EscritorResultados escritor(destino.dispositivo());
    escritor.escribirCabecera(codigo);
    std::vector<QStringView> fila(std::size_t(celdas.Cols()));
    for (int f = 1; f < celdas.Rows() && escritor.error().isEmpty(); ++f) {
        for (int c = 0; c < celdas.Cols(); ++c) fila[std::size_t(c)] = celdas.TextMatrix(f, c);
        escritor.escribirFila(std::span<const QStringView>(fila));
    }
    if (!escritor.terminar()) return FalloAlmacenar{ErrorDeArchivo(escritor.numero(), QFileDevice::WriteError, escritor.error())};
    if (!destino.confirmar())
        return FalloAlmacenar{ErrorDeArchivo(destino.numero(), QFileDevice::WriteError, destino.error()), destino.sobrescrito()};
    return std::nullopt;
}

}  // namespace

void frmMasivo::GuardarResultados(const QString& ruta) {
    // Without an algorithm there is no header to write: refused before the
    // file is touched.
    const std::optional<int> codigo = CodigoSeleccionado(*cboAlgoritmo);
    if (!codigo) {
        MostrarMensaje(MensajeSinAlgoritmo(), Icono::Critico);
        return;
    }
    // A device or a FIFO would be written as it is, and a FIFO with no reader would hang the window.
    if (ClasificarDestino(QFile::encodeName(ruta)).tipo != TipoDestino::Archivo) {
        MostrarMensaje(QStringLiteral("No se puede almacenar en «%1»: no es un archivo.").arg(ruta), Icono::Critico,
                       Botones::Aceptar, kTituloArchivo);
        return;
    }
    const QFileInfo destino(ruta);
    if (destino.exists() && !destino.isDir() &&
        MostrarMensaje(QString::fromUtf8("¿ El archivo ya existe, desea reescribirlo ?"), Icono::Ninguno,
                       Botones::SiNo, kTituloArchivo) != Respuesta::Si)
        return;
    for (;;) {
        const std::optional<FalloAlmacenar> fallo = Escribir(ruta, *codigo, grdMasivo->modelo());
        if (!fallo) break;
        QString texto = TextoDeError(fallo->error.numero, fallo->error.descripcion);
        if (fallo->sobrescrito) texto += u'\n' + AvisoArchivoSobrescrito();
        if (MostrarMensaje(texto,
                           Icono::Ninguno, Botones::ReintentarCancelar, kTituloArchivo) != Respuesta::Reintentar)
            return;  // the marker stays on: nothing was stored
    }
    if (grdMasivo->Rows() > 1) IrACelda(grdMasivo->Rows() - 1, grdMasivo->Cols() - 1);
    MostrarMensaje(QStringLiteral("Archivo Almacenado exitosamente !!!"), Icono::Informacion, Botones::Aceptar,
                   kTituloDato);
    cmdGuardar->setEnabled(false);
    cmdCalcular->setEnabled(true);
}

}  // namespace vaviviv
