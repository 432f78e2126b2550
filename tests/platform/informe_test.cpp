// The report component's pages, read back from the PDF it prints: titles,
// logo, summary lines, the table with its titles on every page, every row in
// order, page numbers, and what each setting and column definition does.

#include "dialogos_simulados.h"
#include "pdf_prueba.h"
#include "platform/aplicacion.h"
#include "platform/informe.h"
#include "simulados_impresion.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>
#include <limits>

using namespace vaviviv;
using namespace vaviviv::prueba;

namespace {

const QString kTitulo1 = QStringLiteral("Reporte de Calculo Masivo de");
const QString kTitulo2 = QString::fromUtf8("Dígitos Verificadores");

// A grid as the bulk window holds it: titles in the header, rows R00001...
std::unique_ptr<QStandardItemModel> Rejilla(int filas, const QStringList& titulos) {
    auto modelo = std::make_unique<QStandardItemModel>(filas, int(titulos.size()));
    modelo->setHorizontalHeaderLabels(titulos);
    for (int f = 0; f < filas; ++f) {
        const QString referencia = QStringLiteral("R%1").arg(f + 1, 5, 10, QLatin1Char('0'));
        modelo->setItem(f, 0, new QStandardItem(referencia));
        for (int c = 1; c < titulos.size(); ++c)
            modelo->setItem(f, c, new QStandardItem(QStringLiteral("%1-%2").arg(referencia).arg(c)));
    }
    return modelo;
}

// The summary grid: two rows, the lines in column 1.
std::unique_ptr<QStandardItemModel> Criterios() {
    auto modelo = std::make_unique<QStandardItemModel>(1, 2);
    modelo->setHorizontalHeaderLabels({QString(), QStringLiteral("Algoritmo utilizado en el calculo: Algoritmo Vorantis 00")});
    modelo->setItem(0, 1, new QStandardItem(QString::fromUtf8("Dígitos calculados : 1 Dígito verificador")));
    return modelo;
}

const QStringList kTitulos{QStringLiteral("Referencia"), QStringLiteral("Referencia Completa"),
                           QString::fromUtf8("Dígito Verificador")};

// Feeds `informe` as the bulk window does, with the columns of `datos`.
void Alimentar(Informe& informe, const QAbstractItemModel& datos, const QAbstractItemModel& resumen,
               const QString& logo) {
    informe.Iniciar();
    informe.Titulo1(kTitulo1);
    informe.Titulo2(kTitulo2);
    informe.Datos(datos);
    informe.TamanoLetra(8);
    informe.Resumen(resumen);
    informe.Orientacion(0);
    informe.RenglonesPorPagina(0);
    informe.Copias(0);
    informe.Logotipo(0, 0, logo);
    for (int c = 0; c < datos.columnCount(); ++c)
        informe.DefinirColumna(c, datos.headerData(c, Qt::Horizontal).toString(), 0, QString(), 0);
}

const PalabraPdf* Buscar(const std::vector<PalabraPdf>& palabras, const QString& texto) {
    for (const PalabraPdf& p : palabras)
        if (p.texto == texto) return &p;
    return nullptr;
}

}  // namespace

class PruebaInforme : public QObject {
    Q_OBJECT

    QTemporaryDir carpeta;
    QString pdf;
    QString logo;

private slots:
    void initTestCase() {
        if (!HayHerramientasPdf()) QSKIP("Faltan pdfinfo, pdftotext y pdfimages (poppler-utils)");
        QVERIFY(carpeta.isValid());
        pdf = carpeta.filePath(QStringLiteral("informe.pdf"));
        logo = carpeta.filePath(QStringLiteral("tesk.bmp"));
        QImage imagen(211, 55, QImage::Format_RGB888);
        imagen.fill(QColor(30, 60, 140));
        QVERIFY(imagen.save(logo, "BMP"));
    }
    void init() { QFile::remove(pdf); }

    // One page: titles, logo, both summary lines, the grid's titles, the rows
    // and the page number.
    void primeraPagina() {
        PresentacionPdf presentacion(pdf);
        const auto datos = Rejilla(5, kTitulos);
        const auto resumen = Criterios();
        InformeImpreso informe;
        Alimentar(informe, *datos, *resumen, logo);
        informe.Producir();

        QCOMPARE(presentacion.veces(), 1);
        QCOMPARE(PaginasPdf(pdf), 1);
        const QString texto = TextoPdf(pdf).value(0);
        for (const QString& parte :
             {kTitulo1, kTitulo2, QStringLiteral("Algoritmo utilizado en el calculo: Algoritmo Vorantis 00"),
              QString::fromUtf8("Dígitos calculados : 1 Dígito verificador"), QStringLiteral("Referencia Completa"),
              QString::fromUtf8("Dígito Verificador"), QStringLiteral("R00001"), QStringLiteral("R00005-2"),
              QString::fromUtf8("Página 1 de 1")})
            QVERIFY2(texto.contains(parte), qPrintable(parte));
        QCOMPARE(ImagenesPdf(pdf), QStringList{QStringLiteral("211x55")});
        QCOMPARE(informe.LineasResumen().size(), 2);
    }

    // A logo that is not there leaves the report without it.
    void sinLogo() {
        PresentacionPdf presentacion(pdf);
        const auto datos = Rejilla(3, kTitulos);
        const auto resumen = Criterios();
        InformeImpreso informe;
        Alimentar(informe, *datos, *resumen, carpeta.filePath(QStringLiteral("no_hay.bmp")));
        informe.Producir();
        QCOMPARE(PaginasPdf(pdf), 1);
        QCOMPARE(ImagenesPdf(pdf), QStringList());
        QVERIFY(TextoPdf(pdf).value(0).contains(QStringLiteral("R00003")));
    }

    // Many pages: each has the grid's titles and its number; every row is
    // printed once, in order, none lost between pages.
    void variasPaginas_data() {
        QTest::addColumn<int>("filas");
        QTest::addColumn<int>("porPagina");
        QTest::addColumn<int>("paginas");  // 0: as many as fit, more than one
        QTest::newRow("las que quepan") << 400 << 0 << 0;
        QTest::newRow("10 por página") << 35 << 10 << 4;
        QTest::newRow("exactas") << 30 << 10 << 3;
        QTest::newRow("sin renglones") << 0 << 0 << 1;
    }
    void variasPaginas() {
        QFETCH(int, filas);
        QFETCH(int, porPagina);
        QFETCH(int, paginas);
        PresentacionPdf presentacion(pdf);
        const auto datos = Rejilla(filas, kTitulos);
        const auto resumen = Criterios();
        InformeImpreso informe;
        Alimentar(informe, *datos, *resumen, logo);
        informe.RenglonesPorPagina(porPagina);
        informe.Producir();

        const int impresas = PaginasPdf(pdf);
        if (paginas > 0)
            QCOMPARE(impresas, paginas);
        else
            QVERIFY(impresas > 1);
        const QStringList textos = TextoPdf(pdf);
        QCOMPARE(textos.size(), impresas);
        // The first column's texts: R and five digits, standing alone.
        const QRegularExpression referencia(QStringLiteral("(?<![\\w-])R(\\d{5})(?![\\w-])"));
        int siguiente = 1;
        for (int p = 0; p < impresas; ++p) {
            const QString& texto = textos[p];
            QVERIFY2(texto.contains(QStringLiteral("Referencia Completa")), qPrintable(QString::number(p + 1)));
            QVERIFY(texto.contains(QString::fromUtf8("Página %1 de %2").arg(p + 1).arg(impresas)));
            if (p > 0) QVERIFY(!texto.contains(QStringLiteral("Algoritmo utilizado")));
            int enPagina = 0;
            for (auto it = referencia.globalMatch(texto); it.hasNext(); ++enPagina)
                QCOMPARE(it.next().captured(1).toInt(), siguiente++);
            if (porPagina > 0 && p + 1 < impresas) QCOMPARE(enPagina, porPagina);
        }
        QCOMPARE(siguiente - 1, filas);
    }

    void orientacionYCopias() {
        PresentacionPdf presentacion(pdf);
        const auto datos = Rejilla(5, kTitulos);
        const auto resumen = Criterios();
        InformeImpreso informe;
        Alimentar(informe, *datos, *resumen, logo);
        informe.Orientacion(1);
        informe.Copias(2);
        informe.Producir();
        QVERIFY(presentacion.apaisada());
        QCOMPARE(presentacion.copias(), 2);
        const QSizeF pagina = TamanoPaginaPdf(pdf);
        QVERIFY(pagina.width() > pagina.height());
        // A file makes no copies of its own: the pages come twice.
        QCOMPARE(PaginasPdf(pdf), 2);
        QVERIFY(TextoPdf(pdf).value(1).contains(QStringLiteral("R00005")));

        informe.Orientacion(0);
        informe.Copias(0);
        informe.Producir();
        QVERIFY(!presentacion.apaisada());
        QCOMPARE(presentacion.copias(), 1);
        QCOMPARE(PaginasPdf(pdf), 1);
        QVERIFY(TamanoPaginaPdf(pdf).width() < TamanoPaginaPdf(pdf).height());
    }

    // The definitions choose the columns, their order, titles, stand-in text
    // and alignment.
    void definicionesDeColumna() {
        PresentacionPdf presentacion(pdf);
        QStandardItemModel datos(3, 3);
        datos.setHorizontalHeaderLabels({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        const QStringList izquierda{QStringLiteral("I1"), QStringLiteral("IZQUIERDA_LARGA"), QStringLiteral("I3")};
        const QStringList derecha{QStringLiteral("D1"), QStringLiteral("DERECHA_LARGA_XX"), QString()};
        for (int f = 0; f < 3; ++f) {
            datos.setItem(f, 0, new QStandardItem(izquierda[f]));
            datos.setItem(f, 1, new QStandardItem(QStringLiteral("OCULTA%1").arg(f)));
            datos.setItem(f, 2, new QStandardItem(derecha[f]));
        }
        InformeImpreso informe;
        informe.Iniciar();
        informe.Datos(datos);
        informe.DefinirColumna(2, QStringLiteral("Derecha"), 0, QStringLiteral("VACIA"), 2);
        informe.DefinirColumna(0, QStringLiteral("Izquierda"), 0, QString(), 0);
        informe.Producir();

        const QString texto = TextoPdf(pdf).value(0);
        QVERIFY(!texto.contains(QStringLiteral("OCULTA")));
        QVERIFY(texto.contains(QStringLiteral("VACIA")));
        const auto palabras = PalabrasPdf(pdf, 1);
        const PalabraPdf* tituloD = Buscar(palabras, QStringLiteral("Derecha"));
        const PalabraPdf* tituloI = Buscar(palabras, QStringLiteral("Izquierda"));
        QVERIFY(tituloD && tituloI);
        QVERIFY(tituloD->caja.left() < tituloI->caja.left());

        const PalabraPdf* d1 = Buscar(palabras, QStringLiteral("D1"));
        const PalabraPdf* d2 = Buscar(palabras, QStringLiteral("DERECHA_LARGA_XX"));
        const PalabraPdf* i1 = Buscar(palabras, QStringLiteral("I1"));
        const PalabraPdf* i2 = Buscar(palabras, QStringLiteral("IZQUIERDA_LARGA"));
        QVERIFY(d1 && d2 && i1 && i2);
        QVERIFY(qAbs(d1->caja.right() - d2->caja.right()) < 1.0);
        QVERIFY(d1->caja.left() > d2->caja.left() + 10);
        QVERIFY(qAbs(i1->caja.left() - i2->caja.left()) < 1.0);
    }

    // Each unit of width adds the column's own width once more.
    void anchoDeColumna() {
        PresentacionPdf presentacion(pdf);
        QStandardItemModel datos(1, 2);
        datos.setItem(0, 0, new QStandardItem(QStringLiteral("AAAA")));
        datos.setItem(0, 1, new QStandardItem(QStringLiteral("BBBB")));
        const auto inicioB = [&](int anchoA) {
            InformeImpreso informe;
            informe.Datos(datos);
            informe.DefinirColumna(0, QStringLiteral("Uno"), anchoA, QString(), 0);
            informe.DefinirColumna(1, QStringLiteral("Dos"), 0, QString(), 0);
            informe.Producir();
            const auto palabras = PalabrasPdf(pdf, 1);
            const PalabraPdf* a = Buscar(palabras, QStringLiteral("AAAA"));
            const PalabraPdf* b = Buscar(palabras, QStringLiteral("BBBB"));
            return a && b ? b->caja.left() - a->caja.left() : -1.0;
        };
        const double igual = inicioB(0);
        const double doble = inicioB(1);
        const double triple = inicioB(2);
        QVERIFY(igual > 0);
        // The page is shared 1:1, 2:1 and 3:1.
        QVERIFY(qAbs(doble / igual - 4.0 / 3.0) < 0.05);
        QVERIFY(qAbs(triple / igual - 6.0 / 4.0) < 0.05);
    }

    // A text wider than its column wraps inside it; nothing is cut.
    void textoLargo() {
        PresentacionPdf presentacion(pdf);
        QString largo;
        for (int i = 0; i < 30; ++i) largo += QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
        QStandardItemModel datos(2, 2);
        datos.setHorizontalHeaderLabels({QStringLiteral("Referencia"), QStringLiteral("Notas")});
        datos.setItem(0, 0, new QStandardItem(QStringLiteral("X1")));
        datos.setItem(0, 1, new QStandardItem(largo));
        datos.setItem(1, 0, new QStandardItem(QStringLiteral("X2")));
        InformeImpreso informe;
        informe.Datos(datos);
        informe.Orientacion(0);
        informe.Producir();
        QString texto = TextoPdf(pdf).value(0);
        texto.remove(QRegularExpression(QStringLiteral("\\s")));
        QVERIFY(texto.contains(largo.left(40)));
        QVERIFY(texto.contains(largo.right(12)));
        QVERIFY(texto.contains(QStringLiteral("X2")));
        int encontrados = 0;
        for (int i = 0; i < 30; ++i)
            if (texto.contains(QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')))) ++encontrados;
        QCOMPARE(encontrados, 30);
    }

    // Iniciar forgets what came before; a grid gone before the report leaves
    // the titles alone.
    void iniciarYRejillaPerdida() {
        PresentacionPdf presentacion(pdf);
        InformeImpreso informe;
        informe.Titulo1(QStringLiteral("ANTERIOR"));
        {
            const auto datos = Rejilla(3, kTitulos);
            informe.Datos(*datos);
        }
        informe.Iniciar();
        informe.Titulo1(QStringLiteral("NUEVO"));
        {
            const auto datos = Rejilla(3, kTitulos);
            informe.Datos(*datos);
            informe.DefinirColumna(0, QStringLiteral("Referencia"), 0, QString(), 0);
        }
        informe.Producir();
        QCOMPARE(PaginasPdf(pdf), 1);
        const QString texto = TextoPdf(pdf).value(0);
        QVERIFY(texto.contains(QStringLiteral("NUEVO")));
        QVERIFY(!texto.contains(QStringLiteral("ANTERIOR")));
        QVERIFY(!texto.contains(QStringLiteral("R00001")));
    }

    // Settings out of any sensible range still give a report.
    void valoresExtremos() {
        PresentacionPdf presentacion(pdf);
        const auto datos = Rejilla(20, kTitulos);
        InformeImpreso informe;
        informe.Datos(*datos);
        informe.TamanoLetra(100000);
        informe.Orientacion(-7);
        informe.RenglonesPorPagina(-3);
        informe.Copias(-5);
        informe.Logotipo(std::numeric_limits<int>::max(), -1000000, logo);
        informe.DefinirColumna(0, QStringLiteral("Referencia"), std::numeric_limits<int>::max(), QString(), 99);
        informe.DefinirColumna(-1, QStringLiteral("Nada"), -4, QStringLiteral("-"), -1);
        informe.DefinirColumna(57, QString(), 0, QString(), 0);
        informe.Producir();
        QCOMPARE(presentacion.copias(), 1);
        QVERIFY(!presentacion.apaisada());
        QVERIFY(PaginasPdf(pdf) >= 1);
        QVERIFY(TextoPdf(pdf).join(QString()).contains(QStringLiteral("R00020")));
    }

    // A test installs its own kind of report; an empty factory restores ours.
    void fabrica() {
        struct Otro final : Informe {
            void Iniciar() override {}
            void Titulo1(const QString&) override {}
            void Titulo2(const QString&) override {}
            void Datos(const QAbstractItemModel&) override {}
            void TamanoLetra(int) override {}
            void Resumen(const QAbstractItemModel&) override {}
            void Orientacion(int) override {}
            void RenglonesPorPagina(int) override {}
            void Copias(int) override {}
            void Logotipo(int, int, const QString&) override {}
            void DefinirColumna(int, const QString&, int, const QString&, int) override {}
            void Producir() override {}
        };
        QVERIFY(dynamic_cast<InformeImpreso*>(CrearInforme().get()));
        InstalarFabricaInformes([] { return std::make_unique<Otro>(); });
        QVERIFY(dynamic_cast<Otro*>(CrearInforme().get()));
        InstalarFabricaInformes({});
        QVERIFY(dynamic_cast<InformeImpreso*>(CrearInforme().get()));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepararAplicacion(app);
    PruebaInforme prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "informe_test.moc"
