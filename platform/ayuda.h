#pragma once
// The help file and how the windows reach it: a help dialog that takes a
// file, a command and a context number, F1 in every window, and the about
// box. Requests go to a replaceable viewer, so that a test records the topic
// asked for instead of opening a window.

#include <QString>
#include <optional>

namespace vaviviv {

// Help commands, by the numbers the windows use.
inline constexpr int kAyudaTema = 1;        // the topic of a context number
inline constexpr int kAyudaUso = 4;         // help on using help
inline constexpr int kAyudaContenido = 11;  // the help file's contents

struct PeticionAyuda {
    QString archivo;
    int comando = kAyudaTema;
    int contexto = 0;  // only read with kAyudaTema
};

class Ayuda {
public:
    virtual ~Ayuda() = default;
    // Shows the help asked for and returns at once: the viewer is not modal.
    virtual void mostrar(const PeticionAyuda& peticion) = 0;
};

void MostrarAyuda(const PeticionAyuda& peticion);

// From now on help goes to `ayuda`; nullptr restores the built-in viewer.
// Returns the one that was in place. The caller keeps ownership.
Ayuda* InstalarAyuda(Ayuda* ayuda);

// The help dialog of a window: set the file, the context and the command,
// then ShowHelp. What was set stays for the next request.
class DialogoAyuda {
public:
    void setHelpFile(const QString& archivo) { peticion_.archivo = archivo; }
    void setHelpContext(int contexto) { peticion_.contexto = contexto; }
    void setHelpCommand(int comando) { peticion_.comando = comando; }
    void ShowHelp() const { MostrarAyuda(peticion_); }

private:
    PeticionAyuda peticion_;
};

// The help buttons and menus of both windows: the help file beside the
// program ("Vaviviv.hlp"), with `comando` and, for a topic, its context number.
void MostrarAyudaVentana(int comando, std::optional<int> contexto = std::nullopt);

// F1 opens the help file beside the program ("VaviviV.hlp"): each window
// calls this as it loads.
void PonerAyudaF1();

// The context number of an algorithm's topic: 100 for code 0, the code
// itself for the others; `sinAlgoritmo` when none is chosen.
int ContextoDeAlgoritmo(std::optional<int> codigo, int sinAlgoritmo);

// The file F1 opens at its contents, in any window of the application. The
// first call starts listening for F1; an empty path leaves F1 without effect.
void PonerArchivoAyudaAplicacion(const QString& archivo);
QString ArchivoAyudaAplicacion();

// The help file that `archivo` names: itself when it exists, else a file of
// the same folder whose name differs only in case; empty when there is none.
QString ResolverArchivoAyuda(const QString& archivo);

// A modal box with the program's name, version and what it does.
void MostrarAcercaDe();

}  // namespace vaviviv
