#include "masivo/informe_masivo.h"

#include "masivo/rejilla.h"
#include "platform/carpeta_aplicacion.h"
#include "platform/informe.h"

namespace vaviviv {

namespace {

constexpr int kTwipsPorUnidad = 6000;
constexpr int kTamanoLetra = 8;

}  // namespace

int AnchoParaInforme(int twips) {
    // A width never set reads as negative: the standard width.
    if (twips <= 0) return 0;
    const int entero = twips / kTwipsPorUnidad;
    const int resto = twips % kTwipsPorUnidad;
    if (2 * resto > kTwipsPorUnidad) return entero + 1;
    if (2 * resto == kTwipsPorUnidad) return entero + entero % 2;
    return entero;
}

void ImprimirInformeMasivo(Rejilla& grdMasivo, Rejilla& grdCriterios, const QString& algoritmo,
                           const QString& digitos, bool enImpresora) {
    grdCriterios.setRows(2);
    grdCriterios.setCols(2);
    grdCriterios.setTextMatrix(0, 1, QStringLiteral("Algoritmo utilizado en el calculo: ") + algoritmo);
    grdCriterios.setTextMatrix(1, 1, QString::fromUtf8("Dígitos calculados : ") + digitos);

    InformeImpreso informe;
    informe.Titulo1(QStringLiteral("Reporte de Calculo Masivo de"));
    informe.Titulo2(QString::fromUtf8("Dígitos Verificadores"));
    informe.Datos(grdMasivo.modelo());
    informe.TamanoLetra(kTamanoLetra);
    informe.Resumen(grdCriterios.modelo());
    informe.Logotipo(0, 0, ArchivoEnCarpetaAplicacion(QStringLiteral("tesk.bmp")));

    grdMasivo.setRow(0);
    for (int columna = 0; columna < grdMasivo.Cols(); ++columna) {
        grdMasivo.setCol(columna);
        informe.DefinirColumna(columna, grdMasivo.Text(), AnchoParaInforme(grdMasivo.ColWidth(columna)), QString(), 0);
    }

    const int columnas = grdMasivo.Cols();
    grdMasivo.setCols(columnas + 1);
    if (enImpresora)
        informe.ProducirEnImpresora();
    else
        informe.Producir();
    grdMasivo.setCols(columnas);
}

}  // namespace vaviviv
