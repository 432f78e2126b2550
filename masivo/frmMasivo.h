#pragma once
// The bulk window: one algorithm, up to 30,000 records per file in the grid
// grdMasivo, calculated all at once, corrected, stored as a results file.
// The controls carry their names as objectName; the handlers keep the names
// of the events they serve.
//
// The grid is the only store of the rows; the enabled state of cmdGuardar is
// the only record that results have not been stored (the unsaved-results
// marker). Where the handlers live:
//   frmMasivo.cpp            opening, algorithm choice, ConfigurarRejilla,
//                            PreguntarConservarDatos
//   frmMasivo_controles.cpp  controls, menus, layout
//   frmMasivo_cargar.cpp     CargarArchivo (the input file)
//   frmMasivo_calcular.cpp   cmdCalcular_Click (the bulk calculation)
//   frmMasivo_guardar.cpp    GuardarResultados (the results file)
//   frmMasivo_editar.cpp     cell edit, insert and remove rows, row-count rule
//   frmMasivo_portapapeles.cpp  copy and paste, files dropped on the window
//   frmMasivo_comandos.cpp   open and store commands, help, closing, MostrarMasivo

#include "archivo/frmArchivo.h"
#include "engine/catalogo.h"

#include <QMainWindow>
#include <QPointer>
#include <vector>

class QAction;
class QComboBox;
class QIODevice;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;

namespace vaviviv {

class Rejilla;

// Records read from one file, and data rows that inserting can reach.
inline constexpr int kMaximoRegistros = 30000;
// Width of every grid column, in twips.
inline constexpr int kAnchoColumna = 1800;

// Titles of the bulk window's boxes, each where its command uses it.
inline const QString kTituloPregunta = QString::fromUtf8("KIV- Dígito verificador");  // keep the data?
inline const QString kTituloArchivo = QStringLiteral("KIV- Digito verificador.");    // storing
inline const QString kTituloDato = QString::fromUtf8("KIV- Dígito Verificador.");    // stored; a cell's value

class frmMasivo final : public QMainWindow, public RutinasArchivo {
    Q_OBJECT

public:
    // `principal`: the main window, enabled again when this one closes.
    explicit frmMasivo(QWidget* principal = nullptr);
    ~frmMasivo() override;

    // Window set-up and algorithm choice.
    void Form_Load();
    void cboAlgoritmo_Click();
    // Asks before rows are discarded. False when the user does not want to go
    // on without storing the results (then nothing has changed).
    bool PreguntarConservarDatos();
    // True when no results await storing, or the user agrees to lose them.
    bool ContinuarSinSalvar();
    void ConfigurarRejilla() override;

    // Files: reading the input file, writing the results file.
    bool CargarArchivo(const QString& ruta) override;
    void GuardarResultados(const QString& ruta) override;

    // The bulk calculation.
    void cmdCalcular_Click();

    // Open and store commands: they open the file explorer in a mode.
    void cmdAbrir_Click();
    // Files given to the program (the desktop's "open with"): once an
    // algorithm is chosen each is loaded in turn as the open command loads
    // one, after the same question.
    void AbrirAlElegir(const QStringList& rutas);
    void mnuArchivoAbrir_Click();
    void cmdGuardar_Click();
    void mnuArchivoGuardar_Click();

    // Grid editing and the row-count rule.
    void grdMasivo_DblClick();
    void grdMasivo_MouseDown(int Button, int Shift, int X, int Y);
    void grdMasivo_RowColChange();
    void mnuEditarInsertar_Click();
    void mnuEditarBorrar_Click();
    // The clipboard: cells out as tab-separated lines (CR LF), lines in as rows.
    void mnuEditarCopiar_Click();
    void mnuEditarPegar_Click();

    // Printing, help and closing.
    void cmdImprimir_Click();
    void mnuArchivoPreliminar_Click();
    void mnuArchivoImprimir_Click();
    void cmdAyuda_Click();
    void cmdCerrar_Click();
    void mnuArchivoSalir_Click();

    // The file explorer while it exists (it is created on first use).
    frmArchivo* Explorador() const { return frmArchivo_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The window's own help topic, shown by its help button while no algorithm is chosen.
    static constexpr int kTemaVentana = 103;
    // What lblDigito says until an algorithm is chosen.
    static QString IndicacionInicial();
    // The grid's titles (row 0) for each kind of input.
    static QStringList Titulos(Entradas entradas);

    // Records read by the input file's rules, Cols() cells each.
    struct Lectura {
        std::vector<QString> celdas;
        int registros = 0;
        qint64 sobrantes = 0;  // records past `maximo`: all of them when counted, else 0 or 1
        QString error;         // why reading failed before `maximo` records
    };
    Lectura LeerRegistros(QIODevice& entrada, int maximo, bool contarSobrantes, bool csv = false) const;

    void CrearControles();
    void CrearMenus();
    void Disponer();
    void Conectar();

    // Opens the file explorer with its action button captioned `accion`.
    void MostrarExplorador(const QString& accion);
    // Loads the files given to the program while the grid is set up for one.
    void AbrirPendientes();
    // Moves the current cell once, after work on many rows, and applies the
    // row-count rule as each move of the current cell does.
    void IrACelda(int fila, int columna);
    // The edit menu popped up at X, Y within the grid, while a data row is current.
    void MenuDeFila(int X, int Y);

    QPointer<QWidget> principal_;
    QPointer<frmArchivo> frmArchivo_;
    int eleccionAnterior_ = -1;  // cboAlgoritmo's entry before the current choice
    QStringList pendientes_;     // files given to the program, awaiting an algorithm

    // Controls, by the names they carry.
    QWidget* Picture1 = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* cmdAbrir = nullptr;
    QPushButton* cmdGuardar = nullptr;
    QPushButton* cmdImprimir = nullptr;
    QPushButton* cmdCalcular = nullptr;
    QPushButton* cmdAyuda = nullptr;
    QPushButton* cmdCerrar = nullptr;
    QGroupBox* fraTitulo = nullptr;
    QComboBox* cboAlgoritmo = nullptr;
    QLabel* lblDigito = nullptr;
    QGroupBox* fraPanel = nullptr;
    Rejilla* grdMasivo = nullptr;
    Rejilla* grdCriterios = nullptr;

    QMenu* mnuArchivo = nullptr;
    QAction* mnuArchivoAbrir = nullptr;
    QAction* mnuArchivoGuardar = nullptr;
    QAction* mnuArchivoPreliminar = nullptr;
    QAction* mnuArchivoImprimir = nullptr;
    QAction* mnuArchivoSalir = nullptr;
    QMenu* mnuEditar = nullptr;
    QAction* mnuEditarInsertar = nullptr;
    QAction* mnuEditarBorrar = nullptr;
    QAction* mnuEditarCopiar = nullptr;
    QAction* mnuEditarPegar = nullptr;
};

// Shows the one bulk window, creating it first if there is none, without
// blocking `principal`; a second call brings the same window forward.
frmMasivo* MostrarMasivo(QWidget* principal);

}  // namespace vaviviv
