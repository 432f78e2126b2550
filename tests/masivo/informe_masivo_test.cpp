// What the bulk window hands to the report component, and in which order;
// the grid afterwards; a report of 30,000 rows read back from its PDF; the
// help topics of the bulk window's help button and menu.

#include "dialogos_simulados.h"
#include "masivo/ayuda_masivo.h"
#include "masivo/informe_masivo.h"
#include "masivo/rejilla.h"
#include "pdf_prueba.h"
#include "platform/aplicacion.h"
#include "platform/informe.h"
#include "simulados_impresion.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace vaviviv;
using namespace vaviviv::prueba;

namespace {

const QString kDescripcion06 = QString::fromUtf8(
    "2 Dígitos verificadores con Referencia de 1 a 18 dígitos; Sucursal de 1 a 18 dígitos y Cuenta de 1 a 8 "
    "dígitos.");

// Writes down each call it receives, naming the grids it is handed.
class InformeGrabado final : public Informe {
public:
    InformeGrabado(QStringList& llamadas, const Rejilla& datos, const Rejilla& resumen)
        : llamadas_(llamadas), datos_(datos), resumen_(resumen) {}

    void Iniciar() override { anotar(QStringLiteral("Iniciar")); }
    void Titulo1(const QString& texto) override { anotar(QStringLiteral("Titulo1 ") + texto); }
    void Titulo2(const QString& texto) override { anotar(QStringLiteral("Titulo2 ") + texto); }
    void Datos(const QAbstractItemModel& modelo) override { anotar(QStringLiteral("Datos ") + nombre(modelo)); }
    void TamanoLetra(int puntos) override { anotar(QStringLiteral("TamanoLetra %1").arg(puntos)); }
    void Resumen(const QAbstractItemModel& modelo) override { anotar(QStringLiteral("Resumen ") + nombre(modelo)); }
    void Orientacion(int valor) override { anotar(QStringLiteral("Orientacion %1").arg(valor)); }
    void RenglonesPorPagina(int valor) override { anotar(QStringLiteral("RenglonesPorPagina %1").arg(valor)); }
    void Copias(int valor) override { anotar(QStringLiteral("Copias %1").arg(valor)); }
    void Logotipo(int x, int y, const QString& ruta) override {
        anotar(QStringLiteral("Logotipo %1 %2 %3").arg(x).arg(y).arg(ruta));
    }
    void DefinirColumna(int indice, const QString& titulo, int ancho, const QString& texto, int numero) override {
        anotar(QStringLiteral("DefinirColumna %1 [%2] %3 [%4] %5").arg(indice).arg(titulo).arg(ancho).arg(texto).arg(numero));
    }
    // The grid as the report finds it: its columns and current cell.
    void Producir() override {
        anotar(QStringLiteral("Producir columnas=%1 modelo=%2 actual=%3,%4")
                   .arg(datos_.Cols())
                   .arg(datos_.modelo().columnCount())
                   .arg(datos_.Row())
                   .arg(datos_.Col()));
    }

private:
    void anotar(const QString& llamada) { llamadas_ << llamada; }
    QString nombre(const QAbstractItemModel& modelo) const {
        if (&modelo == &datos_.modelo()) return QStringLiteral("grdMasivo");
        if (&modelo == &resumen_.modelo()) return QStringLiteral("grdCriterios");
        return QStringLiteral("otro");
    }

    QStringList& llamadas_;
    const Rejilla& datos_;
    const Rejilla& resumen_;
};

// Installs InformeGrabado for its lifetime; counts the components made.
class Grabacion {
public:
    Grabacion(const Rejilla& datos, const Rejilla& resumen) {
        anterior_ = InstalarFabricaInformes([this, &datos, &resumen] {
            ++creados;
            return std::make_unique<InformeGrabado>(llamadas, datos, resumen);
        });
    }
    ~Grabacion() { InstalarFabricaInformes(anterior_); }

    QStringList llamadas;
    int creados = 0;

private:
    FabricaInformes anterior_;
};

// The grid as the bulk window sets it up: titles in row 0, every column
// 1800 twips wide, then the rows.
void Preparar(Rejilla& grd, const QStringList& titulos, const QList<QStringList>& filas) {
    grd.setCols(int(titulos.size()));
    grd.setRows(1);
    for (int c = 0; c < titulos.size(); ++c) {
        grd.setTextMatrix(0, c, titulos[c]);
        grd.setColWidth(c, 1800);
    }
    for (const QStringList& fila : filas) grd.AddItem(fila.join(QLatin1Char('\t')));
}

const QStringList kTitulos06{QStringLiteral("Referencia"), QStringLiteral("Sucursal"), QStringLiteral("Cuenta"),
                             QStringLiteral("Referencia Completa"), QString::fromUtf8("Dígito Verificador")};
const QStringList kTitulos00{QStringLiteral("Referencia"), QStringLiteral("Referencia Completa"),
                             QString::fromUtf8("Dígito Verificador")};

QString Logo() { return QCoreApplication::applicationDirPath() + QStringLiteral("/tesk.bmp"); }

QStringList Contenido(const Rejilla& grd) {
    QStringList celdas;
    for (int f = 0; f < grd.Rows(); ++f)
        for (int c = 0; c < grd.Cols(); ++c) celdas << grd.TextMatrix(f, c);
    return celdas;
}

}  // namespace

class PruebaInformeMasivo : public QObject {
    Q_OBJECT

private slots:
    // Algorithm 06: the calls in their order, five column definitions under
    // the grid's titles, the report produced with one empty column more.
    void secuenciaDeLlamadas() {
        Rejilla grdMasivo, grdCriterios;
        Preparar(grdMasivo, kTitulos06,
                 {{"890", "123", "4567", "89062", "62"}, {"1", "1", "1", "", ""}, {"x", "", "", "Error: Referencia no válida.", ""}});
        grdMasivo.setRowCol(2, 1);
        const QStringList antes = Contenido(grdMasivo);
        Grabacion grabacion(grdMasivo, grdCriterios);

        ImprimirInformeMasivo(grdMasivo, grdCriterios, QStringLiteral("Algoritmo Vorantis 06"), kDescripcion06);

        const QStringList esperadas{
            QStringLiteral("Iniciar"),
            QStringLiteral("Titulo1 Reporte de Calculo Masivo de"),
            QString::fromUtf8("Titulo2 Dígitos Verificadores"),
            QStringLiteral("Datos grdMasivo"),
            QStringLiteral("TamanoLetra 8"),
            QStringLiteral("Resumen grdCriterios"),
            QStringLiteral("Orientacion 0"),
            QStringLiteral("RenglonesPorPagina 0"),
            QStringLiteral("Copias 0"),
            QStringLiteral("Logotipo 0 0 ") + Logo(),
            QStringLiteral("DefinirColumna 0 [Referencia] 0 [] 0"),
            QStringLiteral("DefinirColumna 1 [Sucursal] 0 [] 0"),
            QStringLiteral("DefinirColumna 2 [Cuenta] 0 [] 0"),
            QStringLiteral("DefinirColumna 3 [Referencia Completa] 0 [] 0"),
            QString::fromUtf8("DefinirColumna 4 [Dígito Verificador] 0 [] 0"),
            QStringLiteral("Producir columnas=6 modelo=6 actual=0,4"),
        };
        QCOMPARE(grabacion.llamadas, esperadas);
        QCOMPARE(grabacion.creados, 1);

        // The grid has its layout again, its cells untouched, the title row
        // and last column current.
        QCOMPARE(grdMasivo.Cols(), 5);
        QCOMPARE(grdMasivo.modelo().columnCount(), 5);
        QCOMPARE(Contenido(grdMasivo), antes);
        QCOMPARE(grdMasivo.Row(), 0);
        QCOMPARE(grdMasivo.Col(), 4);
        for (int c = 0; c < 5; ++c) QCOMPARE(grdMasivo.ColWidth(c), 1800);

        QCOMPARE(grdCriterios.Rows(), 2);
        QCOMPARE(grdCriterios.Cols(), 2);
        QCOMPARE(grdCriterios.TextMatrix(0, 1), QStringLiteral("Algoritmo utilizado en el calculo: Algoritmo Vorantis 06"));
        QCOMPARE(grdCriterios.TextMatrix(1, 1), QString::fromUtf8("Dígitos calculados : ") + kDescripcion06);
        QVERIFY(grdCriterios.TextMatrix(0, 0).isEmpty());
        QVERIFY(grdCriterios.TextMatrix(1, 0).isEmpty());
    }

    // A new component for each report; the summary lines are rewritten.
    void cadaInformeEsNuevo() {
        Rejilla grdMasivo, grdCriterios;
        Preparar(grdMasivo, kTitulos00, {{"123456", "1234566", "6"}});
        Grabacion grabacion(grdMasivo, grdCriterios);
        ImprimirInformeMasivo(grdMasivo, grdCriterios, QStringLiteral("Algoritmo Vorantis 00"), QStringLiteral("uno"));
        ImprimirInformeMasivo(grdMasivo, grdCriterios, QStringLiteral("Algoritmo Vorantis 03"), QStringLiteral("dos"));
        QCOMPARE(grabacion.creados, 2);
        QCOMPARE(grabacion.llamadas.filter(QStringLiteral("DefinirColumna")).size(), 6);
        QCOMPARE(grabacion.llamadas.filter(QStringLiteral("Producir columnas=4")).size(), 2);
        QCOMPARE(grdMasivo.Cols(), 3);
        QCOMPARE(grdCriterios.TextMatrix(0, 1), QStringLiteral("Algoritmo utilizado en el calculo: Algoritmo Vorantis 03"));
        QCOMPARE(grdCriterios.TextMatrix(1, 1), QString::fromUtf8("Dígitos calculados : dos"));
    }

    // Widths in twips, handed over in units of 6000, halves to even.
    void anchos_data() {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("ancho");
        QTest::newRow("estándar 1800") << 1800 << 0;
        QTest::newRow("2999") << 2999 << 0;
        QTest::newRow("3000, mitad a 0") << 3000 << 0;
        QTest::newRow("3001") << 3001 << 1;
        QTest::newRow("4000") << 4000 << 1;
        QTest::newRow("6000") << 6000 << 1;
        QTest::newRow("9000, mitad a 2") << 9000 << 2;
        QTest::newRow("15000, mitad a 2") << 15000 << 2;
        QTest::newRow("21000, mitad a 4") << 21000 << 4;
        QTest::newRow("0") << 0 << 0;
    }
    void anchos() {
        QFETCH(int, twips);
        QFETCH(int, ancho);
        QCOMPARE(AnchoParaInforme(twips), ancho);

        Rejilla grdMasivo, grdCriterios;
        Preparar(grdMasivo, kTitulos06, {{"890", "123", "4567", "", ""}});
        grdMasivo.setColWidth(2, twips);
        Grabacion grabacion(grdMasivo, grdCriterios);
        ImprimirInformeMasivo(grdMasivo, grdCriterios, QStringLiteral("Algoritmo Vorantis 06"), kDescripcion06);
        const QStringList definiciones = grabacion.llamadas.filter(QStringLiteral("DefinirColumna"));
        QCOMPARE(definiciones.size(), 5);
        QCOMPARE(definiciones[2], QStringLiteral("DefinirColumna 2 [Cuenta] %1 [] 0").arg(ancho));
        QCOMPARE(definiciones[1], QStringLiteral("DefinirColumna 1 [Sucursal] 0 [] 0"));
        QCOMPARE(grdMasivo.ColWidth(2), twips);
    }

    // 30,000 rows of algorithm 10, through the real component into a PDF:
    // every row on some page, in order, the titles on every page.
    void treintaMilRenglones() {
        if (!HayHerramientasPdf()) QSKIP("Faltan las herramientas de poppler-utils");
        constexpr int kFilas = 30000;
        Rejilla grdMasivo, grdCriterios;
        Preparar(grdMasivo, {QStringLiteral("Referencia"), QStringLiteral("Importe"), QStringLiteral("Fecha"),
                             QStringLiteral("Referencia Completa"), QString::fromUtf8("Dígito Verificador")},
                 {});
        std::vector<QString> celdas;
        celdas.reserve(std::size_t(kFilas) * 5);
        for (int f = 1; f <= kFilas; ++f) {
            const QString referencia = QStringLiteral("%1").arg(f, 12, 10, QLatin1Char('0'));
            celdas.push_back(referencia);
            celdas.push_back(QStringLiteral("123.45"));
            celdas.push_back(QStringLiteral("15/06/2000"));
            celdas.push_back(referencia + QStringLiteral("46337268"));
            celdas.push_back(QStringLiteral("46337268"));
        }
        grdMasivo.AgregarFilas(std::move(celdas));
        QCOMPARE(grdMasivo.Rows(), kFilas + 1);

        QTemporaryDir carpeta;
        PresentacionPdf presentacion(carpeta.filePath(QStringLiteral("informe.pdf")));
        QElapsedTimer reloj;
        reloj.start();
        ImprimirInformeMasivo(grdMasivo, grdCriterios, QStringLiteral("Algoritmo Vorantis 10"), QStringLiteral("8 Dígitos"));
        const qint64 ms = reloj.elapsed();
        QCOMPARE(presentacion.veces(), 1);
        QCOMPARE(grdMasivo.Cols(), 5);

        const QString pdf = carpeta.filePath(QStringLiteral("informe.pdf"));
        const int paginas = PaginasPdf(pdf);
        qInfo("30,000 renglones: %d páginas en %lld ms", paginas, ms);
        QVERIFY(paginas > 1);
        const QStringList textos = TextoPdf(pdf);
        QCOMPARE(textos.size(), paginas);
        QVERIFY(textos.first().contains(QStringLiteral("Algoritmo utilizado en el calculo: Algoritmo Vorantis 10")));
        QVERIFY(textos.first().contains(QStringLiteral("000000000001")));
        QVERIFY(textos.last().contains(QStringLiteral("000000030000")));
        QVERIFY(textos.last().contains(QStringLiteral("00000003000046337268")));
        QVERIFY(textos.last().contains(QString::fromUtf8("Página %1 de %1").arg(paginas)));

        // Each complete reference once, in order, across the pages.
        const QRegularExpression completa(QStringLiteral("\\b(\\d{12})46337268\\b"));
        int siguiente = 1;
        for (int p = 0; p < paginas; ++p) {
            QVERIFY2(textos[p].contains(QStringLiteral("Referencia Completa")), qPrintable(QString::number(p + 1)));
            for (auto it = completa.globalMatch(textos[p]); it.hasNext();) {
                const int numero = it.next().captured(1).toInt();
                if (numero != siguiente) QFAIL(qPrintable(QStringLiteral("página %1: %2 en lugar de %3").arg(p + 1).arg(numero).arg(siguiente)));
                ++siguiente;
            }
        }
        QCOMPARE(siguiente - 1, kFilas);
    }

    void ayudaBoton_data() {
        QTest::addColumn<int>("codigo");  // -1: none chosen
        QTest::addColumn<int>("contexto");
        QTest::newRow("ninguno") << -1 << 103;
        QTest::newRow("00") << 0 << 100;
        for (int codigo : {2, 3, 4, 6, 10, 35, 36, 37})
            QTest::newRow(qPrintable(QStringLiteral("%1").arg(codigo, 2, 10, QLatin1Char('0')))) << codigo << codigo;
    }
    void ayudaBoton() {
        QFETCH(int, codigo);
        QFETCH(int, contexto);
        AyudaSimulada ayuda;
        AyudaMasivoAlgoritmo(codigo < 0 ? std::nullopt : std::optional<int>(codigo));
        QCOMPARE(ayuda.peticiones().size(), std::size_t(1));
        QCOMPARE(ayuda.peticiones()[0].archivo, QCoreApplication::applicationDirPath() + QStringLiteral("/Vaviviv.hlp"));
        QCOMPARE(ayuda.peticiones()[0].comando, kAyudaTema);
        QCOMPARE(ayuda.peticiones()[0].contexto, contexto);
    }

    void ayudaMenu_data() {
        QTest::addColumn<int>("entrada");
        QTest::addColumn<int>("comando");
        QTest::addColumn<int>("contexto");  // read only with command 1
        QTest::newRow("Contenido de la Ayuda") << 0 << kAyudaContenido << 0;
        QTest::newRow("Uso de la Ayuda") << 1 << kAyudaUso << 0;
        QTest::newRow("Ayuda de Edición") << 2 << kAyudaTema << 102;
        QTest::newRow("Despliegue de Pantalla") << 3 << kAyudaTema << 103;
    }
    void ayudaMenu() {
        QFETCH(int, entrada);
        QFETCH(int, comando);
        QFETCH(int, contexto);
        AyudaSimulada ayuda;
        const std::function<void()> entradas[] = {AyudaMasivoContenido, AyudaMasivoUso, AyudaMasivoEdicion,
                                                   AyudaMasivoDespliegue};
        entradas[entrada]();
        QCOMPARE(ayuda.peticiones().size(), std::size_t(1));
        QCOMPARE(ayuda.peticiones()[0].archivo, QCoreApplication::applicationDirPath() + QStringLiteral("/Vaviviv.hlp"));
        QCOMPARE(ayuda.peticiones()[0].comando, comando);
        if (comando == kAyudaTema) QCOMPARE(ayuda.peticiones()[0].contexto, contexto);
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepararAplicacion(app);
    PruebaInformeMasivo prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "informe_masivo_test.moc"
