// The platform layer under the windows: Qt's boxes behind the dialogs layer, the help file and its
// viewer, the report component printed to PDF.

#include "platform/controles.h"
#include "platform/dialogos_qt.h"
#include "platform/visor_ayuda.h"
#include "prueba_ventanas.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTimer>

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
        QVERIFY(archivo && !ResolverArchivoAyuda(VAVIVIV_CARPETA_PROGRAMA "/VaviviV.hlp").isEmpty());
        for (const char* id : {"100", "2", "3", "4", "6", "10", "35", "36", "37", "101", "102", "103", "contenido", "uso"})
            QVERIFY2(archivo->tema(id), id);
        QVERIFY(QFile::copy(archivo->ruta(), carpeta.filePath("VAVIVIV.HLP")));
        DialogosSimulados dialogos;
        MostrarAyuda({"/no/existe/VaviviV.hlp", kAyudaTema, 10});
        QCOMPARE(VisorAyudaAbierto(), nullptr);
        MostrarAyuda({carpeta.filePath("vaviviv.hlp"), kAyudaTema, 10});
        VisorAyuda* visor = VisorAyudaAbierto();
        QVERIFY(visor && visor->isVisible() && !QApplication::activeModalWidget() && visor->tema() == "10");
        MostrarAyuda({archivo->ruta(), kAyudaUso, 0});
        QCOMPARE(visor->tema(), "uso");
        MostrarAyuda({archivo->ruta(), kAyudaTema, 999});
        QVERIFY(VisorAyudaAbierto() == visor && visor->tema() == "contenido");
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
        QVERIFY(dialogos.cajas()[2].titulo == "Acerca de VaviviV" && dialogos.textos()[2].contains("versión " VAVIVIV_VERSION_ESPERADA));
        visor->close();
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
        QVERIFY(presentacion.veces == 1 && paginas.size() > 1 && ImagenesPdf(presentacion.ruta) == QStringList{"211x55"});
        QVERIFY(paginas[0].contains("Reporte de prueba") && paginas[0].contains("Primera línea") && paginas[0].contains("Segunda línea"));
        int siguiente = 1;
        for (int p = 0; p < paginas.size(); ++p) {
            QVERIFY(paginas[p].contains("Dígito Verificador") && paginas[p].contains(QString("Página %1 de %2").arg(p + 1).arg(paginas.size())));
            for (auto it = QRegularExpression("\\bR(\\d+)").globalMatch(paginas[p]); it.hasNext();) QCOMPARE(it.next().captured(1).toInt(), siguiente++);
        }
        QCOMPARE(siguiente, datos.rowCount() + 1);
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
            QVERIFY((tamano.width() == 900 || marco.width() == libre.width()) && (tamano.height() == 720 || marco.height() == libre.height()));
            QVERIFY(std::abs(marco.center().x() - libre.center().x()) <= 1 && std::abs(marco.center().y() - libre.center().y()) <= 1);
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
