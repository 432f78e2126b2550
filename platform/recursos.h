#pragma once
// The pictures of the windows (icons, logo), bundled into the program under
// ":/iconos/". Call before the first picture is loaded; calling again is harmless.

namespace vaviviv {
void CargarRecursos();
}
