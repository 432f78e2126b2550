#include "platform/menu_ayuda.h"

#include "platform/ayuda.h"
#include "platform/controles.h"
#include "platform/lista_algoritmos.h"

#include <QComboBox>

namespace vaviviv {

namespace {

constexpr int kTemaEdicion = 102;

}  // namespace

void CrearMenuAyuda(QMainWindow& ventana, const QComboBox& algoritmo, int temaVentana, const QString& contenido) {
    QMenu* mnuAyuda = MenuDeBarra(ventana, "mnuAyuda", QStringLiteral("A&yuda"));
    const auto entrada = [mnuAyuda](const char* nombre, const QString& texto, auto accion) {
        QAction* mnu = EntradaMenu(mnuAyuda, nombre, texto);
        QObject::connect(mnu, &QAction::triggered, mnu, accion);
    };
    entrada("mnuAyudaContenido", contenido, [] { MostrarAyudaVentana(kAyudaContenido); });
    entrada("mnuAyudaUso", QStringLiteral("&Uso de la Ayuda"), [] { MostrarAyudaVentana(kAyudaUso); });
    entrada("mnuAyudaEdicion", QString::fromUtf8("Ayuda de &Edición"), [] { MostrarAyudaVentana(kAyudaTema, kTemaEdicion); });
    entrada("mnuAyudaDespliegue", QStringLiteral("Despliegue de &Pantalla"),
            [temaVentana] { MostrarAyudaVentana(kAyudaTema, temaVentana); });
    entrada("mnuAyudaCalculo", QStringLiteral("Calculo de &Algoritmo"),
            [lista = &algoritmo, temaVentana] { MostrarAyudaAlgoritmo(*lista, temaVentana); });
    SeparadorMenu(mnuAyuda, "mnulinea3");
    // A modal box: every window is usable again as soon as it closes.
    entrada("mnuAyudaAcerca", QStringLiteral("A&cerca de..."), [] { MostrarAcercaDe(); });
}

// The viewer opens beside the window; nothing waits for it.
void MostrarAyudaAlgoritmo(const QComboBox& algoritmo, int temaVentana) {
    MostrarAyudaVentana(kAyudaTema, ContextoDeAlgoritmo(CodigoSeleccionado(algoritmo), temaVentana));
}

}  // namespace vaviviv
