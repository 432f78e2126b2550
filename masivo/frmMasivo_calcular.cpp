// The bulk calculation (cmdCalcular): every data row through the shared row
// rules (reglas/reglas_fila.h), its outcome and digits into the last two
// columns. Errors never stop the run; the grid is the report.

#include "masivo/frmMasivo.h"
#include "masivo/rejilla.h"
#include "reglas/reglas_fila.h"
#include "platform/dialogos.h"
#include "platform/lista_algoritmos.h"
#include "reglas/calcular_referencia.h"

#include <QComboBox>
#include <QPushButton>

namespace vaviviv {

void frmMasivo::cmdCalcular_Click() {
    const std::optional<int> codigo = CodigoSeleccionado(*cboAlgoritmo);
    if (!codigo) {
        MostrarMensaje(MensajeSinAlgoritmo(), Icono::Critico);
        return;
    }
    const int filas = grdMasivo->Rows();
    const int columnas = grdMasivo->Cols();
    const int resultado = columnas - 2;
    const int digitos = columnas - 1;
    RejillaModelo& celdas = grdMasivo->modelo();
    const QString vacia;
    const auto entrada = [&](int fila, int columna) -> const QString& {
        // The three-column layouts pass their result cells too; the rules ignore them.
        return columna < columnas ? celdas.Celda(fila, columna) : vacia;
    };

    // The view is told once at the end, or before a box so that it shows the
    // rows done so far.
    int sinMostrar = 1;
    for (int fila = 1; fila < filas && resultado >= 0; ++fila) {
        ResultadoFila calculo = CalcularFila(*codigo, entrada(fila, 0), entrada(fila, 1), entrada(fila, 2));
        celdas.Celda(fila, resultado) = std::move(calculo.resultado);
        celdas.Celda(fila, digitos) = std::move(calculo.digitos);
        if (!calculo.caracterNoValido.isEmpty()) {
            celdas.AvisarCambios(sinMostrar, fila, resultado, digitos);
            sinMostrar = fila + 1;
            IrACelda(fila, digitos);
            MostrarMensaje(MensajeCaracterNoValido(calculo.caracterNoValido), Icono::Critico);
        }
    }
    celdas.AvisarCambios(sinMostrar, filas - 1, resultado, digitos);
    if (filas > 1) IrACelda(filas - 1, digitos);
    cmdGuardar->setEnabled(true);
}

}  // namespace vaviviv
