#pragma once
// What the GUI tests of frmPrincipal share: a fresh window per test, shown
// offscreen, with the scripted boxes in place, and the user's gestures.

#include "dialogos_simulados.h"
#include "platform/aplicacion.h"
#include "principal/frmPrincipal.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace vaviviv::prueba {

// The application the tests run in, set up as the tool sets up its own.
#define VAVIVIV_QTEST_MAIN(Clase)                         \
    int main(int argc, char** argv) {                     \
        QApplication app(argc, argv);                     \
        vaviviv::PrepararAplicacion(app);                 \
        Clase prueba;                                     \
        return QTest::qExec(&prueba, argc, argv);         \
    }

class Ventana {
public:
    Ventana() : ventana_(std::make_unique<frmPrincipal>()) {
        ventana_->show();
        ventana_->activateWindow();
        (void)QTest::qWaitForWindowActive(ventana_.get());
    }

    frmPrincipal& ventana() { return *ventana_; }
    DialogosSimulados& dialogos() { return dialogos_; }

    template <typename T = QWidget>
    T* control(const char* nombre) {
        T* encontrado = ventana_->findChild<T*>(QString::fromLatin1(nombre));
        if (!encontrado) qFatal("frmPrincipal no tiene el control %s", nombre);
        return encontrado;
    }
    QLineEdit* campo(const char* nombre) { return control<QLineEdit>(nombre); }
    QPushButton* boton(const char* nombre) { return control<QPushButton>(nombre); }
    QCalendarWidget* calendario() { return control<QCalendarWidget>("cldCalendario"); }
    QComboBox* algoritmos() { return control<QComboBox>("cboAlgoritmo"); }

    // Picks the entry that carries `codigo`, as the user does in the list.
    void elegir(int codigo) {
        QComboBox* cbo = algoritmos();
        const int indice = cbo->findData(codigo);
        if (indice < 0) qFatal("No hay entrada con el código %d", codigo);
        cbo->setCurrentIndex(indice);
        emit cbo->activated(indice);
    }

    // Types into a field key by key, as the user does; characters with no
    // key of their own on QtTest's keyboard arrive as text.
    void teclear(const char* nombre, const QString& texto) {
        QLineEdit* destino = campo(nombre);
        destino->setFocus();
        for (QChar c : texto) {
            if (c.unicode() < 128)
                QTest::keyClick(destino, char(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, destino, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    void enter(const char* nombre) { QTest::keyClick(campo(nombre), Qt::Key_Return); }

    // Fills every field that `codigo` uses, straight into the text.
    void llenar(const QString& referencia, const QString& sucursal = {}, const QString& cuenta = {},
                const QString& importe = {}, const QString& fecha = {}) {
        campo("txtSucursal")->setText(sucursal);
        campo("txtCuenta")->setText(cuenta);
        campo("mskImporte")->setText(importe);
        campo("mskFecha")->setText(fecha);
        campo("txtReferenciaaCalcular")->setText(referencia);
    }

    void calcular() { boton("cmdCalcularReferencia")->click(); }

    QString referenciaCompleta() { return campo("txtReferenciaCompleta")->text(); }
    QString digitos() { return campo("txtVaviviVerificador")->text(); }

    // Puts a result on screen without the engine, to see what empties it.
    void ponerResultado(const QString& completa, const QString& digitos) {
        campo("txtReferenciaCompleta")->setText(completa);
        campo("txtVaviviVerificador")->setText(digitos);
    }

    QWidget* foco() { return ventana_->focusWidget(); }

private:
    DialogosSimulados dialogos_;  // before the window, so it outlives it
    std::unique_ptr<frmPrincipal> ventana_;
};

}  // namespace vaviviv::prueba
