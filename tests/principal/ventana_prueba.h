#pragma once
// A fresh frmPrincipal per test, shown offscreen with the scripted boxes, and the user's gestures.

#include "dialogos_simulados.h"
#include "principal/frmPrincipal.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace vaviviv::prueba {

class Ventana {
public:
    Ventana() {
        ventana_.show();
        ventana_.activateWindow();
        (void)QTest::qWaitForWindowActive(&ventana_);
    }

    frmPrincipal& ventana() { return ventana_; }
    DialogosSimulados& dialogos() { return dialogos_; }
    template <typename T = QWidget>
    T* control(const QString& nombre) {
        if (T* encontrado = ventana_.findChild<T*>(nombre)) return encontrado;
        qFatal("frmPrincipal no tiene el control %s", qPrintable(nombre));
    }
    QLineEdit* campo(const QString& nombre) { return control<QLineEdit>(nombre); }
    QPushButton* boton(const QString& nombre) { return control<QPushButton>(nombre); }
    QCalendarWidget* calendario() { return control<QCalendarWidget>("cldCalendario"); }
    QComboBox* algoritmos() { return control<QComboBox>("cboAlgoritmo"); }
    QWidget* foco() { return ventana_.focusWidget(); }

    // Picks the entry that carries `codigo` (none for an unknown one), as the user does in the list.
    void elegir(int codigo) {
        algoritmos()->setCurrentIndex(algoritmos()->findData(codigo));
        emit algoritmos()->activated(algoritmos()->currentIndex());
    }
    // Key by key, each as the text it types.
    void teclear(const QString& nombre, const QString& texto) {
        campo(nombre)->setFocus();
        for (QChar c : texto)
            QTest::sendKeyEvent(QTest::Click, campo(nombre), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    // Picks `codigo`, then fills every entry field.
    void llenar(int codigo, const DatosPrincipal& d) {
        elegir(codigo);
        for (const auto& [nombre, texto] : {std::pair{"txtSucursal", d.sucursal}, {"txtCuenta", d.cuenta},
                                            {"mskImporte", d.importe}, {"mskFecha", d.fecha},
                                            {"txtReferenciaaCalcular", d.referencia}})
            campo(nombre)->setText(texto);
    }
    // Algorithm 10 with its worked example, ready to calculate.
    void llenar10() { llenar(10, {"123456", {}, {}, "123.45", "15/06/2000"}); }
    QString referenciaCompleta() { return campo("txtReferenciaCompleta")->text(); }
    QString digitos() { return campo("txtVaviviVerificador")->text(); }
    void ponerResultado(const QString& completa, const QString& digitos) {
        campo("txtReferenciaCompleta")->setText(completa);
        campo("txtVaviviVerificador")->setText(digitos);
    }

private:
    DialogosSimulados dialogos_;  // before the window, so it outlives it
    frmPrincipal ventana_;
};

}  // namespace vaviviv::prueba
