#pragma once
// The file explorer: a small window, not modal, in which the user picks a
// drive, a folder and a file name. The caption of its action button is its
// mode: "&Almacenar" stores the bulk window's results under the chosen name,
// anything else ("&Abrir") loads the chosen file into the bulk window. On
// confirmation the dialog runs the routine of its mode itself, then closes.

#include <QString>
#include <QWidget>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace vaviviv {

class ListaArchivos;
class ListaCarpetas;

inline const QString kModoAlmacenar = QStringLiteral("&Almacenar");
inline const QString kModoAbrir = QStringLiteral("&Abrir");
inline const QString kPatronArchivos = QStringLiteral("*.txt;*.asc;*.csv");
inline const QString kPatronLibros = QStringLiteral("*.xlsx");  // listed too when storing, if this build writes them

// What the dialog runs on confirmation (the bulk window's routines).
class RutinasArchivo {
public:
    virtual ~RutinasArchivo() = default;
    virtual void ConfigurarRejilla() = 0;
    // false when the file could not be read; the routine has told the user.
    virtual bool CargarArchivo(const QString& ruta) = 0;
    virtual void GuardarResultados(const QString& ruta) = 0;
};

// The open mode's action on the file at `ruta`: the grid set up for the
// chosen algorithm, the file loaded and, when it was, the user told so.
void AbrirArchivo(RutinasArchivo& rutinas, const QString& ruta);

class frmArchivo final : public QWidget {
    Q_OBJECT

public:
    explicit frmArchivo(RutinasArchivo& rutinas, QWidget* parent = nullptr);

    // Sets the caption of cmdAlmacenar, and so the mode.
    void setAccion(const QString& caption);

    // Re-initialises the lists and the name box; runs each time the dialog opens.
    void Form_Load();
    void driUnidad_Change();
    void dirLista_Change();
    void filArchivos_Click();
    void filArchivos_DblClick();
    void txtArchivo_Change();
    void txtArchivo_KeyPress(int& KeyAscii);
    void cmdAlmacenar_Click();
    void cmdCancelar_Click();

    // The name box's text when it is a full path, else folder + the
    // platform's separator + name. A name picked from the file list is taken
    // as it is; a typed one loses the blanks around it.
    QString RutaElegida() const;

private:
    QString Patron() const;

    void CrearControles();
    void Disponer();
    void Conectar();

    RutinasArchivo& rutinas_;

    QGroupBox* frmUbicacion = nullptr;
    QComboBox* driUnidad = nullptr;
    ListaCarpetas* dirLista = nullptr;
    ListaArchivos* filArchivos = nullptr;
    QGroupBox* fraArchivo = nullptr;
    QLineEdit* txtArchivo = nullptr;
    QPushButton* cmdAlmacenar = nullptr;
    QPushButton* cmdCancelar = nullptr;
};

}  // namespace vaviviv
