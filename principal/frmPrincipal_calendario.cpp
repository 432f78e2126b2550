// The date field and the month calendar: opening it beside the date or the
// reference, putting a picked day where it belongs, following a typed date.

#include "engine/catalogo.h"
#include "engine/fecha.h"
#include "platform/lista_algoritmos.h"
#include "reglas/texto.h"
#include "principal/frmPrincipal.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace vaviviv {

namespace {

constexpr int kCodigoImporteFecha = 10;

QDate AQDate(const Fecha& fecha) { return QDate(fecha.anio, fecha.mes, fecha.dia); }

// Characters `desde` (1-based) on, `cuantos` of them; fewer near the end.
QString Trozo(const QString& texto, qsizetype desde, qsizetype cuantos) {
    return texto.mid(desde - 1, cuantos);
}

// The leading number of a text, as the date's parts are read: leading spaces
// are skipped, reading stops at the first non-digit.
int ValorInicial(const QString& texto) {
    int valor = 0;
    qsizetype i = 0;
    while (i < texto.size() && texto[i] == QLatin1Char(' ')) ++i;
    for (; i < texto.size() && EsDigitoQt(texto[i]) && valor < 100000; ++i)
        valor = valor * 10 + (texto[i].unicode() - '0');
    return valor;
}

// A whole number with nothing else in it but spaces around.
bool EsNumero(const QString& texto) { return SoloDigitosQt(RecortarEspacios(texto)); }

}  // namespace

// Sets the calendar from a day, a month and a year together, so that no
// invalid date arises on the way; an impossible date leaves it where it was.
// The calendar keeps the date as given and shows the nearest one it offers.
void frmPrincipal::PonerCalendario(int dia, int mes, int anio) {
    const QDate fecha(anio, mes, dia);
    if (!fecha.isValid()) return;
    fechaCalendario = fecha;
    cldCalendario->setSelectedDate(fecha);
}

// Algorithm 10 takes only the dates its routine can code; the others, any.
void frmPrincipal::LimitarCalendario() {
    // The calendar's own range, as it was built (the first call comes before any limit).
    static const QDate libreDesde = cldCalendario->minimumDate(), libreHasta = cldCalendario->maximumDate();
    if (CodigoSeleccionado(*cboAlgoritmo) == kCodigoImporteFecha)
        cldCalendario->setDateRange(AQDate(kFechaMinima), AQDate(kFechaMaxima));
    else
        cldCalendario->setDateRange(libreDesde, libreHasta);
}

// Whatever month was browsed before it closed, the calendar opens on the date
// it was last set to, or the nearest one it offers.
void frmPrincipal::MostrarCalendario() {
    const QDate fecha = std::clamp(fechaCalendario, cldCalendario->minimumDate(), cldCalendario->maximumDate());
    cldCalendario->setSelectedDate(fecha);
    cldCalendario->showSelectedDate();
    fraCalendario->show();
}

// A change of month or year moves the frame to the same day of the new month
// but leaves the selection behind; the arrow keys move both. The frame always
// stands in the month shown, so its cell's number is the day.
QDate frmPrincipal::FechaEnmarcada() const {
    const auto* dias = qobject_cast<const QAbstractItemView*>(cldCalendario->focusProxy());
    if (!dias) return cldCalendario->selectedDate();
    bool esDia = false;
    const int dia = dias->currentIndex().data().toInt(&esDia);
    const QDate fecha(cldCalendario->yearShown(), cldCalendario->monthShown(), esDia ? dia : 0);
    return fecha.isValid() ? fecha : cldCalendario->selectedDate();
}

void frmPrincipal::AbrirCalendario() {
    MostrarCalendario();
    cldCalendario->setFocus();
}

void frmPrincipal::cmdFecha_MouseDown() { MostrarCalendario(); }
void frmPrincipal::cmdFechaR_MouseDown() { MostrarCalendario(); }
void frmPrincipal::cmdFecha_Click() { AbrirCalendario(); }
void frmPrincipal::cmdFechaR_Click() { AbrirCalendario(); }

void frmPrincipal::cldCalendario_Click() {
    const QDate elegida = cldCalendario->selectedDate();
    fechaCalendario = elegida;
    const std::optional<int> codigo = CodigoSeleccionado(*cboAlgoritmo);
    if (codigo && FechaEnReferencia(*codigo)) {
        // The picked day replaces the AAMMDD prefix of the reference.
        const QString prefijo = elegida.toString(QStringLiteral("yyMMdd"));
        const QString referencia = txtReferenciaaCalcular->text();
        if (ContarCaracteres(referencia) < kLongitudFecha02)
            txtReferenciaaCalcular->setText(prefijo);
        else
            txtReferenciaaCalcular->setText(prefijo +
                                            TrasCaracteres(RecortarEspacios(referencia), kLongitudFecha02).toString());
    } else if (codigo == kCodigoImporteFecha) {
        mskFecha->setText(elegida.toString(QStringLiteral("dd/MM/yyyy")));
    }
    fraCalendario->hide();
}

void frmPrincipal::cldCalendario_LostFocus() { fraCalendario->hide(); }

bool frmPrincipal::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress) return QMainWindow::eventFilter(objeto, evento);
    const int tecla = static_cast<QKeyEvent*>(evento)->key();
    if (objeto == cldCalendario->focusProxy() &&
        (tecla == Qt::Key_Space || tecla == Qt::Key_Return || tecla == Qt::Key_Enter)) {
        // The framed day, as a click on it would; a day the calendar does not offer is no pick.
        const QDate dia = FechaEnmarcada();
        if (dia >= cldCalendario->minimumDate() && dia <= cldCalendario->maximumDate()) {
            cldCalendario->setSelectedDate(dia);
            cldCalendario_Click();
        }
        return true;
    }
    // Reaches the frame only when the calendar leaves it alone (its year box takes it first).
    if (objeto == fraCalendario && tecla == Qt::Key_Escape) {
        fraCalendario->hide();
        return true;
    }
    return QMainWindow::eventFilter(objeto, evento);
}

void frmPrincipal::mskFecha_Change() {
    LimpiarResultados();

    // The calendar follows only a complete DD/MM/AAAA date; anything else
    // (half typed, year first, an impossible day) leaves it where it was.
    const QString texto = mskFecha->text();
    if (!LeerFecha(Vista(texto.toUtf8())) || RecortarEspacios(texto).size() != qsizetype(kLongitudFecha)) return;
    const QString mes = Trozo(texto, 4, 2);
    if (!EsNumero(mes) || ValorInicial(mes) > 12) return;
    if (Trozo(texto, 9, 1) == QLatin1String(" ") || Trozo(texto, 10, 1) == QLatin1String(" ")) return;
    PonerCalendario(ValorInicial(Trozo(texto, 1, 2)), ValorInicial(mes), ValorInicial(Trozo(texto, 7, 4)));
}

}  // namespace vaviviv
