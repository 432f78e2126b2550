#include "platform/ayuda.h"

#include "platform/carpeta_aplicacion.h"
#include "platform/dialogos.h"
#include "platform/visor_ayuda.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>

#include "vaviviv_configuracion.h"

namespace vaviviv {

namespace {

constexpr int kContextoAlgoritmo00 = 100;

class AyudaIntegrada final : public Ayuda {
public:
    void mostrar(const PeticionAyuda& peticion) override { MostrarEnVisorAyuda(peticion); }
};

AyudaIntegrada ayudaIntegrada;
Ayuda* actual = &ayudaIntegrada;

QString archivoAplicacion;

// F1 anywhere in the application opens the contents of its help file. It is
// taken where the key first reaches a widget, so that no window needs a
// shortcut of its own; a modal box in front keeps it for itself.
class FiltroF1 final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* destino, QEvent* evento) override {
        if (evento->type() != QEvent::KeyPress || !destino->isWidgetType()) return false;
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->key() != Qt::Key_F1 || tecla->modifiers() != Qt::NoModifier) return false;
        if (archivoAplicacion.isEmpty() || QApplication::activeModalWidget()) return false;
        if (!tecla->isAutoRepeat()) MostrarAyuda({archivoAplicacion, kAyudaContenido, 0});
        return true;
    }
};

}  // namespace

void MostrarAyuda(const PeticionAyuda& peticion) { actual->mostrar(peticion); }

Ayuda* InstalarAyuda(Ayuda* ayuda) {
    Ayuda* anterior = actual;
    actual = ayuda ? ayuda : &ayudaIntegrada;
    return anterior == &ayudaIntegrada ? nullptr : anterior;
}

int ContextoDeAlgoritmo(std::optional<int> codigo, int sinAlgoritmo) {
    if (!codigo) return sinAlgoritmo;
    return *codigo == 0 ? kContextoAlgoritmo00 : *codigo;
}

void PonerArchivoAyudaAplicacion(const QString& archivo) {
    archivoAplicacion = archivo;
    static FiltroF1* filtro = nullptr;
    if (!filtro && qApp) {
        filtro = new FiltroF1(qApp);
        qApp->installEventFilter(filtro);
    }
}

QString ArchivoAyudaAplicacion() { return archivoAplicacion; }

void MostrarAyudaVentana(int comando, std::optional<int> contexto) {
    DialogoAyuda cmDlg;
    cmDlg.setHelpFile(ArchivoEnCarpetaAplicacion(QStringLiteral("Vaviviv.hlp")));
    if (contexto) cmDlg.setHelpContext(*contexto);
    cmDlg.setHelpCommand(comando);
    cmDlg.ShowHelp();
}

void PonerAyudaF1() { PonerArchivoAyudaAplicacion(ArchivoEnCarpetaAplicacion(QStringLiteral("VaviviV.hlp"))); }

QString ResolverArchivoAyuda(const QString& archivo) {
    if (archivo.isEmpty()) return {};
    const QFileInfo info(archivo);
    if (info.isFile()) return info.filePath();
    // The windows name the file in two spellings that differ only in case.
    const QDir carpeta = info.absoluteDir();
    for (const QString& nombre : carpeta.entryList(QDir::Files | QDir::Hidden))
        if (nombre.compare(info.fileName(), Qt::CaseInsensitive) == 0) return carpeta.filePath(nombre);
    return {};
}

void MostrarAcercaDe() {
    MostrarMensaje(QString::fromUtf8("VaviviV, versión %1\n\n"
                                     "Calcula los dígitos verificadores de las referencias de pago "
                                     "bancarias, una por una o por archivo.")
                       .arg(QStringLiteral(VAVIVIV_VERSION)),
                   Icono::Informacion, Botones::Aceptar, QStringLiteral("Acerca de VaviviV"));
}

}  // namespace vaviviv
