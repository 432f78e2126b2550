#include "platform/recursos.h"

#include <QtCore/qglobal.h>

// Qt's resource registration has to be named from the global namespace.
static void RegistrarImagenes() { Q_INIT_RESOURCE(recursos); }

namespace vaviviv {

void CargarRecursos() {
    static const bool registrados = (RegistrarImagenes(), true);
    (void)registrados;
}

}  // namespace vaviviv
