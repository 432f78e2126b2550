#pragma once
// The bulk window's help: the file its help dialog names and the topic of
// each help command.

#include <QString>
#include <optional>

namespace vaviviv {

inline constexpr int kTemaEdicionMasivo = 102;
inline constexpr int kTemaVentanaMasivo = 103;

// The help file the bulk window's help dialog names.
QString ArchivoAyudaMasivo();

// The help button: the chosen algorithm's topic (100 for code 0, the code
// itself for the others), 103 with none chosen.
void AyudaMasivoAlgoritmo(std::optional<int> codigo);
// The help menu: contents, help on using help, editing (102), the window (103).
void AyudaMasivoContenido();
void AyudaMasivoUso();
void AyudaMasivoEdicion();
void AyudaMasivoDespliegue();

}  // namespace vaviviv
