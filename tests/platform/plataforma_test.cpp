// The platform layer under the windows: Qt's boxes behind the dialogs layer, the help file and its
// viewer, the report component printed to PDF.

#include "platform/controles.h"
#include "platform/dialogos_qt.h"
#include "platform/visor_ayuda.h"
#include "prueba_ventanas.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextTable>
#include <QTimer>
#include <QScopeGuard>
#include <cmath>

using namespace vaviviv;

class PruebaPlataforma : public QObject {
    Q_OBJECT
    QTemporaryDir carpeta;

private slots:
    void initTestCase() { PrepararAplicacion(*qApp); }

    // Each button set in Spanish and each button pressed, Esc the answer that changes nothing, the
    // application's title when none is given; each icon.
    void cajasDeQt() {
        const std::tuple<Botones, int, Respuesta, QString> filas[] = {
            {Botones::Aceptar, QMessageBox::Ok, Respuesta::Aceptar, "Aceptar"}, {Botones::SiNo, QMessageBox::Yes, Respuesta::Si, "No Sí"},
            {Botones::SiNo, -1, Respuesta::No, "No Sí"}, {Botones::ReintentarCancelar, -1, Respuesta::Cancelar, "Cancelar Reintentar"},
            {Botones::ReintentarCancelar, QMessageBox::Retry, Respuesta::Reintentar, "Cancelar Reintentar"}};
        for (const auto& [botones, boton, respuesta, textos] : filas) {
            QStringList vistos;
            QTimer::singleShot(0, [&, boton = boton] {  // once the box's own event loop runs
                auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                for (QAbstractButton* b : caja->buttons()) vistos << b->text().remove('&');
                vistos.sort();
                vistos << caja->windowTitle();
                boton < 0 ? QTest::keyClick(caja, Qt::Key_Escape) : caja->button(QMessageBox::StandardButton(boton))->click();
            });
            QCOMPARE(MostrarMensaje("¿Seguro?", Icono::Ninguno, botones), respuesta);
            QCOMPARE(vistos.join(' '), textos + " VaviviV");
        }
        for (const auto& [icono, qt] : {std::pair{Icono::Critico, QMessageBox::Critical}, {Icono::Ninguno, QMessageBox::NoIcon},
                                        {Icono::Exclamacion, QMessageBox::Warning}, {Icono::Informacion, QMessageBox::Information}})
            QCOMPARE(CrearCajaMensaje({"t", "VaviviV", icono}, nullptr)->icon(), qt);
    }

    // Every topic the windows ask for is in the file beside the program, under either spelling. The viewer:
    // a missing file said with its path; the topic asked for, not modal, reused; an unknown topic said and the
    // contents shown; a link followed; the about box.
    void ayuda() {
        const auto archivo = ArchivoAyuda::Leer(ResolverArchivoAyuda(VAVIVIV_CARPETA_PROGRAMA "/Vaviviv.hlp"));
        QVERIFY(archivo);
        QVERIFY(!ResolverArchivoAyuda(VAVIVIV_CARPETA_PROGRAMA "/VaviviV.hlp").isEmpty());
        for (const char* id : {"100", "2", "3", "4", "6", "10", "35", "36", "37", "101", "102", "103", "hojas", "contenido", "uso"})
            QVERIFY2(archivo->tema(id), id);
        QVERIFY(QFile::copy(archivo->ruta(), carpeta.filePath("VAVIVIV.HLP")));
        DialogosSimulados dialogos;
        MostrarAyuda({"/no/existe/VaviviV.hlp", kAyudaTema, 10});
        QCOMPARE(VisorAyudaAbierto(), nullptr);
        MostrarAyuda({carpeta.filePath("vaviviv.hlp"), kAyudaTema, 10});
        VisorAyuda* visor = VisorAyudaAbierto();
        QVERIFY(visor);
        QVERIFY(visor->isVisible());
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(visor->tema() == "10");
        MostrarAyuda({archivo->ruta(), kAyudaUso, 0});
        QCOMPARE(visor->tema(), "uso");
        MostrarAyuda({archivo->ruta(), kAyudaTema, 999});
        QVERIFY(VisorAyudaAbierto() == visor);
        QVERIFY(visor->tema() == "contenido");
        emit visor->navegador()->anchorClicked(QUrl("ayuda:contenido#35"));
        QCOMPARE(visor->tema(), "35");
        // The title names the topic shown after every move inside the viewer.
        QCOMPARE(visor->windowTitle(), "Ayuda de VaviviV - Algoritmo Vorantis 35");
        for (const auto& [boton, titulo] : {std::pair{"cmdAtras", "Contenido de la Ayuda"}, {"cmdAdelante", "Algoritmo Vorantis 35"},
                                            {"cmdUso", "Uso de la Ayuda"}, {"cmdContenido", "Contenido de la Ayuda"}}) {
            QTest::mouseClick(visor->findChild<QPushButton*>(boton), Qt::LeftButton);
            QCOMPARE(visor->windowTitle(), QString("Ayuda de VaviviV - ") + titulo);
        }
        MostrarAcercaDe();
        QCOMPARE(dialogos.textos().size(), 3);
        QVERIFY(dialogos.textos()[0].startsWith("No se encontró el archivo de ayuda «/no/existe/VaviviV.hlp»."));
        QCOMPARE(dialogos.textos()[1], "El archivo de ayuda no tiene el tema 999; se muestra el contenido.");
        QVERIFY(dialogos.cajas()[2].titulo == "Acerca de VaviviV");
        QVERIFY(dialogos.textos()[2].contains("versión " VAVIVIV_VERSION_ESPERADA));
        visor->close();
    }

    // The window belongs to its launcher: the desktop knows it by the entry's file name (Wayland's app_id)
    // and by the class X11 gives its windows, which is the application's name.
    void entradaDelEscritorio() {
        QFile entrada(VAVIVIV_ENTRADA_ESCRITORIO);
        QVERIFY(entrada.open(QIODevice::ReadOnly));
        const QStringList lineas = QString::fromUtf8(entrada.readAll()).split('\n');
        QCOMPARE(QGuiApplication::desktopFileName() + ".desktop", QFileInfo(entrada).fileName());
        QVERIFY(lineas.contains("StartupWMClass=" + QCoreApplication::applicationName()));
    }

    // Every topic readable under a light and a dark palette: each piece of text stands out from what is
    // behind it (headings, table headers and examples included) by at least the 4.5:1 contrast of
    // ordinary text, the colour behind it being its own, its paragraph's, its table cell's or the page's.
    void ayudaLegibleConCualquierPaleta() {
        const auto archivo = ArchivoAyuda::Leer(ResolverArchivoAyuda(VAVIVIV_CARPETA_PROGRAMA "/Vaviviv.hlp"));
        QVERIFY(archivo);
        const auto luminancia = [](const QColor& c) {
            const auto lineal = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
            return 0.2126 * lineal(c.redF()) + 0.7152 * lineal(c.greenF()) + 0.0722 * lineal(c.blueF());
        };
        QPalette oscura;
        for (const auto& [rol, color] : {std::pair{QPalette::Window, "#2b2b2b"}, {QPalette::WindowText, "#e8e8e8"}, {QPalette::Base, "#1c1c1c"},
                                          {QPalette::AlternateBase, "#262626"}, {QPalette::Text, "#e8e8e8"}, {QPalette::Link, "#3584e4"},
                                          {QPalette::Highlight, "#3584e4"}, {QPalette::HighlightedText, "#ffffff"}, {QPalette::Button, "#333333"},
                                          {QPalette::ButtonText, "#e8e8e8"}})
            oscura.setColor(rol, QColor(color));
        const QPalette original = QApplication::palette();
        const auto restaurar = qScopeGuard([&] { QApplication::setPalette(original); });
        // Each piece of text of the topic on show against what is behind it.
        const auto comprobar = [&](const VisorAyuda& visor, const QPalette& paleta) {
            for (QTextBlock b = visor.navegador()->document()->begin(); b.isValid(); b = b.next()) {
                QColor fondo = paleta.color(QPalette::Base);
                if (const QTextTable* tabla = QTextCursor(b).currentTable()) {
                    const QBrush celda = tabla->cellAt(b.position()).format().background();
                    if (celda.style() != Qt::NoBrush) fondo = celda.color();
                }
                if (b.blockFormat().background().style() != Qt::NoBrush) fondo = b.blockFormat().background().color();
                for (auto f = b.begin(); !f.atEnd(); ++f) {
                    const QTextCharFormat formato = f.fragment().charFormat();
                    if (f.fragment().text().trimmed().isEmpty()) continue;
                    const QColor letra = formato.foreground().style() != Qt::NoBrush ? formato.foreground().color() : paleta.color(QPalette::Text);
                    const QColor detras = formato.background().style() != Qt::NoBrush ? formato.background().color() : fondo;
                    const double l1 = luminancia(letra), l2 = luminancia(detras);
                    const double contraste = (std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05);
                    if (contraste < 4.5)
                        return QString("tema %1, «%2»: %3 sobre %4, %5:1").arg(visor.tema(), f.fragment().text().left(30), letra.name(), detras.name())
                            .arg(contraste, 0, 'f', 1);
                }
            }
            return QString();
        };
        VisorAyuda visor;  // open while the theme changes
        visor.show();
        for (const QPalette& paleta : {original, oscura}) {
            // As a desktop theme sets it; without a running event loop the application's change reaches no
            // widget by itself, so the window is given it too, as it would be.
            QApplication::setPalette(paleta);
            visor.setPalette(paleta);
            if (visor.navegador()->archivo()) QCOMPARE(comprobar(visor, paleta), QString());  // the topic on show, redrawn
            for (const QString& id : archivo->temas()) {
                QVERIFY(visor.abrir(*archivo, id));
                QCOMPARE(comprobar(visor, paleta), QString());
            }
        }
    }

    // Titles, logo and summary on the first page; the grid's titles and "Página p de n" on every page; every
    // row once, in order.
    void informeEnPdf() {
        QStandardItemModel datos(150, 2), resumen(1, 2);
        datos.setHorizontalHeaderLabels({"Referencia", "Dígito Verificador"});
        for (int f = 0; f < datos.rowCount(); ++f) datos.setItem(f, 0, new QStandardItem(QString("R%1").arg(f + 1)));
        resumen.setHorizontalHeaderLabels({QString(), "Primera línea"});
        resumen.setItem(0, 1, new QStandardItem("Segunda línea"));
        PresentacionPdf presentacion(carpeta.filePath("informe.pdf"));
        InformeImpreso informe;
        informe.Titulo1("Reporte de prueba");
        informe.Datos(datos);
        informe.Resumen(resumen);
        informe.Logotipo(0, 0, VAVIVIV_CARPETA_PROGRAMA "/tesk.bmp");  // the one installed beside the program
        informe.Producir();
        const QStringList paginas = TextoPdf(presentacion.ruta);
        QVERIFY(presentacion.veces == 1);
        QVERIFY(paginas.size() > 1);
        QVERIFY(ImagenesPdf(presentacion.ruta) == QStringList{"211x55"});
        QVERIFY(paginas[0].contains("Reporte de prueba"));
        QVERIFY(paginas[0].contains("Primera línea"));
        QVERIFY(paginas[0].contains("Segunda línea"));
        int siguiente = 1;
        for (int p = 0; p < paginas.size(); ++p) {
            QVERIFY(paginas[p].contains("Dígito Verificador"));
            QVERIFY(paginas[p].contains(QString("Página %1 de %2").arg(p + 1).arg(paginas.size())));
            for (auto it = QRegularExpression("\\bR(\\d+)").globalMatch(paginas[p]); it.hasNext();) QCOMPARE(it.next().captured(1).toInt(), siguiente++);
        }
        QCOMPARE(siguiente, datos.rowCount() + 1);
    }

    // Printed at once: a failing printer's error in a box with Retry and Cancel, Retry trying again until it
    // prints, Cancel ending with nothing printed; never a preview. With no printer in the system, that is the error.
    void informeEnImpresora() {
        struct Falla final : PresentacionInforme {
            PresentacionInforme* anterior = InstalarPresentacion(this);
            std::deque<ErrorImpresion> errores;
            QString ruta;
            int vistas = 0, impresas = 0;
            ~Falla() override { InstalarPresentacion(anterior); }
            void presentar(QPrinter&, const std::function<void(QPrinter&)>&) override { ++vistas; }
            std::optional<ErrorImpresion> imprimir(QPrinter& impresora, const std::function<int(QPrinter&)>& pintar) override {
                if (!errores.empty()) return errores.front();  // until the user gives up, or it is mended
                impresora.setOutputFormat(QPrinter::PdfFormat);
                impresora.setOutputFileName(ruta);
                impresas += pintar(impresora) > 0;
                return std::nullopt;
            }
        };
        const ErrorImpresion detenida{kErrorImpresoraDetenida, "La impresora «p» está detenida o tiene un error."};
        for (const int reintentos : {0, 1, 2}) {
            DialogosSimulados dialogos;
            Falla falla;
            falla.errores.push_back(detenida), falla.ruta = carpeta.filePath("impreso.pdf");
            for (int i = 0; i < reintentos; ++i) dialogos.responderCon(Respuesta::Reintentar);
            dialogos.alMostrar = [&, n = 0](const Caja&) mutable { if (++n == reintentos) falla.errores.clear(); };
            InformeImpreso().ProducirEnImpresora();
            QCOMPARE(dialogos.textos(), QStringList(std::max(reintentos, 1), "Error : 2 La impresora «p» está detenida o tiene un error."));
            QVERIFY(dialogos.cajas()[0].botones == Botones::ReintentarCancelar);
            QVERIFY(falla.vistas == 0);
            QVERIFY(falla.impresas == (reintentos > 0));
        }
        if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("this system has a default printer");
        struct SoloVista final : PresentacionInforme {
            void presentar(QPrinter&, const std::function<void(QPrinter&)>&) override {}
        } vista;
        PresentacionInforme* anterior = InstalarPresentacion(&vista);
        DialogosSimulados dialogos;
        InformeImpreso().ProducirEnImpresora();
        InstalarPresentacion(anterior);
        QCOMPARE(dialogos.textos(), QStringList{"Error : 1 No hay ninguna impresora predeterminada en el sistema."});
    }

    // Centred on the screen; a window larger than the free area shows its top left corner there.
    void centrado() {
        const QRect pantalla = QGuiApplication::primaryScreen()->geometry(), libre = QGuiApplication::primaryScreen()->availableGeometry();
        for (const QSize tamano : {QSize(200, 100), libre.size() + QSize(300, 200)}) {
            QWidget ventana;
            ventana.setFixedSize(tamano);
            CentrarEnPantalla(ventana);
            const QPoint centrado(pantalla.x() + (pantalla.width() - 200) / 2, pantalla.y() + (pantalla.height() - 100) / 2);
            QCOMPARE(ventana.pos(), tamano.width() == 200 ? centrado : libre.topLeft());
        }
    }

    // The report's preview fits, frame included, in the free area of the screen and is centred there: at the
    // size it asks for, or as near as fits. (ctest runs this again on a small screen away from the origin.)
    void vistaPreviaEnPantalla() {
        QStandardItemModel datos(60, 3);
        for (int f = 0; f < datos.rowCount(); ++f)
            for (int c = 0; c < datos.columnCount(); ++c) datos.setItem(f, c, new QStandardItem(QString("R%1").arg(f + 1)));
        for (const bool conVentana : {false, true}) {  // with a window active, whose frame is measured
            QWidget ventana;
            if (conVentana) {
                ventana.resize(300, 200), ventana.show(), ventana.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&ventana));
            }
            QRect marco, libre;
            QSize tamano;
            QString titulo;
            QTimer::singleShot(0, [&] {  // once the preview's own event loop runs, as it is seen
                if (QWidget* vista = QApplication::activeModalWidget()) {
                    if (QTest::qWaitForWindowExposed(vista))
                        marco = vista->frameGeometry(), tamano = vista->size(), libre = vista->screen()->availableGeometry(), titulo = vista->windowTitle();
                    vista->close();
                }
            });
            InformeImpreso informe;
            informe.Datos(datos);
            informe.Producir();
            QCOMPARE(titulo, "Presentación preliminar del reporte");
            QVERIFY2(libre.contains(marco), qPrintable(QString("%1,%2 %3x%4 fuera de %5,%6 %7x%8").arg(marco.x()).arg(marco.y()).arg(marco.width())
                                                           .arg(marco.height()).arg(libre.x()).arg(libre.y()).arg(libre.width()).arg(libre.height())));
            // Each side as asked, or as wide or as tall as the free area.
            QVERIFY(tamano.width() == 900 || marco.width() == libre.width());
            QVERIFY(tamano.height() == 720 || marco.height() == libre.height());
            QVERIFY(std::abs(marco.center().x() - libre.center().x()) <= 1);
            QVERIFY(std::abs(marco.center().y() - libre.center().y()) <= 1);
        }
    }

    // A long text in a narrow column breaks between its words.
    void informeEntrePalabras() {
        QStandardItemModel datos(1, 5);
        for (int c = 0; c < 5; ++c) datos.setItem(0, c, new QStandardItem(QString("Referencia mayor ").repeated(12)));
        PresentacionPdf presentacion(carpeta.filePath("palabras.pdf"));
        InformeImpreso informe;
        informe.Datos(datos);
        informe.Producir();
        QCOMPARE(TextoPdf(presentacion.ruta).join(' ').count("Referencia"), 60);
    }
};

QTEST_MAIN(PruebaPlataforma)
#include "plataforma_test.moc"
