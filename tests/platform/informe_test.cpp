// The report component's pages, read back from the PDF it prints: titles, logo and
// summary on the first page; on every page the grid's titles and the page number;
// every row of the bulk window's largest grid once, in order.

#include "pdf_prueba.h"
#include "platform/aplicacion.h"
#include "platform/informe.h"
#include "simulados_impresion.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

using namespace vaviviv;
using namespace vaviviv::prueba;

namespace {

const QString kResumen1 = "Algoritmo utilizado en el calculo: Algoritmo Vorantis 00";
const QString kResumen2 = "Dígitos calculados : 1 Dígito verificador";
constexpr int kMaximoFilas = 30000;  // the bulk window's grid at its fullest

// A grid as the bulk window holds it: titles in the header, rows R00001, R00001-1, ...; the summary's
// title row and one row give its two lines; without column definitions every column prints under its
// own title.
void Producir(int filas, const QString& logo) {
    QStandardItemModel datos(filas, 3), resumen(1, 2);
    datos.setHorizontalHeaderLabels({"Referencia", "Referencia Completa", "Dígito Verificador"});
    for (int f = 0; f < filas; ++f)
        for (int c = 0; c < 3; ++c)
            datos.setItem(f, c, new QStandardItem(QString("R%1").arg(f + 1, 5, 10, QChar('0')) + (c > 0 ? QString("-%1").arg(c) : "")));
    resumen.setHorizontalHeaderLabels({QString(), kResumen1});
    resumen.setItem(0, 1, new QStandardItem(kResumen2));
    InformeImpreso informe;
    informe.Titulo1("Reporte de Calculo Masivo de");
    informe.Titulo2("Dígitos Verificadores");
    informe.Datos(datos);
    informe.Resumen(resumen);
    informe.Logotipo(0, 0, logo);
    informe.Producir();
}

}  // namespace

class PruebaInforme : public QObject {
    Q_OBJECT

    QTemporaryDir carpeta;

private slots:
    void initTestCase() {
        PrepararAplicacion(*qApp);
        if (!HayHerramientasPdf()) QSKIP("Faltan pdfinfo, pdftotext y pdfimages (poppler-utils)");
    }

    void paginas() {
        const QString pdf = carpeta.filePath("informe.pdf"), logo = carpeta.filePath("tesk.bmp");
        QImage imagen(211, 55, QImage::Format_RGB888);
        imagen.fill(QColor(30, 60, 140));
        QVERIFY(imagen.save(logo, "BMP"));
        PresentacionPdf presentacion(pdf);
        Producir(kMaximoFilas, logo);
        QCOMPARE(presentacion.veces(), 1);
        const QStringList textos = TextoPdf(pdf);
        QVERIFY(textos.size() > 1);
        QCOMPARE(textos.size(), PaginasPdf(pdf));
        for (const QString& parte : {QString("Reporte de Calculo Masivo de"), QString("Dígitos Verificadores"),
                                     kResumen1, kResumen2, QString("Dígito Verificador"), QString("R00001-2")})
            QVERIFY2(textos[0].contains(parte), qPrintable(parte));
        QCOMPARE(ImagenesPdf(pdf), QStringList{"211x55"});
        const QRegularExpression referencia("(?<![\\w-])R(\\d{5})(?![\\w-])");
        int siguiente = 1;
        for (int p = 0; p < textos.size(); ++p) {
            QVERIFY(textos[p].contains("Referencia Completa"));
            QVERIFY(textos[p].contains(QString("Página %1 de %2").arg(p + 1).arg(textos.size())));
            QCOMPARE(textos[p].contains("Algoritmo utilizado"), p == 0);
            for (auto it = referencia.globalMatch(textos[p]); it.hasNext();) QCOMPARE(it.next().captured(1).toInt(), siguiente++);
        }
        QCOMPARE(siguiente - 1, kMaximoFilas);
    }

    // A logo file that is missing leaves the report without it.
    void sinLogo() {
        PresentacionPdf presentacion(carpeta.filePath("sin_logo.pdf"));
        Producir(3, carpeta.filePath("no_hay.bmp"));
        QVERIFY(TextoPdf(carpeta.filePath("sin_logo.pdf")).value(0).contains("R00003-2"));
        QCOMPARE(ImagenesPdf(carpeta.filePath("sin_logo.pdf")), QStringList());
    }
};

QTEST_MAIN(PruebaInforme)

#include "informe_test.moc"
