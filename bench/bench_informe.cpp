// The bulk window's report of 30,000 rows (algorithm 10, five columns),
// handed over as the window does and laid out by the report component into
// a PDF instead of the preview: the time from the hand-over to the last
// page written, and the number of pages.
//   bench_informe [repeticiones]

#include "masivo/informe_masivo.h"
#include "masivo/rejilla.h"
#include "platform/aplicacion.h"
#include "platform/informe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

using namespace vaviviv;

namespace {

constexpr int kRenglones = 30000;
constexpr double kObjetivoSegundos = 10.0;

class EnPdf final : public PresentacionInforme {
public:
    explicit EnPdf(QString ruta) : ruta_(std::move(ruta)) {}
    void presentar(QPrinter& impresora, const std::function<void(QPrinter&)>& pintar) override {
        impresora.setOutputFormat(QPrinter::PdfFormat);
        impresora.setOutputFileName(ruta_);
        pintar(impresora);
    }

private:
    QString ruta_;
};

// Calculated rows as the grid holds them; fixed seed.
void Llenar(Rejilla& grd) {
    grd.setCols(5);
    const QStringList titulos{QStringLiteral("Referencia"), QStringLiteral("Importe"), QStringLiteral("Fecha"),
                              QStringLiteral("Referencia Completa"), QString::fromUtf8("Dígito Verificador")};
    for (int c = 0; c < 5; ++c) {
        grd.setTextMatrix(0, c, titulos[c]);
        grd.setColWidth(c, 1800);
    }
    std::mt19937 azar(11);
    std::vector<QString> celdas;
    celdas.reserve(std::size_t(kRenglones) * 5);
    for (int f = 0; f < kRenglones; ++f) {
        const QString referencia = QString::number(std::uniform_int_distribution<qint64>(1, 999999999999)(azar));
        const QString digitos = QStringLiteral("%1").arg(std::uniform_int_distribution<int>(0, 99999999)(azar), 8, 10,
                                                         QLatin1Char('0'));
        celdas.push_back(referencia);
        celdas.push_back(QStringLiteral("%1.%2").arg(std::uniform_int_distribution<int>(0, 999999)(azar))
                             .arg(std::uniform_int_distribution<int>(0, 99)(azar), 2, 10, QLatin1Char('0')));
        celdas.push_back(QStringLiteral("%1/%2/%3")
                             .arg(std::uniform_int_distribution<int>(1, 28)(azar), 2, 10, QLatin1Char('0'))
                             .arg(std::uniform_int_distribution<int>(1, 12)(azar), 2, 10, QLatin1Char('0'))
                             .arg(std::uniform_int_distribution<int>(1988, 2013)(azar)));
        celdas.push_back(referencia + digitos);
        celdas.push_back(digitos);
    }
    grd.AgregarFilas(std::move(celdas));
}

// Pages as a PDF reader counts them; -1 without pdfinfo.
int Paginas(const QString& pdf) {
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {pdf});
    if (!pdfinfo.waitForFinished(60000) || pdfinfo.exitCode() != 0) return -1;
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(pdfinfo.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepararAplicacion(app);
    const int repeticiones = std::max(argc > 1 ? std::atoi(argv[1]) : 3, 1);

    QTemporaryDir carpeta;
    const QString pdf = carpeta.filePath(QStringLiteral("informe.pdf"));
    EnPdf presentacion(pdf);
    InstalarPresentacion(&presentacion);

    Rejilla grdMasivo, grdCriterios;
    Llenar(grdMasivo);

    std::vector<double> segundos;
    for (int i = 0; i < repeticiones; ++i) {
        QElapsedTimer reloj;
        reloj.start();
        ImprimirInformeMasivo(grdMasivo, grdCriterios, QStringLiteral("Algoritmo Vorantis 10"),
                              QString::fromUtf8("8 Dígitos verificadores"));
        segundos.push_back(reloj.nsecsElapsed() / 1e9);
    }
    InstalarPresentacion(nullptr);
    std::sort(segundos.begin(), segundos.end());

    const int paginas = Paginas(pdf);
    const qint64 bytes = QFileInfo(pdf).size();
    std::printf("  reporte de %d renglones a PDF: %.2f s (mejor) / %.2f s (peor) de %d, %d páginas, %.1f MB; "
                "objetivo < %.0f s: %s\n",
                kRenglones, segundos.front(), segundos.back(), repeticiones, paginas, bytes / 1048576.0,
                kObjetivoSegundos, segundos.back() < kObjetivoSegundos ? "cumplido" : "NO cumplido");
    return 0;
}
