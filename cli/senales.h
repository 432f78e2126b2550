#pragma once
// Interrupted by SIGINT, SIGTERM or SIGHUP, the tool leaves no temporary
// file behind and then dies of the signal, so that the shell sees 128 + its
// number and a script stops as it would for any other tool.

#include <QByteArray>

namespace vaviviv::cli {

// Once, before any temporary file is made.
void InstalarSenales();

// While alive, those signals wait (they are delivered when it ends): what it
// spans, making or renaming a temporary file, happens whole or not at all.
class SenalesEnEspera {
public:
    SenalesEnEspera();
    ~SenalesEnEspera();
    SenalesEnEspera(const SenalesEnEspera&) = delete;
    SenalesEnEspera& operator=(const SenalesEnEspera&) = delete;
};

// The temporary file a signal removes; an empty name, none. Call it with the
// signals waiting. False when the name is too long to keep.
bool VigilarTemporal(const QByteArray& ruta);

}  // namespace vaviviv::cli
