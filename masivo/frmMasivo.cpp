// Opening the window, choosing the algorithm and setting the grid up for it.

#include "masivo/frmMasivo.h"
#include "reglas/catalogo_textos.h"
#include "reglas/texto.h"

#include "engine/catalogo.h"
#include "masivo/rejilla.h"
#include "platform/ayuda.h"
#include "platform/controles.h"
#include "platform/dialogos.h"
#include "platform/lista_algoritmos.h"
#include "platform/posicion.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace vaviviv {

namespace {

}  // namespace

QStringList frmMasivo::Titulos(Entradas entradas) {
    return QStringList{QStringLiteral("Referencia")} << NombresCampos(entradas) << QStringLiteral("Referencia Completa")
                                                   << QStringLiteral("Dígito Verificador");
}

QString frmMasivo::IndicacionInicial() {
    return QStringLiteral("Primero Seleccione el algoritmo deseado y luego el Archivo a calcular.");
}

frmMasivo::frmMasivo(QWidget* principal) : QMainWindow(nullptr), principal_(principal) {
    setObjectName(QStringLiteral("frmMasivo"));
    CrearControles();
    CrearMenus();
    Disponer();
    Conectar();
    Form_Load();
}

frmMasivo::~frmMasivo() = default;

void frmMasivo::Form_Load() {
    setWindowTitle(QString::fromUtf8("Calculo Masivo de Dígitos Verificadores - "));
    PonerAyudaF1();
    LlenarAlgoritmos(*cboAlgoritmo);
    eleccionAnterior_ = -1;
    // The size is fixed when the controls are laid out; here only the place.
    PonerDondeEstaba(*this);
    lblDigito->setText(IndicacionInicial());
    grdMasivo->setRows(1);
}

void frmMasivo::cboAlgoritmo_Click() {
    if (lblDigito->text() != IndicacionInicial() && !PreguntarConservarDatos()) {
        // The user keeps the unsaved results: the choice is taken back.
        const QSignalBlocker sinAviso(cboAlgoritmo);
        cboAlgoritmo->setCurrentIndex(eleccionAnterior_);
        return;
    }
    eleccionAnterior_ = cboAlgoritmo->currentIndex();
    ConfigurarRejilla();

    // The kept rows' input stays, to be calculated again with this algorithm.
    const int filas = grdMasivo->Rows();
    const int columnas = grdMasivo->Cols();
    if (filas >= 2 && columnas >= 2) {
        RejillaModelo& celdas = grdMasivo->modelo();
        for (int fila = 1; fila < filas; ++fila) {
            celdas.Celda(fila, columnas - 2).clear();
            celdas.Celda(fila, columnas - 1).clear();
        }
        celdas.AvisarCambios(1, filas - 1, columnas - 2, columnas - 1);
    }
    AbrirPendientes();
}

bool frmMasivo::ContinuarSinSalvar() {
    return !cmdGuardar->isEnabled() ||
           MostrarMensaje(QString::fromUtf8("Los datos no se han almacenado. ¿ Continuar sin salvar ?"), Icono::Ninguno,
                          Botones::SiNo, kTituloPregunta) == Respuesta::Si;
}

bool frmMasivo::PreguntarConservarDatos() {
    if (grdMasivo->Rows() < 2) return true;
    if (!ContinuarSinSalvar()) return false;
    if (MostrarMensaje(QString::fromUtf8("¿Desea mantener los datos para el próximo calculo?"), Icono::Ninguno,
                       Botones::SiNo, kTituloPregunta) == Respuesta::Si)
        return true;
    grdMasivo->Clear();
    grdMasivo->setRows(1);
    grdMasivo_RowColChange();
    return true;
}

void frmMasivo::ConfigurarRejilla() {
    const std::optional<int> codigo = CodigoSeleccionado(*cboAlgoritmo);
    if (!codigo) return;
    cmdCalcular->setEnabled(true);
    mnuArchivoAbrir->setEnabled(true);
    cmdAbrir->setEnabled(true);
    lblDigito->setText(IndicacionInicial());

    if (const Algoritmo* algoritmo = BuscarAlgoritmo(*codigo)) {
        lblDigito->setText(DescripcionMasivo(*algoritmo));
        const QStringList titulos = Titulos(algoritmo->entradas);
        grdMasivo->setCols(int(titulos.size()));
        for (int columna = 0; columna < titulos.size(); ++columna)
            grdMasivo->setTextMatrix(0, columna, titulos[columna]);
        IrACelda(0, int(titulos.size()) - 1);
    } else {
        lblDigito->setText(AlgoritmoNoDisponible());
        cmdCalcular->setEnabled(false);
        mnuArchivoAbrir->setEnabled(false);
        cmdAbrir->setEnabled(false);
    }
    for (int columna = 0; columna < grdMasivo->Cols(); ++columna) grdMasivo->setColWidth(columna, kAnchoColumna);
}

void frmMasivo::IrACelda(int fila, int columna) {
    {
        const QSignalBlocker unaVez(grdMasivo);
        grdMasivo->setRowCol(fila, columna);
    }
    grdMasivo_RowColChange();
}

void frmMasivo::Conectar() {
    connect(cboAlgoritmo, &QComboBox::activated, this, &frmMasivo::cboAlgoritmo_Click);

    connect(cmdAbrir, &QPushButton::clicked, this, &frmMasivo::cmdAbrir_Click);
    connect(cmdGuardar, &QPushButton::clicked, this, &frmMasivo::cmdGuardar_Click);
    connect(cmdImprimir, &QPushButton::clicked, this, &frmMasivo::cmdImprimir_Click);
    connect(cmdCalcular, &QPushButton::clicked, this, &frmMasivo::cmdCalcular_Click);
    connect(cmdAyuda, &QPushButton::clicked, this, &frmMasivo::cmdAyuda_Click);
    connect(cmdCerrar, &QPushButton::clicked, this, &frmMasivo::cmdCerrar_Click);

    connect(grdMasivo, &Rejilla::RowColChange, this, &frmMasivo::grdMasivo_RowColChange);
    connect(grdMasivo, &Rejilla::DblClick, this, &frmMasivo::grdMasivo_DblClick);
    connect(grdMasivo, &Rejilla::MouseDown, this, &frmMasivo::grdMasivo_MouseDown);
    connect(grdMasivo, &Rejilla::MenuTeclado, this, &frmMasivo::MenuDeFila);

    connect(mnuArchivoAbrir, &QAction::triggered, this, &frmMasivo::mnuArchivoAbrir_Click);
    connect(mnuArchivoGuardar, &QAction::triggered, this, &frmMasivo::mnuArchivoGuardar_Click);
    connect(mnuArchivoPreliminar, &QAction::triggered, this, &frmMasivo::mnuArchivoPreliminar_Click);
    connect(mnuArchivoImprimir, &QAction::triggered, this, &frmMasivo::mnuArchivoImprimir_Click);
    connect(mnuArchivoSalir, &QAction::triggered, this, &frmMasivo::mnuArchivoSalir_Click);
    connect(mnuEditarInsertar, &QAction::triggered, this, &frmMasivo::mnuEditarInsertar_Click);
    connect(mnuEditarBorrar, &QAction::triggered, this, &frmMasivo::mnuEditarBorrar_Click);
    connect(mnuEditarCopiar, &QAction::triggered, this, &frmMasivo::mnuEditarCopiar_Click);
    connect(mnuEditarPegar, &QAction::triggered, this, &frmMasivo::mnuEditarPegar_Click);
}

}  // namespace vaviviv
