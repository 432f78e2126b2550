#pragma once
// The bulk window's report: what it hands to the report component, and in
// which order. The layout of the pages is the component's.

#include <QString>

namespace vaviviv {

class Rejilla;

// Writes the two summary lines into `grdCriterios` (2 rows, 2 columns; the
// lines in column 1), then feeds a new report component: titles, the rows of
// `grdMasivo`, the letter size, the summary, the logo beside the program, one
// column definition per column of `grdMasivo` (its title and width) and the
// order to produce: in a preview, or at once on the printer (`enImpresora`).
// The report is produced while `grdMasivo` has one empty column more, which
// is removed again afterwards. `algoritmo` is the text shown in the
// algorithm list, `digitos` that of the description label.
void ImprimirInformeMasivo(Rejilla& grdMasivo, Rejilla& grdCriterios, const QString& algoritmo,
                           const QString& digitos, bool enImpresora = false);

// The width a column is handed over with: its twips / 6000 to the nearest
// integer, halves to the even one (1800 and 3000 give 0, 9000 gives 2).
int AnchoParaInforme(int twips);

}  // namespace vaviviv
