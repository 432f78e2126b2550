#pragma once
// The built-in help viewer. The help file is one HTML document in UTF-8;
// each topic is a <section> whose id is its context number ("contenido" and
// "uso" for the contents and for help on using help), with its title in the
// title attribute. A link to another topic is written href="#id". The viewer
// shows one topic at a time, with its own history.

#include "platform/ayuda.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QTextBrowser>
#include <optional>

class QPushButton;

namespace vaviviv {

inline constexpr char kTemaContenido[] = "contenido";
inline constexpr char kTemaUso[] = "uso";

struct TemaAyuda {
    QString titulo;
    QString html;  // what the section holds
};

class ArchivoAyuda {
public:
    // nullopt, with the reason in `error`, when the file cannot be read or
    // holds no topic.
    static std::optional<ArchivoAyuda> Leer(const QString& ruta, QString* error = nullptr);

    const QString& ruta() const { return ruta_; }
    // nullptr for an id the file does not have.
    const TemaAyuda* tema(const QString& id) const;
    // Topic ids in the order of the file.
    const QStringList& temas() const { return orden_; }
    // The same file, unchanged since it was read.
    bool mismoQue(const ArchivoAyuda& otro) const {
        return ruta_ == otro.ruta_ && modificado_ == otro.modificado_ && tamano_ == otro.tamano_;
    }

private:
    QString ruta_;
    QDateTime modificado_;
    qint64 tamano_ = 0;
    QStringList orden_;
    QHash<QString, TemaAyuda> temas_;
};

// Shows the topics of one help file; links and the history stay within it.
class NavegadorAyuda final : public QTextBrowser {
    Q_OBJECT

public:
    explicit NavegadorAyuda(QWidget* parent = nullptr);

    void setArchivo(const ArchivoAyuda& archivo);
    const ArchivoAyuda* archivo() const { return archivo_ ? &*archivo_ : nullptr; }
    // Shows the topic `id`; false, with nothing changed, when there is none.
    bool irA(const QString& id);
    // The id of the topic on show; empty before the first.
    QString tema() const;

    QVariant loadResource(int type, const QUrl& nombre) override;

protected:
    void changeEvent(QEvent* event) override;

private:
    std::optional<ArchivoAyuda> archivo_;
};

class VisorAyuda final : public QWidget {
    Q_OBJECT

public:
    explicit VisorAyuda(QWidget* parent = nullptr);

    // Opens `archivo` (when it is not the one on show) at the topic `id`.
    bool abrir(const ArchivoAyuda& archivo, const QString& id);
    QString tema() const { return navegador_->tema(); }
    NavegadorAyuda* navegador() const { return navegador_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The title names topic `id`, the one being shown.
    void actualizar(const QString& id);

    NavegadorAyuda* navegador_;
    QPushButton* contenido_;
    QPushButton* atras_;
    QPushButton* adelante_;
    QPushButton* uso_;
};

// The built-in help: one viewer window, brought forward by every request. A
// missing file or topic is told in a message box.
void MostrarEnVisorAyuda(const PeticionAyuda& peticion);

// The viewer that the built-in help has open; nullptr while there is none.
VisorAyuda* VisorAyudaAbierto();

}  // namespace vaviviv
