// The bulk window's report: the calls it makes, the grid afterwards. The summary texts the
// window hands over: frmMasivo_test; the pages of its largest grid: informe_test.

#include "masivo/informe_masivo.h"
#include "masivo/rejilla.h"
#include "platform/aplicacion.h"
#include "platform/informe.h"

#include <QApplication>
#include <QTest>

using namespace vaviviv;

// Writes down each call it receives, naming the grids it is handed.
struct InformeGrabado final : Informe {
    InformeGrabado(QStringList& l, const Rejilla& d, const Rejilla& r) : l(l), datos(d), resumen(r) {}
    template <typename... A>
    void r(const A&... a) { l << QStringList{QVariant(a).toString()...}.join(' '); }
    QString n(const QAbstractItemModel& m) {
        return &m == &datos.modelo() ? "grdMasivo" : &m == &resumen.modelo() ? "grdCriterios" : "otro";
    }
    void Iniciar() override { r("Iniciar"); }
    void Titulo1(const QString& t) override { r("Titulo1", t); }
    void Titulo2(const QString& t) override { r("Titulo2", t); }
    void Datos(const QAbstractItemModel& m) override { r("Datos", n(m)); }
    void TamanoLetra(int v) override { r("TamanoLetra", v); }
    void Resumen(const QAbstractItemModel& m) override { r("Resumen", n(m)); }
    void Orientacion(int v) override { r("Orientacion", v); }
    void RenglonesPorPagina(int v) override { r("RenglonesPorPagina", v); }
    void Copias(int v) override { r("Copias", v); }
    void Logotipo(int x, int y, const QString& ruta) override { r("Logotipo", x, y, ruta); }
    void DefinirColumna(int i, const QString& t, int a, const QString& x, int v) override {
        r("DefinirColumna", i, "[" + t + "]", a, "[" + x + "]", v);
    }
    void Producir() override { r("Producir", datos.Cols(), datos.modelo().columnCount(), datos.Row(), datos.Col()); }
    QStringList& l;
    const Rejilla &datos, &resumen;
};

class PruebaInformeMasivo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { PrepararAplicacion(*qApp); }

    // Algorithm 06: the calls in order, a new component each time, a definition per column (twips 1800 and
    // 3000 give 0, 4000 gives 1, 9000 gives 2: halves to even), one column more while producing; the grid
    // as it was afterwards.
    void secuenciaDeLlamadas() {
        Rejilla grdMasivo, grdCriterios;  // as the bulk window sets it up: titles in row 0, then the rows
        const std::pair<QString, int> columnas[] = {
            {"Referencia", 1800}, {"Sucursal", 3000}, {"Cuenta", 4000}, {"Referencia Completa", 9000}, {"Dígito Verificador", 1800}};
        grdMasivo.setCols(5);
        for (int c = 0; c < 5; ++c) {
            grdMasivo.setTextMatrix(0, c, columnas[c].first);
            grdMasivo.setColWidth(c, columnas[c].second);
        }
        grdMasivo.AgregarFilas({"890", "123", "4567", "89062", "62", "x", "", "", "Error: Referencia no válida.", ""});
        grdMasivo.setRowCol(2, 1);
        QStringList llamadas;
        int creados = 0;
        const FabricaInformes anterior = InstalarFabricaInformes(
            [&] { return ++creados, std::make_unique<InformeGrabado>(llamadas, grdMasivo, grdCriterios); });
        ImprimirInformeMasivo(grdMasivo, grdCriterios, "Algoritmo Vorantis 06", "uno");
        ImprimirInformeMasivo(grdMasivo, grdCriterios, "Algoritmo Vorantis 06", "dos");
        InstalarFabricaInformes(anterior);
        const QStringList una{
            "Iniciar", "Titulo1 Reporte de Calculo Masivo de", "Titulo2 Dígitos Verificadores", "Datos grdMasivo",
            "TamanoLetra 8", "Resumen grdCriterios", "Orientacion 0", "RenglonesPorPagina 0", "Copias 0",
            "Logotipo 0 0 " + qApp->applicationDirPath() + "/tesk.bmp", "DefinirColumna 0 [Referencia] 0 [] 0",
            "DefinirColumna 1 [Sucursal] 0 [] 0", "DefinirColumna 2 [Cuenta] 1 [] 0",
            "DefinirColumna 3 [Referencia Completa] 2 [] 0", "DefinirColumna 4 [Dígito Verificador] 0 [] 0",
            "Producir 6 6 0 4"};
        QCOMPARE(llamadas, una + una);
        QCOMPARE(creados, 2);
        QCOMPARE(QList<int>({grdMasivo.Cols(), grdMasivo.Row(), grdMasivo.Col()}), QList<int>({5, 0, 4}));
        QCOMPARE(grdMasivo.TextMatrix(2, 3) + grdMasivo.TextMatrix(1, 4), "Error: Referencia no válida.62");
        for (const auto& [twips, ancho] : {std::pair{-1, 0}, {2999, 0}, {3001, 1}, {15000, 2}, {21000, 4}})
            QCOMPARE(AnchoParaInforme(twips), ancho);
    }
};

QTEST_MAIN(PruebaInformeMasivo)

#include "informe_masivo_test.moc"
