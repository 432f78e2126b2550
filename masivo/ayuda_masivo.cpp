#include "masivo/ayuda_masivo.h"

#include "platform/ayuda.h"
#include "platform/carpeta_aplicacion.h"

namespace vaviviv {

namespace {

void Mostrar(int comando, std::optional<int> contexto = std::nullopt) {
    DialogoAyuda cmDlg;
    cmDlg.setHelpFile(ArchivoAyudaMasivo());
    if (contexto) cmDlg.setHelpContext(*contexto);
    cmDlg.setHelpCommand(comando);
    cmDlg.ShowHelp();
}

}  // namespace

QString ArchivoAyudaMasivo() { return ArchivoEnCarpetaAplicacion(QStringLiteral("Vaviviv.hlp")); }

void AyudaMasivoAlgoritmo(std::optional<int> codigo) {
    Mostrar(kAyudaTema, ContextoDeAlgoritmo(codigo, kTemaVentanaMasivo));
}

void AyudaMasivoContenido() { Mostrar(kAyudaContenido); }

void AyudaMasivoUso() { Mostrar(kAyudaUso); }

void AyudaMasivoEdicion() { Mostrar(kAyudaTema, kTemaEdicionMasivo); }

void AyudaMasivoDespliegue() { Mostrar(kAyudaTema, kTemaVentanaMasivo); }

}  // namespace vaviviv
