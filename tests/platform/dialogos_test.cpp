// The boxes layer over Qt's real boxes: Spanish buttons, icons, the answers, the
// application's title when none is given.

#include "platform/aplicacion.h"
#include "platform/dialogos_qt.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QAbstractButton>
#include <QTest>
#include <QTimer>

using namespace vaviviv;

// Acts on the modal box once its event loop runs, so the test never waits on it.
template <typename T> void AlAbrirse(std::function<void(T*)> accion) {
    QTimer::singleShot(0, [accion] { accion(qobject_cast<T*>(QApplication::activeModalWidget())); });
}

class PruebaDialogos : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { PrepararAplicacion(*qApp); }

    // Each button pressed, or Esc (the answer that changes nothing); the buttons in Spanish.
    void respuestasDeQt() {
        const std::tuple<Botones, int, Respuesta, QString> filas[] = {
            {Botones::Aceptar, QMessageBox::Ok, Respuesta::Aceptar, "Aceptar"},
            {Botones::SiNo, QMessageBox::Yes, Respuesta::Si, "No Sí"},
            {Botones::SiNo, -1, Respuesta::No, "No Sí"},
            {Botones::ReintentarCancelar, QMessageBox::Retry, Respuesta::Reintentar, "Cancelar Reintentar"},
            {Botones::ReintentarCancelar, -1, Respuesta::Cancelar, "Cancelar Reintentar"}};
        for (const auto& [botones, boton, respuesta, textos] : filas) {
            QStringList vistos;
            AlAbrirse<QMessageBox>([&, boton = boton](QMessageBox* caja) {
                for (QAbstractButton* b : caja->buttons()) vistos << b->text().remove('&');
                vistos.sort();
                vistos << caja->windowTitle();
                boton < 0 ? QTest::keyClick(caja, Qt::Key_Escape) : caja->button(QMessageBox::StandardButton(boton))->click();
            });
            QCOMPARE(MostrarMensaje("¿Seguro?", Icono::Ninguno, botones), respuesta);
            QCOMPARE(vistos.join(' '), textos + " VaviviV");
        }
        for (const auto& [icono, qt] : {std::pair{Icono::Critico, QMessageBox::Critical}, {Icono::Ninguno, QMessageBox::NoIcon},
                                        {Icono::Exclamacion, QMessageBox::Warning},
                                        {Icono::Informacion, QMessageBox::Information}})
            QCOMPARE(CrearCajaMensaje({"t", "VaviviV", icono}, nullptr)->icon(), qt);
    }

    // The input box: prompt, the text offered, the title; the typed text, or nothing on Cancel.
    void entradaDeQt() {
        QStringList visto;
        AlAbrirse<QInputDialog>([&visto](QInputDialog* caja) {
            visto << caja->labelText() << caja->textValue() << caja->windowTitle();
            caja->setTextValue("nuevo.txt");
            caja->accept();
        });
        QCOMPARE(PedirTexto("Nombre:", {}, "viejo.txt"), std::optional<QString>("nuevo.txt"));
        QCOMPARE(visto, QStringList({"Nombre:", "viejo.txt", "VaviviV"}));
        AlAbrirse<QInputDialog>([](QInputDialog* caja) { caja->reject(); });
        QCOMPARE(PedirTexto("Nombre:"), std::nullopt);
    }
};

QTEST_MAIN(PruebaDialogos)
#include "dialogos_test.moc"
