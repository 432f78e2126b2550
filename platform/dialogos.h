#pragma once
// Every modal box of the tool goes through here, so that a test can put a
// scripted stand-in in place of Qt's boxes and never block on one.

#include <QString>
#include <optional>

namespace vaviviv {

enum class Icono { Ninguno, Critico, Exclamacion, Informacion };
enum class Botones { Aceptar, SiNo, ReintentarCancelar };
enum class Respuesta { Aceptar, Si, No, Reintentar, Cancelar };

// A message box as it is shown: the title is already resolved.
struct Caja {
    QString texto;
    QString titulo;
    Icono icono = Icono::Ninguno;
    Botones botones = Botones::Aceptar;
};

// An input box: prompt, title and the text offered for editing.
struct PeticionTexto {
    QString indicacion;
    QString titulo;
    QString propuesta;
};

class Dialogos {
public:
    virtual ~Dialogos() = default;
    virtual Respuesta mostrar(const Caja& caja) = 0;
    // nullopt when the user cancels.
    virtual std::optional<QString> pedir(const PeticionTexto& peticion) = 0;
};

// An empty title means the application's title.
Respuesta MostrarMensaje(const QString& texto, Icono icono = Icono::Ninguno,
                         Botones botones = Botones::Aceptar, const QString& titulo = {});
std::optional<QString> PedirTexto(const QString& indicacion, const QString& titulo = {},
                                  const QString& propuesta = {});

// The text of a box that reports a failure: "Error : " + its number + its description.
QString TextoDeError(int numero, const QString& descripcion);

// From now on boxes go to `dialogos`; nullptr restores Qt's boxes. Returns
// the one that was in place. The caller keeps ownership.
Dialogos* InstalarDialogos(Dialogos* dialogos);

}  // namespace vaviviv
