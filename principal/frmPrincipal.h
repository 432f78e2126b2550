#pragma once
// The start-up window: one reference at a time. The controls carry their
// names as objectName; the handlers keep the names of the events they serve.
//
// The window keeps little of its own: the algorithm is read back from
// cboAlgoritmo and every value lives in its field; only the date the calendar
// opens on is kept apart, as browsing moves the calendar's own. The rules are in
// reglas/calcular_referencia.h; this class reads the fields, calls them and shows
// the answer.

#include "reglas/calcular_referencia.h"

#include <QDate>
#include <QMainWindow>

class QAction;
class QCalendarWidget;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace vaviviv {

class frmPrincipal : public QMainWindow {
    Q_OBJECT

public:
    explicit frmPrincipal(QWidget* parent = nullptr);

    // Window set-up and algorithm choice.
    void Form_Load();
    void cboAlgoritmo_Click();

    // The calculate command.
    void cmdCalcularReferencia_Click();

    // Typed keys (KeyAscii 0 drops the key) and changes of the entry fields.
    void txtReferenciaaCalcular_KeyPress(int& KeyAscii);
    void txtSucursal_KeyPress(int& KeyAscii);
    void txtCuenta_KeyPress(int& KeyAscii);
    void mskImporte_KeyPress(int& KeyAscii);
    void mskFecha_KeyPress(int& KeyAscii);
    void txtReferenciaaCalcular_Change();
    void txtSucursal_Change();
    void txtCuenta_Change();
    void mskImporte_Change();
    void mskFecha_Change();

    // The month calendar.
    void cmdFecha_Click();
    void cmdFechaR_Click();
    void cmdFecha_MouseDown();
    void cmdFechaR_MouseDown();
    void cldCalendario_Click();
    void cldCalendario_LostFocus();

    // Printing, help, the bulk window, closing and the menus.
    void cmdImprime_Click();
    void cmndAyuda_Click();
    void cmndMasivo_Click();
    // The bulk window, to load `rutas` once an algorithm is chosen there.
    void AbrirArchivos(const QStringList& rutas);
    void cmdSalir_Click();
    void mnuArchivoAbrir_Click();
    void mnuArchivoImprimir_Click();
    void mnuArchivoSalir_Click();

    // Empties the two result fields, complete reference first.
    void LimpiarResultados();

private:
    // The window's own help topic, shown by its help button while no algorithm is chosen.
    static constexpr int kTemaVentana = 101;
    // What lblMensaje says until an algorithm is chosen.
    static QString IndicacionInicial();

    void CrearControles();
    // Names for a screen reader where Qt finds none, or the wrong one.
    void Nombrar();
    void CrearMenus();
    void Disponer();
    void Conectar();
    void OrdenDeTabulacion();

    DatosPrincipal LeerDatos() const;
    QWidget* CampoDe(Campo campo) const;
    void PonerCalendario(int dia, int mes, int anio);
    void LimitarCalendario();
    void MostrarCalendario();
    void AbrirCalendario();
    QDate FechaEnmarcada() const;
    // Space and Enter on the calendar's days pick, Escape closes it.
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    // Enter in an entry field presses the calculate button; true when it was Enter.
    bool EnterCalcula(int& KeyAscii);

    // Controls, by the names they carry.
    QPushButton* cmndMasivo = nullptr;
    QPushButton* cmdImprime = nullptr;
    QPushButton* cmdCalcularReferencia = nullptr;
    QPushButton* cmndAyuda = nullptr;
    QPushButton* cmdSalir = nullptr;
    QWidget* Picture1 = nullptr;
    QLabel* Image1 = nullptr;
    QGroupBox* fraAlgoritmo = nullptr;
    QComboBox* cboAlgoritmo = nullptr;
    QLabel* lblMensaje = nullptr;
    QGroupBox* fraDatos = nullptr;
    QLabel* lblSucursal = nullptr;
    QLineEdit* txtSucursal = nullptr;
    QLabel* lblCuenta = nullptr;
    QLineEdit* txtCuenta = nullptr;
    QLabel* lblReferenciaaCalcular = nullptr;
    QLineEdit* txtReferenciaaCalcular = nullptr;
    QPushButton* cmdFechaR = nullptr;
    QLabel* lblImporte = nullptr;
    QLineEdit* mskImporte = nullptr;
    QLabel* lblFecha = nullptr;
    QLineEdit* mskFecha = nullptr;
    QPushButton* cmdFecha = nullptr;
    QGroupBox* fraResultado = nullptr;
    QLabel* lblReferenciaCompleta = nullptr;
    QLineEdit* txtReferenciaCompleta = nullptr;
    QLabel* lblVaviviVerificador = nullptr;
    QLineEdit* txtVaviviVerificador = nullptr;
    QGroupBox* fraCalendario = nullptr;
    QCalendarWidget* cldCalendario = nullptr;
    // The date the calendar was last set to (today, a complete typed date, a
    // picked day): the one it opens on.
    QDate fechaCalendario;

    QMenu* mnuArchivo = nullptr;
    QAction* mnuArchivoAbrir = nullptr;
    QAction* mnuArchivoImprimir = nullptr;
    QAction* mnuArchivoSalir = nullptr;
};

}  // namespace vaviviv
