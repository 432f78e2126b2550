// The controls of the bulk window, their layout in twips and the menus.

#include "engine/catalogo.h"
#include "masivo/frmMasivo.h"
#include "masivo/rejilla.h"
#include "platform/controles.h"
#include "platform/lista_con_nombre.h"
#include "platform/menu_ayuda.h"
#include "platform/disposicion.h"
#include "platform/teclas.h"
#include "reglas/catalogo_textos.h"
#include "reglas/texto.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

namespace vaviviv {

namespace {

constexpr int kAnchoCliente = 8745;  // twips; the menu bar comes on top
constexpr int kAltoCliente = 5985;


}  // namespace

void frmMasivo::CrearControles() {
    AspectoDeVentana(*this);

    QWidget* ventana = AreaCliente(*this);

    auto* marcoLogo = Crear<QFrame>(ventana, "Picture1");
    marcoLogo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Picture1 = marcoLogo;
    Image1 = Crear<QLabel>(Picture1, "Image1");
    Image1->setPixmap(QPixmap(QStringLiteral(":/iconos/logo.png")));
    Image1->setScaledContents(true);

    cmdAbrir = BotonConImagen(ventana, "cmdAbrir", Imagen("masivo"), QStringLiteral("Abrir archivo de texto."));
    cmdGuardar = BotonConImagen(ventana, "cmdGuardar", Imagen("guardar"), QStringLiteral("Almacenar"));
    cmdImprimir = BotonConImagen(ventana, "cmdImprimir", Imagen("imprimir"), QStringLiteral("Imprimir"));
    cmdCalcular = BotonConImagen(ventana, "cmdCalcular", Imagen("calcular"), QStringLiteral("Calcular."));
    cmdAyuda = BotonConImagen(ventana, "cmdAyuda", Imagen("ayuda"), QStringLiteral("Ayuda."));
    cmdCerrar = BotonConImagen(ventana, "cmdCerrar", Imagen("salir"), QStringLiteral("Salir."));
    for (QPushButton* apagado : {cmdAbrir, cmdCalcular, cmdGuardar, cmdImprimir}) apagado->setEnabled(false);

    fraTitulo = Crear<QGroupBox>(ventana, "fraTitulo");
    cboAlgoritmo = Crear<ListaConNombre>(fraTitulo, "cboAlgoritmo");
    cboAlgoritmo->setAccessibleName(QStringLiteral("Algoritmo"));
    // A pointer merely resting on the list must not switch the algorithm (and
    // raise the keep-the-data questions).
    RuedaSoloConFoco(cboAlgoritmo);
    lblDigito = Crear<QLabel>(fraTitulo, "lblDigito");
    lblDigito->setWordWrap(true);
    lblDigito->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    fraPanel = Crear<QGroupBox>(ventana, "fraPanel");
    grdMasivo = Crear<Rejilla>(fraPanel, "grdMasivo");
    grdMasivo->setAccessibleName(QStringLiteral("Registros"));
    grdCriterios = Crear<Rejilla>(fraPanel, "grdCriterios");
    grdCriterios->hide();  // never shown: it only holds the report's summary lines
    EnterPulsaBotones(*this);
    setAcceptDrops(true);  // input files dropped anywhere on the window
}

void frmMasivo::CrearMenus() {
    const auto menu = [this](const char* nombre, const QString& texto) { return MenuDeBarra(*this, nombre, texto); };

    mnuArchivo = menu("mnuArchivo", QStringLiteral("&Archivo"));
    mnuArchivoAbrir = EntradaMenu(mnuArchivo, "mnuArchivoAbrir", QStringLiteral("&Abrir Archivo de Texto"));
    mnuArchivoAbrir->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    mnuArchivoAbrir->setEnabled(false);
    SeparadorMenu(mnuArchivo, "mnulinea0");
    mnuArchivoGuardar = EntradaMenu(mnuArchivo, "mnuArchivoGuardar", QStringLiteral("&Guardar"));
    SeparadorMenu(mnuArchivo, "mnulinea1");
    mnuArchivoPreliminar = EntradaMenu(mnuArchivo, "mnuArchivoPreliminar", QStringLiteral("Pr&esentacion Preliminar"));
    mnuArchivoImprimir = EntradaMenu(mnuArchivo, "mnuArchivoImprimir", QStringLiteral("&Imprimir Reporte"));
    // Enabled with cmdImprimir, by the row-count rule.
    mnuArchivoPreliminar->setEnabled(false);
    mnuArchivoImprimir->setEnabled(false);
    SeparadorMenu(mnuArchivo, "mnulinea2");
    mnuArchivoSalir = EntradaMenu(mnuArchivo, "mnuArchivoSalir", QStringLiteral("&Salir"));

    mnuEditar = menu("mnuEditar", QString::fromUtf8("&Edición"));
    mnuEditarInsertar = EntradaMenu(mnuEditar, "mnuEditarInsertar", QStringLiteral("&Insertar un Renglon"));
    mnuEditarBorrar = EntradaMenu(mnuEditar, "mnuEditarBorrar", QStringLiteral("&Eliminar un Renglon"));
    SeparadorMenu(mnuEditar, "mnulinea3");
    mnuEditarCopiar = EntradaMenu(mnuEditar, "mnuEditarCopiar", QStringLiteral("&Copiar"));
    mnuEditarCopiar->setShortcut(QKeySequence::Copy);
    mnuEditarPegar = EntradaMenu(mnuEditar, "mnuEditarPegar", QStringLiteral("&Pegar"));
    mnuEditarPegar->setShortcut(QKeySequence::Paste);

    CrearMenuAyuda(*this, *cboAlgoritmo, kTemaVentana, QStringLiteral("Contenido de la A&yuda"));

    // Ctrl+A opens a file even while the grid has the focus.
    CederAtajo(grdMasivo, mnuArchivoAbrir->shortcut());
}

void frmMasivo::Disponer() {
    QStringList descripciones{IndicacionInicial(), AlgoritmoNoDisponible()};
    for (const Algoritmo& algoritmo : Catalogo()) descripciones << DescripcionMasivo(algoritmo);

    Disposicion d;
    d.colocar(Picture1, {120, 0, 2295, 615});
    d.colocar(Image1, {0, 0, 2265, 585});
    d.colocar(cmdAbrir, {5280, 120, 495, 375});
    d.colocar(cmdGuardar, {5760, 120, 495, 375});
    d.colocar(cmdImprimir, {6360, 120, 495, 375});
    d.colocar(cmdCalcular, {6840, 120, 495, 375});
    d.colocar(cmdAyuda, {7440, 120, 495, 375});
    d.colocar(cmdCerrar, {8040, 120, 495, 495});
    d.colocar(fraTitulo, {120, 720, 8505, 825});
    d.colocar(cboAlgoritmo, {120, 240, 2415, 315});
    d.colocar(lblDigito, {2640, 120, 5775, 600}, descripciones);
    d.colocar(fraPanel, {120, 1560, 8535, 4335});
    d.colocar(grdMasivo, {120, 240, 8295, 3975});
    d.colocar(grdCriterios, {1320, 1920, 5895, 1095});

    // The grid's columns are 1800 twips wide; the window grows, like for any
    // text that would not fit, until the longest complete reference (twelve
    // digits and eight check digits) and the longest title fit one whole.
    const QFontMetrics letras = grdMasivo->fontMetrics();
    int ancho = letras.horizontalAdvance(QString(20, u'9'));
    for (const Entradas entradas : {Entradas::Referencia, Entradas::SucursalCuenta, Entradas::ImporteFecha})
        for (const QString& titulo : Titulos(entradas)) ancho = std::max(ancho, letras.horizontalAdvance(titulo));
    const int margenes = 2 * (grdMasivo->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grdMasivo) + 1) +
                         2 * grdMasivo->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, grdMasivo);
    const double escala = std::max(d.escala(PixelesPorTwip(*this)), double(ancho + margenes) / kAnchoColumna);
    d.aplicar(escala);
    for (QPushButton* boton : {cmdAbrir, cmdGuardar, cmdImprimir, cmdCalcular, cmdAyuda, cmdCerrar}) {
        const int lado = std::min(boton->width(), boton->height()) * 3 / 4;
        boton->setIconSize(QSize(lado, lado));
    }
    grdMasivo->setPixelesPorTwip(escala);
    grdCriterios->setPixelesPorTwip(escala);
    const QSize cliente = EnPixeles({0, 0, kAnchoCliente, kAltoCliente}, escala).size();
    centralWidget()->setFixedSize(cliente);
    TamanoFijo(*this, QSize(cliente.width(), cliente.height() + menuBar()->sizeHint().height()));
}

}  // namespace vaviviv
