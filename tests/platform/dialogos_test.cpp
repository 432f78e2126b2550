// The boxes layer: the application's title where none is given, Spanish
// standard buttons, the answers of Qt's real boxes, and the scripted
// stand-in the window tests rely on.

#include "dialogos_simulados.h"
#include "platform/aplicacion.h"
#include "platform/dialogos_qt.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace vaviviv;

Q_DECLARE_METATYPE(vaviviv::Botones)
Q_DECLARE_METATYPE(vaviviv::Respuesta)
Q_DECLARE_METATYPE(vaviviv::Icono)

namespace {

// Acts on the modal box as soon as it is up, so the test never waits on it.
void AlAbrirse(std::function<void(QWidget*)> accion) {
    auto* reloj = new QTimer;
    reloj->setInterval(5);
    QObject::connect(reloj, &QTimer::timeout, [reloj, accion] {
        if (QWidget* caja = QApplication::activeModalWidget()) {
            reloj->stop();
            reloj->deleteLater();
            accion(caja);
        }
    });
    reloj->start();
}

QStringList TextosDeBotones(const QMessageBox& caja) {
    QStringList textos;
    for (QAbstractButton* b : caja.buttons()) textos << b->text().remove(QLatin1Char('&'));
    textos.sort();
    return textos;
}

}  // namespace

class PruebaDialogos : public QObject {
    Q_OBJECT

private slots:
    void tituloDeLaAplicacion() {
        DialogosSimulados simulados;
        MostrarMensaje(QStringLiteral("uno"), Icono::Critico);
        MostrarMensaje(QStringLiteral("dos"), Icono::Exclamacion, Botones::Aceptar, QStringLiteral("Digito KIV"));
        PedirTexto(QStringLiteral("Nombre:"), {}, QStringLiteral("resultados.txt"));
        QCOMPARE(simulados.cajas().size(), std::size_t(2));
        QCOMPARE(simulados.cajas()[0].titulo, QStringLiteral("VaviviV"));
        QCOMPARE(simulados.cajas()[0].icono, Icono::Critico);
        QCOMPARE(simulados.cajas()[1].titulo, QStringLiteral("Digito KIV"));
        QCOMPARE(simulados.cajas()[1].icono, Icono::Exclamacion);
        QCOMPARE(simulados.peticiones().size(), std::size_t(1));
        QCOMPARE(simulados.peticiones()[0].titulo, QStringLiteral("VaviviV"));
        QCOMPARE(simulados.peticiones()[0].indicacion, QStringLiteral("Nombre:"));
        QCOMPARE(simulados.peticiones()[0].propuesta, QStringLiteral("resultados.txt"));
    }

    void respuestasDelSimulado() {
        DialogosSimulados simulados;
        simulados.responderCon(Respuesta::Si);
        simulados.responderCon(Respuesta::Reintentar);
        QCOMPARE(MostrarMensaje(QStringLiteral("?"), Icono::Pregunta, Botones::SiNo), Respuesta::Si);
        QCOMPARE(MostrarMensaje(QStringLiteral("!"), Icono::Ninguno, Botones::ReintentarCancelar),
                 Respuesta::Reintentar);
        // Unscripted: the answer that changes nothing.
        QCOMPARE(MostrarMensaje(QStringLiteral("?"), Icono::Pregunta, Botones::SiNo), Respuesta::No);
        QCOMPARE(MostrarMensaje(QStringLiteral("!"), Icono::Ninguno, Botones::ReintentarCancelar),
                 Respuesta::Cancelar);
        QCOMPARE(MostrarMensaje(QStringLiteral(".")), Respuesta::Aceptar);
        simulados.responderTexto(QStringLiteral("otro.txt"));
        QCOMPARE(PedirTexto(QStringLiteral("Nombre:")), std::optional<QString>(QStringLiteral("otro.txt")));
        QCOMPARE(PedirTexto(QStringLiteral("Nombre:")), std::optional<QString>());
    }

    // The simulated boxes nest and give way to the ones they replaced.
    void sustitucionAnidada() {
        DialogosSimulados fuera;
        {
            DialogosSimulados dentro;
            MostrarMensaje(QStringLiteral("a"));
            QCOMPARE(dentro.cajas().size(), std::size_t(1));
        }
        MostrarMensaje(QStringLiteral("b"));
        QCOMPARE(fuera.textos(), QStringList{QStringLiteral("b")});
    }

    void cajasDeQtEnEspanol_data() {
        QTest::addColumn<Botones>("botones");
        QTest::addColumn<Icono>("icono");
        QTest::addColumn<QStringList>("textos");
        QTest::addColumn<int>("iconoQt");
        QTest::newRow("aceptar") << Botones::Aceptar << Icono::Critico << QStringList{"Aceptar"}
                                 << int(QMessageBox::Critical);
        QTest::newRow("si no") << Botones::SiNo << Icono::Pregunta << QStringList{"No", QString::fromUtf8("Sí")}
                               << int(QMessageBox::Question);
        QTest::newRow("reintentar") << Botones::ReintentarCancelar << Icono::Ninguno
                                    << QStringList{"Cancelar", "Reintentar"} << int(QMessageBox::NoIcon);
        QTest::newRow("exclamacion") << Botones::Aceptar << Icono::Exclamacion << QStringList{"Aceptar"}
                                     << int(QMessageBox::Warning);
        QTest::newRow("informacion") << Botones::Aceptar << Icono::Informacion << QStringList{"Aceptar"}
                                     << int(QMessageBox::Information);
    }

    void cajasDeQtEnEspanol() {
        QFETCH(Botones, botones);
        QFETCH(Icono, icono);
        QFETCH(QStringList, textos);
        QFETCH(int, iconoQt);
        const auto caja = CrearCajaMensaje(Caja{QStringLiteral("texto"), QStringLiteral("VaviviV"), icono, botones},
                                           nullptr);
        QCOMPARE(TextosDeBotones(*caja), textos);
        QCOMPARE(int(caja->icon()), iconoQt);
        QCOMPARE(caja->windowTitle(), QStringLiteral("VaviviV"));
        QCOMPARE(caja->text(), QStringLiteral("texto"));
    }

    // Qt's boxes themselves, answered by pressing a button.
    void respuestasDeQt_data() {
        QTest::addColumn<Botones>("botones");
        QTest::addColumn<int>("boton");
        QTest::addColumn<Respuesta>("respuesta");
        QTest::newRow("aceptar") << Botones::Aceptar << int(QMessageBox::Ok) << Respuesta::Aceptar;
        QTest::newRow("si") << Botones::SiNo << int(QMessageBox::Yes) << Respuesta::Si;
        QTest::newRow("no") << Botones::SiNo << int(QMessageBox::No) << Respuesta::No;
        QTest::newRow("reintentar") << Botones::ReintentarCancelar << int(QMessageBox::Retry) << Respuesta::Reintentar;
        QTest::newRow("cancelar") << Botones::ReintentarCancelar << int(QMessageBox::Cancel) << Respuesta::Cancelar;
        // Esc answers as the button that changes nothing.
        QTest::newRow("esc en si no") << Botones::SiNo << -1 << Respuesta::No;
        QTest::newRow("esc en reintentar") << Botones::ReintentarCancelar << -1 << Respuesta::Cancelar;
    }

    void respuestasDeQt() {
        QFETCH(Botones, botones);
        QFETCH(int, boton);
        QFETCH(Respuesta, respuesta);
        QString titulo;
        AlAbrirse([&titulo, boton](QWidget* abierta) {
            auto* caja = qobject_cast<QMessageBox*>(abierta);
            if (!caja) {
                abierta->close();
                return;
            }
            titulo = caja->windowTitle();
            if (boton < 0)
                QTest::keyClick(caja, Qt::Key_Escape);
            else
                caja->button(QMessageBox::StandardButton(boton))->click();
        });
        QCOMPARE(MostrarMensaje(QStringLiteral("¿Seguro?"), Icono::Pregunta, botones), respuesta);
        QCOMPARE(titulo, QStringLiteral("VaviviV"));
    }

    void entradaDeQt() {
        QString indicacion, propuesta, titulo;
        AlAbrirse([&](QWidget* abierta) {
            auto* caja = qobject_cast<QInputDialog*>(abierta);
            if (!caja) {
                abierta->close();
                return;
            }
            indicacion = caja->labelText();
            propuesta = caja->textValue();
            titulo = caja->windowTitle();
            caja->setTextValue(QStringLiteral("nuevo.txt"));
            caja->accept();
        });
        QCOMPARE(PedirTexto(QStringLiteral("Nombre:"), {}, QStringLiteral("viejo.txt")),
                 std::optional<QString>(QStringLiteral("nuevo.txt")));
        QCOMPARE(indicacion, QStringLiteral("Nombre:"));
        QCOMPARE(propuesta, QStringLiteral("viejo.txt"));
        QCOMPARE(titulo, QStringLiteral("VaviviV"));

        AlAbrirse([](QWidget* abierta) { abierta->close(); });
        QCOMPARE(PedirTexto(QStringLiteral("Nombre:")), std::optional<QString>());
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PrepararAplicacion(app);
    PruebaDialogos prueba;
    return QTest::qExec(&prueba, argc, argv);
}

#include "dialogos_test.moc"
