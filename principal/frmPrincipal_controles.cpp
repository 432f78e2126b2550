// The controls of the main window, their names for a screen reader, their
// layout in twips, the menus and the tab order.

#include "engine/catalogo.h"
#include "engine/fecha.h"
#include "platform/controles.h"
#include "platform/lista_con_nombre.h"
#include "platform/disposicion.h"
#include "platform/lista_algoritmos.h"
#include "platform/menu_ayuda.h"
#include "platform/teclas.h"
#include "principal/frmPrincipal.h"
#include "reglas/catalogo_textos.h"
#include "reglas/texto.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace vaviviv {

namespace {

constexpr int kAnchoCliente = 9525;  // twips; the menu bar comes on top
constexpr int kAltoCliente = 4425;
constexpr int kLargoImporte = 20;

QLabel* Etiqueta(QWidget* contenedor, const char* nombre, const QString& texto) {
    auto* etiqueta = Crear<QLabel>(contenedor, nombre);
    etiqueta->setText(texto);
    // The boxes were drawn to end where their field begins.
    etiqueta->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return etiqueta;
}

// A field is named, for a screen reader, by its label without the colon.
void Rotular(QLabel* etiqueta, QWidget* campo) {
    etiqueta->setBuddy(campo);  // the "labelled by" relation; the captions carry no accelerator
    QString nombre = etiqueta->text();
    if (nombre.endsWith(u':')) nombre.chop(1);
    campo->setAccessibleName(nombre.trimmed());
}

QLineEdit* CampoResultado(QWidget* contenedor, const char* nombre) {
    auto* campo = Crear<QLineEdit>(contenedor, nombre);
    campo->setReadOnly(true);
    QPalette colores = campo->palette();
    colores.setColor(QPalette::Base, colores.color(QPalette::Button));
    campo->setPalette(colores);
    return campo;
}

}  // namespace

void frmPrincipal::CrearControles() {
    AspectoDeVentana(*this);
    setWindowTitle(QString::fromUtf8("Calculo del Dígito Verificador"));

    QWidget* ventana = AreaCliente(*this);

    cmndMasivo = BotonConImagen(ventana, "cmndMasivo", Imagen("masivo"), QStringLiteral("Abrir archivo de texto"));
    cmdImprime = BotonConImagen(ventana, "cmdImprime", Imagen("imprimir"), QStringLiteral("Imprimir Pantalla"));
    cmdImprime->setEnabled(false);
    cmdCalcularReferencia =
        BotonConImagen(ventana, "cmdCalcularReferencia", Imagen("calcular"), QStringLiteral("Calcular"));
    cmndAyuda = BotonConImagen(ventana, "cmndAyuda", Imagen("ayuda"), QStringLiteral("Ayuda."));
    cmdSalir = BotonConImagen(ventana, "cmdSalir", Imagen("salir"), QStringLiteral("Salir."));

    auto* marcoLogo = Crear<QFrame>(ventana, "Picture1");
    marcoLogo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1 = marcoLogo;
    Image1 = Crear<QLabel>(Picture1, "Image1");
    Image1->setPixmap(QPixmap(QStringLiteral(":/iconos/logo.png")));
    Image1->setScaledContents(true);

    fraAlgoritmo = Crear<QGroupBox>(ventana, "fraAlgoritmo");
    fraAlgoritmo->setTitle(QStringLiteral("Algoritmo"));
    cboAlgoritmo = Crear<ListaConNombre>(fraAlgoritmo, "cboAlgoritmo");
    cboAlgoritmo->setAccessibleName(fraAlgoritmo->title());
    lblMensaje = Crear<QLabel>(fraAlgoritmo, "lblMensaje");
    lblMensaje->setWordWrap(true);
    lblMensaje->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    fraDatos = Crear<QGroupBox>(ventana, "fraDatos");
    fraDatos->setTitle(QStringLiteral("Datos"));
    lblSucursal = Etiqueta(fraDatos, "lblSucursal", QStringLiteral("Sucursal Corvana :"));
    txtSucursal = Crear<QLineEdit>(fraDatos, "txtSucursal");
    lblCuenta = Etiqueta(fraDatos, "lblCuenta", QStringLiteral("Cuenta Corvana :"));
    txtCuenta = Crear<QLineEdit>(fraDatos, "txtCuenta");
    lblReferenciaaCalcular =
        Etiqueta(fraDatos, "lblReferenciaaCalcular", QStringLiteral("Referencia a Calcular :"));
    txtReferenciaaCalcular = Crear<QLineEdit>(fraDatos, "txtReferenciaaCalcular");
    cmdFechaR = BotonConImagen(fraDatos, "cmdFechaR", Imagen("calendario"), QStringLiteral("Mostar Calendario"));
    lblImporte = Etiqueta(fraDatos, "lblImporte", QStringLiteral("Importe :"));
    mskImporte = Crear<QLineEdit>(fraDatos, "mskImporte");
    mskImporte->setMaxLength(kLargoImporte);
    lblFecha = Etiqueta(fraDatos, "lblFecha", QStringLiteral("Fecha (dd/mm/aaaa) :"));
    mskFecha = Crear<QLineEdit>(fraDatos, "mskFecha");
    mskFecha->setMaxLength(int(kLongitudFecha));
    // Composed characters would slip past the key filters of these two.
    mskImporte->setAttribute(Qt::WA_InputMethodEnabled, false);
    mskFecha->setAttribute(Qt::WA_InputMethodEnabled, false);
    cmdFecha = Crear<QPushButton>(fraDatos, "cmdFecha");
    cmdFecha->setText(QString::fromUtf8("▼"));

    fraResultado = Crear<QGroupBox>(fraDatos, "fraResultado");
    lblReferenciaCompleta =
        Etiqueta(fraResultado, "lblReferenciaCompleta", QStringLiteral("Referencia Completa :"));
    txtReferenciaCompleta = CampoResultado(fraResultado, "txtReferenciaCompleta");
    lblVaviviVerificador =
        Etiqueta(fraResultado, "lblVaviviVerificador", QString::fromUtf8("Dígito Verificador :"));
    txtVaviviVerificador = CampoResultado(fraResultado, "txtVaviviVerificador");

    // Created last in its frame, so that when shown it lies over the results.
    fraCalendario = Crear<QGroupBox>(fraDatos, "fraCalendario");
    fraCalendario->hide();
    cldCalendario = Crear<QCalendarWidget>(fraCalendario, "cldCalendario");
    cldCalendario->setToolTip(QString::fromUtf8("Seleccione con un click el día deseado"));
    cldCalendario->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);

    Nombrar();
}

void frmPrincipal::Nombrar() {
    const std::pair<QLabel*, QWidget*> rotulos[] = {
        {lblSucursal, txtSucursal},       {lblCuenta, txtCuenta},
        {lblReferenciaaCalcular, txtReferenciaaCalcular}, {lblImporte, mskImporte},
        {lblFecha, mskFecha},             {lblReferenciaCompleta, txtReferenciaCompleta},
        {lblVaviviVerificador, txtVaviviVerificador}};
    for (const auto& [etiqueta, campo] : rotulos) Rotular(etiqueta, campo);

    // The arrow button opens the same calendar as the picture one; its glyph is no name.
    cmdFecha->setAccessibleName(cmdFechaR->toolTip());
    // The day grid takes the focus; it and the calendar's own controls are named too.
    const QString calendario = QStringLiteral("Calendario");
    cldCalendario->setAccessibleName(calendario);
    if (QWidget* dias = cldCalendario->focusProxy()) dias->setAccessibleName(calendario);
    const std::pair<const char*, const char*> propios[] = {
        {"qt_calendar_prevmonth", "Mes anterior"}, {"qt_calendar_nextmonth", "Mes siguiente"},
        {"qt_calendar_yearedit", "Año"}};
    for (const auto& [nombre, texto] : propios)
        if (auto* control = cldCalendario->findChild<QWidget*>(QLatin1String(nombre)))
            control->setAccessibleName(QString::fromUtf8(texto));
}

void frmPrincipal::CrearMenus() {

    mnuArchivo = MenuDeBarra(*this, "mnuArchivo", QStringLiteral("&Archivo"));
    mnuArchivoAbrir = EntradaMenu(mnuArchivo, "mnuArchivoAbrir", QStringLiteral("&Abrir Archivo de Texto"));
    mnuArchivoAbrir->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    SeparadorMenu(mnuArchivo, "mnulinea1");
    mnuArchivoImprimir = EntradaMenu(mnuArchivo, "mnuArchivoImprimir", QStringLiteral("&Imprimir Pantalla"));
    SeparadorMenu(mnuArchivo, "mnulinea2");
    mnuArchivoSalir = EntradaMenu(mnuArchivo, "mnuArchivoSalir", QStringLiteral("&Salir"));

    CrearMenuAyuda(*this, *cboAlgoritmo, kTemaVentana, QStringLiteral("&Contenido de la Ayuda"));

    // Ctrl+A belongs to the menu even while a text field has the focus.
    for (QLineEdit* campo : {txtSucursal, txtCuenta, txtReferenciaaCalcular, mskImporte, mskFecha,
                             txtReferenciaCompleta, txtVaviviVerificador})
        CederAtajo(campo, mnuArchivoAbrir->shortcut());
}

void frmPrincipal::Disponer() {
    // lblMensaje must hold each of its texts whole.
    QStringList descripciones{IndicacionInicial()};
    for (const Algoritmo& algoritmo : Catalogo()) descripciones << DescripcionPrincipal(algoritmo);

    // Every label ends before its field: a right-aligned caption would otherwise
    // lose its colon under the field's border.
    Disposicion d;
    d.colocar(cmndMasivo, {6480, 120, 495, 375});
    d.colocar(cmdImprime, {7080, 120, 495, 375});
    d.colocar(cmdCalcularReferencia, {7560, 120, 495, 375});
    d.colocar(cmndAyuda, {8160, 120, 495, 375});
    d.colocar(cmdSalir, {8880, 120, 495, 495});
    d.colocar(Picture1, {120, 0, 2295, 615});
    d.colocar(Image1, {-120, 0, 2445, 585});
    d.colocar(fraAlgoritmo, {120, 720, 9255, 735});
    d.colocar(cboAlgoritmo, {120, 240, 2895, 315});
    d.colocar(lblMensaje, {3120, 240, 6015, 375}, descripciones);
    d.colocar(fraDatos, {120, 1440, 9255, 2895});
    d.colocar(lblSucursal, {240, 360, 1455, 255});
    d.colocar(txtSucursal, {1800, 360, 1215, 270});
    d.colocar(lblCuenta, {360, 720, 1335, 255});
    d.colocar(txtCuenta, {1800, 720, 1215, 270});
    d.colocar(lblReferenciaaCalcular, {120, 1320, 1650, 255});
    d.colocar(txtReferenciaaCalcular, {1800, 1320, 2415, 270});
    d.colocar(cmdFechaR, {4320, 1560, 495, 495});
    d.colocar(lblImporte, {1080, 2040, 690, 255});
    d.colocar(mskImporte, {1800, 2040, 2415, 285});
    d.colocar(lblFecha, {120, 2400, 1650, 255});
    d.colocar(mskFecha, {1800, 2400, 1095, 285});
    d.colocar(cmdFecha, {2880, 2400, 250, 300});
    d.colocar(fraResultado, {4320, 120, 4815, 1215});
    d.colocar(lblReferenciaCompleta, {240, 360, 1650, 255});
    d.colocar(txtReferenciaCompleta, {1920, 360, 2655, 270});
    d.colocar(lblVaviviVerificador, {360, 720, 1455, 255});
    d.colocar(txtVaviviVerificador, {1920, 720, 2175, 270});
    d.colocar(fraCalendario, {5640, 240, 3375, 2535});
    d.colocar(cldCalendario, {120, 240, 3135, 2175});

    const double escala = d.escala(PixelesPorTwip(*this));
    d.aplicar(escala);
    for (QPushButton* boton : {cmndMasivo, cmdImprime, cmdCalcularReferencia, cmndAyuda, cmdSalir, cmdFechaR}) {
        const int lado = std::min(boton->width(), boton->height()) * 3 / 4;
        boton->setIconSize(QSize(lado, lado));
    }
    const QSize cliente = EnPixeles({0, 0, kAnchoCliente, kAltoCliente}, escala).size();
    centralWidget()->setFixedSize(cliente);
    TamanoFijo(*this, QSize(cliente.width(), cliente.height() + menuBar()->sizeHint().height()));
}

void frmPrincipal::OrdenDeTabulacion() {
    QWidget* const orden[] = {cmndMasivo,    cmndAyuda,          cboAlgoritmo,          txtSucursal,
                              txtCuenta,     cmdCalcularReferencia, cmdSalir,           txtReferenciaaCalcular,
                              txtReferenciaCompleta, txtVaviviVerificador, cldCalendario, cmdFechaR,
                              cmdFecha,      cmdImprime,         mskFecha,              mskImporte};
    for (std::size_t i = 1; i < std::size(orden); ++i) setTabOrder(orden[i - 1], orden[i]);
}

}  // namespace vaviviv

