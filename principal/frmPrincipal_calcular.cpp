// The calculate command: cmdCalcularReferencia, or Enter in any entry field.

#include "platform/dialogos.h"
#include "platform/lista_algoritmos.h"
#include "principal/frmPrincipal.h"

#include <QComboBox>
#include <QLineEdit>

namespace vaviviv {

void frmPrincipal::cmdCalcularReferencia_Click() {
    const CalculoPrincipal calculo = CalcularReferencia(CodigoSeleccionado(*cboAlgoritmo), LeerDatos());

    // One box at a time; the field at fault gets the focus once they are closed.
    for (const QString& mensaje : calculo.mensajes) MostrarMensaje(mensaje, Icono::Critico);
    if (QWidget* campo = CampoDe(calculo.foco)) campo->setFocus();

    // A failure leaves the previous result on screen.
    if (calculo.correcto()) {
        txtReferenciaCompleta->setText(calculo.referenciaCompleta);
        txtVaviviVerificador->setText(calculo.digitos);
    }
}

}  // namespace vaviviv
