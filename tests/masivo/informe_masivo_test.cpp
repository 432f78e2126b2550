// The bulk window's report: the calls it makes, the grid afterwards, 30,000 rows in a PDF.

#include "masivo/informe_masivo.h"
#include "masivo/rejilla.h"
#include "pdf_prueba.h"
#include "platform/aplicacion.h"
#include "simulados_impresion.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace vaviviv;
using namespace vaviviv::prueba;

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

// The grid as the bulk window sets it up: titles in row 0, then the rows.
static void Preparar(Rejilla& grd, const QStringList& titulos, const QList<QStringList>& filas = {}) {
    grd.setCols(int(titulos.size()));
    grd.setRows(1);
    for (int c = 0; c < titulos.size(); ++c) grd.setTextMatrix(0, c, titulos[c]);
    for (const QStringList& fila : filas) grd.AddItem(fila.join('\t'));
}

class PruebaInformeMasivo : public QObject {
    Q_OBJECT

private slots:
    // Algorithm 06: the calls in order, a definition per column (twips 1800 and 3000
    // give 0, 4000 gives 1, 9000 gives 2), one column more while producing.
    void secuenciaDeLlamadas() {
        Rejilla grdMasivo, grdCriterios;
        Preparar(grdMasivo, {"Referencia", "Sucursal", "Cuenta", "Referencia Completa", "Dígito Verificador"},
                 {{"890", "123", "4567", "89062", "62"}, {"x", "", "", "Error: Referencia no válida.", ""}});
        const int anchos[] = {1800, 3000, 4000, 9000, 1800};
        for (int c = 0; c < 5; ++c) grdMasivo.setColWidth(c, anchos[c]);
        grdMasivo.setRowCol(2, 1);
        QStringList llamadas;
        int creados = 0;
        const FabricaInformes anterior = InstalarFabricaInformes(
            [&] { return ++creados, std::make_unique<InformeGrabado>(llamadas, grdMasivo, grdCriterios); });
        ImprimirInformeMasivo(grdMasivo, grdCriterios, "Algoritmo Vorantis 06", "uno");
        ImprimirInformeMasivo(grdMasivo, grdCriterios, "Algoritmo Vorantis 06", "dos");  // a new component each time
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
        QCOMPARE(QList<int>({grdMasivo.Cols(), grdMasivo.Row(), grdMasivo.Col()}), QList<int>({5, 0, 4}));  // restored
        QCOMPARE(grdMasivo.TextMatrix(2, 3) + grdMasivo.TextMatrix(1, 4), "Error: Referencia no válida.62");
        QCOMPARE(grdCriterios.TextMatrix(0, 1), "Algoritmo utilizado en el calculo: Algoritmo Vorantis 06");
        QCOMPARE(grdCriterios.TextMatrix(1, 1), "Dígitos calculados : dos");
        for (const auto& [twips, ancho] : {std::pair{0, 0}, {2999, 0}, {3001, 1}, {6000, 1}, {15000, 2}, {21000, 4}})
            QCOMPARE(AnchoParaInforme(twips), ancho);
    }

    // 30,000 rows of algorithm 10 into a PDF: every row once, in order; pages numbered.
    void treintaMilRenglones() {
        if (!HayHerramientasPdf()) QSKIP("Faltan las herramientas de poppler-utils");
        Rejilla grdMasivo, grdCriterios;
        Preparar(grdMasivo, {"Referencia", "Importe", "Fecha", "Referencia Completa", "Dígito Verificador"});
        std::vector<QString> celdas;
        for (int f = 1; f <= 30000; ++f) {
            const QString ref = QString("%1").arg(f, 12, 10, QChar('0'));
            celdas.insert(celdas.end(), {ref, "123.45", "15/06/2000", ref + "46337268", "46337268"});
        }
        grdMasivo.AgregarFilas(std::move(celdas));
        QTemporaryDir carpeta;
        PresentacionPdf presentacion(carpeta.filePath("informe.pdf"));
        ImprimirInformeMasivo(grdMasivo, grdCriterios, "Algoritmo Vorantis 10", "8 Dígitos");
        const QStringList textos = TextoPdf(carpeta.filePath("informe.pdf"));
        QCOMPARE(textos.size(), PaginasPdf(carpeta.filePath("informe.pdf")));
        QVERIFY(textos.first().contains("Algoritmo utilizado en el calculo: Algoritmo Vorantis 10"));
        QVERIFY(textos.last().contains(QString("Página %1 de %1").arg(textos.size())));
        int siguiente = 1;
        for (const QString& texto : textos)
            for (auto it = QRegularExpression("\\b(\\d{12})46337268\\b").globalMatch(texto); it.hasNext();)
                QCOMPARE(it.next().captured(1).toInt(), siguiente++);
        QCOMPARE(siguiente - 1, 30000);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepararAplicacion(app);
    PruebaInformeMasivo prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "informe_masivo_test.moc"
