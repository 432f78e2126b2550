#include "platform/dialogos.h"

#include "platform/aplicacion.h"
#include "platform/dialogos_qt.h"

#include <QApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QStyle>

namespace vaviviv {

namespace {

DialogosQt dialogosQt;
Dialogos* actuales = &dialogosQt;

QString TituloOAplicacion(const QString& titulo) {
    return titulo.isEmpty() ? QString(kTituloAplicacion) : titulo;
}

QMessageBox::Icon IconoQt(Icono icono) {
    switch (icono) {
        case Icono::Critico: return QMessageBox::Critical;
        case Icono::Exclamacion: return QMessageBox::Warning;
        case Icono::Informacion: return QMessageBox::Information;
        case Icono::Ninguno: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BotonesQt(Botones botones) {
    switch (botones) {
        case Botones::SiNo: return QMessageBox::Yes | QMessageBox::No;
        case Botones::ReintentarCancelar: return QMessageBox::Retry | QMessageBox::Cancel;
        case Botones::Aceptar: break;
    }
    return QMessageBox::Ok;
}

Respuesta RespuestaDe(int boton, Botones botones) {
    switch (boton) {
        case QMessageBox::Yes: return Respuesta::Si;
        case QMessageBox::No: return Respuesta::No;
        case QMessageBox::Retry: return Respuesta::Reintentar;
        case QMessageBox::Cancel: return Respuesta::Cancelar;
        case QMessageBox::Ok: return Respuesta::Aceptar;
    }
    // Closed without a button (Esc, the window's close box): the answer that
    // changes nothing.
    switch (botones) {
        case Botones::SiNo: return Respuesta::No;
        case Botones::ReintentarCancelar: return Respuesta::Cancelar;
        case Botones::Aceptar: break;
    }
    return Respuesta::Aceptar;
}

}  // namespace

std::unique_ptr<QMessageBox> CrearCajaMensaje(const Caja& caja, QWidget* padre) {
    auto box = std::make_unique<QMessageBox>(IconoQt(caja.icono), caja.titulo, caja.texto,
                                             BotonesQt(caja.botones), padre);
    // Enter takes the first button, as the user reads them.
    if (caja.botones == Botones::SiNo) box->setDefaultButton(QMessageBox::Yes);
    if (caja.botones == Botones::ReintentarCancelar) box->setDefaultButton(QMessageBox::Retry);
    return box;
}

std::unique_ptr<QInputDialog> CrearCajaEntrada(const PeticionTexto& peticion, QWidget* padre) {
    auto box = std::make_unique<QInputDialog>(padre);
    box->setInputMode(QInputDialog::TextInput);
    box->setWindowTitle(peticion.titulo);
    box->setLabelText(peticion.indicacion);
    box->setTextValue(peticion.propuesta);
    // Sized to its prompt, the box is narrower than its title, which the title
    // bar then cuts. Room for the title in the bar's letter, bold as most window
    // managers draw it, and for the window's picture, three buttons and the
    // margins, each about as wide as the bar is high. The box's layout sets its
    // size from its contents: the text field, as wide as the box, takes the room.
    QFont letra = QApplication::font("QMdiSubWindowTitleBar");
    letra.setBold(true);
    const int boton = box->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, box.get());
    const int ancho = QFontMetrics(letra).horizontalAdvance(peticion.titulo) + 5 * boton;
    if (auto* campo = box->findChild<QLineEdit*>()) {
        const QStyle& estilo = *box->style();
        campo->setMinimumWidth(ancho - estilo.pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, box.get()) -
                               estilo.pixelMetric(QStyle::PM_LayoutRightMargin, nullptr, box.get()));
    }
    return box;
}

Respuesta DialogosQt::mostrar(const Caja& caja) {
    auto box = CrearCajaMensaje(caja, QApplication::activeWindow());
    return RespuestaDe(box->exec(), caja.botones);
}

std::optional<QString> DialogosQt::pedir(const PeticionTexto& peticion) {
    auto box = CrearCajaEntrada(peticion, QApplication::activeWindow());
    if (box->exec() != QDialog::Accepted) return std::nullopt;
    return box->textValue();
}

Respuesta MostrarMensaje(const QString& texto, Icono icono, Botones botones, const QString& titulo) {
    return actuales->mostrar(Caja{texto, TituloOAplicacion(titulo), icono, botones});
}

std::optional<QString> PedirTexto(const QString& indicacion, const QString& titulo,
                                  const QString& propuesta) {
    return actuales->pedir(PeticionTexto{indicacion, TituloOAplicacion(titulo), propuesta});
}

QString TextoDeError(int numero, const QString& descripcion) {
    return QStringLiteral("Error : %1 %2").arg(numero).arg(descripcion);
}

Dialogos* InstalarDialogos(Dialogos* dialogos) {
    Dialogos* anteriores = actuales;
    actuales = dialogos ? dialogos : &dialogosQt;
    return anteriores == &dialogosQt ? nullptr : anteriores;
}

}  // namespace vaviviv
