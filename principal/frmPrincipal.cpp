// Loading the window and configuring it for the chosen algorithm.

#include "principal/frmPrincipal.h"
#include "reglas/catalogo_textos.h"
#include "reglas/texto.h"

#include "engine/catalogo.h"
#include "platform/ayuda.h"
#include "platform/controles.h"
#include "platform/lista_algoritmos.h"
#include "platform/posicion.h"
#include "platform/teclas.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vaviviv {

QString frmPrincipal::IndicacionInicial() {
    return QStringLiteral(
        "Primero seleccione el Algoritmo de Calculo deseado y luego teclee los datos solicitados.");
}

frmPrincipal::frmPrincipal(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmPrincipal"));
    CrearControles();
    CrearMenus();
    Disponer();
    Conectar();
    OrdenDeTabulacion();
    Form_Load();
}

void frmPrincipal::Form_Load() {
    // The size is fixed when the controls are laid out; here only the place.
    PonerDondeEstaba(*this);

    LlenarAlgoritmos(*cboAlgoritmo);
    cboAlgoritmo_Click();
    lblMensaje->setText(IndicacionInicial());
    PonerAyudaF1();

    const QDate hoy = QDate::currentDate();
    PonerCalendario(hoy.day(), hoy.month(), hoy.year());
}

void frmPrincipal::cboAlgoritmo_Click() {
    for (QWidget* opcional : std::initializer_list<QWidget*>{
             lblSucursal, txtSucursal, lblCuenta, txtCuenta, lblImporte, mskImporte, lblFecha,
             mskFecha, cmdFecha, cmdFechaR})
        opcional->hide();
    cmdCalcularReferencia->setEnabled(true);
    fraDatos->setEnabled(true);
    txtReferenciaaCalcular->setEnabled(true);

    LimitarCalendario();
    const std::optional<int> codigo = CodigoSeleccionado(*cboAlgoritmo);
    if (!codigo) {
        fraDatos->setEnabled(false);
        cmdCalcularReferencia->setEnabled(false);
    } else if (const Algoritmo* algoritmo = BuscarAlgoritmo(*codigo)) {
        lblMensaje->setText(DescripcionPrincipal(*algoritmo));
        txtReferenciaaCalcular->setMaxLength(algoritmo->longitudMaxima);
        bool llevaFecha = false;
        if (algoritmo->entradas == Entradas::SucursalCuenta) {
            lblSucursal->show();
            txtSucursal->show();
            lblCuenta->show();
            txtCuenta->show();
        } else if (algoritmo->entradas == Entradas::ImporteFecha) {
            lblFecha->show();
            mskFecha->show();
            cmdFecha->show();
            lblImporte->show();
            mskImporte->show();
            llevaFecha = true;
        } else if (algoritmo->caracteres == Caracteres::FechaYAlfanumericos) {
            cmdFechaR->show();
            llevaFecha = true;
        }
        if (llevaFecha) {
            // Code 02 keeps the date field hidden but fills it all the same.
            const QDate hoy = QDate::currentDate();
            mskFecha->setText(hoy.toString(QStringLiteral("dd/MM/yyyy")));
            PonerCalendario(hoy.day(), hoy.month(), hoy.year());
        }
    }

    // Each of these raises its field's change handler; the date is kept.
    for (QLineEdit* campo : {txtReferenciaCompleta, txtVaviviVerificador, txtSucursal, txtCuenta,
                             txtReferenciaaCalcular, mskImporte})
        campo->setText(QString());
}

void frmPrincipal::LimpiarResultados() {
    txtReferenciaCompleta->setText(QString());
    txtVaviviVerificador->setText(QString());
}

void frmPrincipal::Conectar() {
    // A pick by the popup, the arrow keys or the wheel; the wheel only while the list has the focus.
    connect(cboAlgoritmo, &QComboBox::activated, this, &frmPrincipal::cboAlgoritmo_Click);
    RuedaSoloConFoco(cboAlgoritmo);
    EnterPulsaBotones(*this);

    connect(cmdCalcularReferencia, &QPushButton::clicked, this, &frmPrincipal::cmdCalcularReferencia_Click);
    connect(cmdImprime, &QPushButton::clicked, this, &frmPrincipal::cmdImprime_Click);
    connect(cmndAyuda, &QPushButton::clicked, this, &frmPrincipal::cmndAyuda_Click);
    connect(cmndMasivo, &QPushButton::clicked, this, &frmPrincipal::cmndMasivo_Click);
    connect(cmdSalir, &QPushButton::clicked, this, &frmPrincipal::cmdSalir_Click);

    const auto teclas = [this](QLineEdit* campo, void (frmPrincipal::*manejador)(int&)) {
        ConectarKeyPress(campo, [this, manejador](int& KeyAscii) { (this->*manejador)(KeyAscii); });
    };
    teclas(txtReferenciaaCalcular, &frmPrincipal::txtReferenciaaCalcular_KeyPress);
    teclas(txtSucursal, &frmPrincipal::txtSucursal_KeyPress);
    teclas(txtCuenta, &frmPrincipal::txtCuenta_KeyPress);
    teclas(mskImporte, &frmPrincipal::mskImporte_KeyPress);
    teclas(mskFecha, &frmPrincipal::mskFecha_KeyPress);

    connect(txtReferenciaaCalcular, &QLineEdit::textChanged, this, &frmPrincipal::txtReferenciaaCalcular_Change);
    connect(txtSucursal, &QLineEdit::textChanged, this, &frmPrincipal::txtSucursal_Change);
    connect(txtCuenta, &QLineEdit::textChanged, this, &frmPrincipal::txtCuenta_Change);
    connect(mskImporte, &QLineEdit::textChanged, this, &frmPrincipal::mskImporte_Change);
    connect(mskFecha, &QLineEdit::textChanged, this, &frmPrincipal::mskFecha_Change);

    connect(cmdFecha, &QPushButton::pressed, this, &frmPrincipal::cmdFecha_MouseDown);
    connect(cmdFechaR, &QPushButton::pressed, this, &frmPrincipal::cmdFechaR_MouseDown);
    connect(cmdFecha, &QPushButton::clicked, this, &frmPrincipal::cmdFecha_Click);
    connect(cmdFechaR, &QPushButton::clicked, this, &frmPrincipal::cmdFechaR_Click);
    // A day picked by the user with a click (Enter and Space: eventFilter); a date set
    // from code raises only selectionChanged.
    connect(cldCalendario, &QCalendarWidget::clicked, this, &frmPrincipal::cldCalendario_Click);
    if (QWidget* dias = cldCalendario->focusProxy()) dias->installEventFilter(this);
    fraCalendario->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* antes, QWidget* ahora) {
        const auto enCalendario = [this](const QWidget* w) {
            // Walks through windows too: the month menu pops up as a window of its own.
            for (; w; w = w->parentWidget())
                if (w == cldCalendario) return true;
            return false;
        };
        if (!ahora || !enCalendario(antes) || enCalendario(ahora)) return;
        // The year box hides itself when its year is taken, and Qt hands the focus on
        // to the next control of the window: the calendar is still in use.
        if (fraCalendario->isVisible() && !antes->isVisible()) cldCalendario->setFocus();
        else cldCalendario_LostFocus();
    });

    connect(mnuArchivoAbrir, &QAction::triggered, this, &frmPrincipal::mnuArchivoAbrir_Click);
    connect(mnuArchivoImprimir, &QAction::triggered, this, &frmPrincipal::mnuArchivoImprimir_Click);
    connect(mnuArchivoSalir, &QAction::triggered, this, &frmPrincipal::mnuArchivoSalir_Click);
}

DatosPrincipal frmPrincipal::LeerDatos() const {
    return DatosPrincipal{txtReferenciaaCalcular->text(), txtSucursal->text(), txtCuenta->text(),
                          mskImporte->text(), mskFecha->text()};
}

QWidget* frmPrincipal::CampoDe(Campo campo) const {
    switch (campo) {
        case Campo::Referencia: return txtReferenciaaCalcular;
        case Campo::Sucursal: return txtSucursal;
        case Campo::Cuenta: return txtCuenta;
        case Campo::Importe: return mskImporte;
        case Campo::Fecha: return mskFecha;
        case Campo::Ninguno: break;
    }
    return nullptr;
}

}  // namespace vaviviv
