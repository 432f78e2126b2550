#pragma once
// What the window tests share: stand-ins for the help viewer, the printer and the report preview in
// the manner of DialogosSimulados (installed for their lifetime, recording, opening no window), the
// PDFs they print read back with poppler-utils (which the tests need), and the user's gestures.

#include "dialogos_simulados.h"
#include "platform/aplicacion.h"
#include "platform/ayuda.h"
#include "platform/impresion.h"
#include "platform/informe.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

namespace vaviviv {

// The windows remember places and folders in the user's settings: a test keeps its own, in a folder
// of its own that goes with it, from before anything reads them. The real user's are never touched.
struct AjustesDePrueba {
    QTemporaryDir carpeta;
    AjustesDePrueba() {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(carpeta.path()));
        for (const auto formato : {QSettings::NativeFormat, QSettings::IniFormat}) QSettings::setPath(formato, QSettings::UserScope, carpeta.path());
    }
    static void Olvidar() { QSettings().clear(); }
};
inline const AjustesDePrueba ajustesDePrueba;

struct AyudaSimulada final : Ayuda {
    Ayuda* anterior = InstalarAyuda(this);
    std::vector<PeticionAyuda> peticiones;
    ~AyudaSimulada() override { InstalarAyuda(anterior); }
    void mostrar(const PeticionAyuda& peticion) override { peticiones.push_back(peticion); }
};

// Fails with each scripted error in turn, then prints into a PDF file.
struct ImpresoraSimulada final : Impresora {
    Impresora* anterior = InstalarImpresora(this);
    ImpresoraPdf pdf;
    std::deque<ErrorImpresion> errores;
    int impresas = 0;
    explicit ImpresoraSimulada(const QString& ruta) : pdf(ruta) {}
    ~ImpresoraSimulada() override { InstalarImpresora(anterior); }
    std::optional<ErrorImpresion> imprimir(const QImage& imagen) override {
        if (errores.empty()) return ++impresas, pdf.imprimir(imagen);
        const ErrorImpresion error = errores.front();
        errores.pop_front();
        return error;
    }
};

// Writes the produced report into a PDF file instead of previewing it, or of printing it at once.
struct PresentacionPdf final : PresentacionInforme {
    PresentacionInforme* anterior = InstalarPresentacion(this);
    QString ruta;
    int veces = 0;     // previews
    int impresas = 0;  // reports printed without a preview
    explicit PresentacionPdf(const QString& ruta) : ruta(ruta) {}
    ~PresentacionPdf() override { InstalarPresentacion(anterior); }
    void presentar(QPrinter& impresora, const std::function<void(QPrinter&)>& pintar) override {
        ++veces;
        impresora.setOutputFormat(QPrinter::PdfFormat);
        impresora.setOutputFileName(ruta);
        pintar(impresora);
    }
    std::optional<ErrorImpresion> imprimir(QPrinter& impresora, const std::function<int(QPrinter&)>& pintar) override {
        ++impresas;
        impresora.setOutputFormat(QPrinter::PdfFormat);
        impresora.setOutputFileName(ruta);
        pintar(impresora);
        return std::nullopt;
    }
};

inline QString EjecutarPoppler(const QString& programa, const QStringList& argumentos) {
    QProcess proceso;
    proceso.start(programa, argumentos);
    return proceso.waitForFinished(120000) && proceso.exitCode() == 0 ? QString::fromUtf8(proceso.readAllStandardOutput()) : QString();
}

inline QStringList TextoPdf(const QString& ruta) {
    const QStringList paginas = EjecutarPoppler("pdftotext", {"-layout", ruta, "-"}).split(u'\f');
    return paginas.first(paginas.size() - 1);  // not what follows the last page break
}

inline QStringList ImagenesPdf(const QString& ruta) {
    QStringList tamanos;
    for (const QString& linea : EjecutarPoppler("pdfimages", {"-list", ruta}).split(u'\n').mid(2))
        if (const QStringList c = linea.simplified().split(u' '); c.size() > 4) tamanos << c[3] + u'x' + c[4];
    return tamanos;
}

// Picks the entry that carries `codigo` in the list's popup, as the user does.
inline void Elegir(QComboBox& lista, int codigo) {
    lista.showPopup();
    lista.view()->setCurrentIndex(lista.model()->index(lista.findData(codigo), 0));
    QTest::keyClick(lista.view(), Qt::Key_Return);
}

// The help menu of `ventana`, which must be last on its menu bar: its caption, then each entry's name and
// caption in order, a separator by its name alone.
inline QStringList EntradasMenuAyuda(QMainWindow& ventana) {
    auto* menu = ventana.findChild<QMenu*>("mnuAyuda");
    if (!menu || ventana.menuBar()->actions().last() != menu->menuAction()) return {};
    QStringList entradas{menu->title()};
    for (QAction* a : menu->actions()) entradas << a->objectName() + (a->isSeparator() ? QString() : " " + a->text());
    return entradas;
}
// What both windows show there; `contenido` captions the contents entry.
inline QStringList MenuAyudaEsperado(const QString& contenido) {
    return {"A&yuda", "mnuAyudaContenido " + contenido, "mnuAyudaUso &Uso de la Ayuda", "mnuAyudaEdicion Ayuda de &Edición",
            "mnuAyudaDespliegue Despliegue de &Pantalla", "mnuAyudaCalculo Calculo de &Algoritmo", "mnulinea3", "mnuAyudaAcerca A&cerca de..."};
}

// `ventana` brought to the front and active, as after a click on it: keys then go to it.
inline bool Activar(QWidget& ventana) {
    ventana.activateWindow();
    return QTest::qWaitForWindowActive(&ventana);
}

// While it lives, a file written past `bytes` fails part way (SIGXFSZ ignored), as on a full disk.
struct TopeDeArchivo {
    rlimit antes{};
    explicit TopeDeArchivo(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN), getrlimit(RLIMIT_FSIZE, &antes);
        const rlimit tope{bytes, antes.rlim_max};
        setrlimit(RLIMIT_FSIZE, &tope);
    }
    ~TopeDeArchivo() { setrlimit(RLIMIT_FSIZE, &antes); }
};

// Each entry's text, in order.
inline QStringList Textos(const QListWidget& lista) {
    QStringList textos;
    for (int i = 0; i < lista.count(); ++i) textos << lista.item(i)->text();
    return textos;
}

// A click on the entry whose text ends with `texto`, then a double click there if asked.
inline void Pulsar(QListWidget& lista, const QString& texto, bool doble = false) {
    const QPoint punto = lista.visualItemRect(lista.findItems(texto, Qt::MatchEndsWith).value(0)).center();
    QTest::mouseClick(lista.viewport(), Qt::LeftButton, {}, punto);
    if (doble) QTest::mouseDClick(lista.viewport(), Qt::LeftButton, {}, punto);
}

// A window or dialog that keeps its size: a title and a close box, no maximise button, a minimise one
// only if asked, its size its only one.
inline void ComprobarTamanoFijo(const QWidget& ventana, bool minimizar) {
    const Qt::WindowFlags marco = ventana.windowFlags();
    QVERIFY2(!(marco & Qt::WindowMaximizeButtonHint), qPrintable(ventana.objectName()));
    QVERIFY2(marco & Qt::WindowTitleHint, qPrintable(ventana.objectName()));
    QVERIFY2(marco & Qt::WindowCloseButtonHint, qPrintable(ventana.objectName()));
    QCOMPARE(bool(marco & Qt::WindowMinimizeButtonHint), minimizar);
    QCOMPARE(ventana.minimumSize(), ventana.maximumSize());
    QCOMPARE(ventana.size(), ventana.maximumSize());
}

inline QByteArray Leer(const QString& ruta) { QFile f(ruta); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(); }
inline bool Escribir(const QString& ruta, const QByteArray& bytes) { QFile f(ruta); return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size(); }

}  // namespace vaviviv
