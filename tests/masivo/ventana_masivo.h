#pragma once
// A fresh frmMasivo per test, shown offscreen with scripted boxes and a folder
// of its own, and the user's gestures on it.

#include "archivo/listas_archivo.h"
#include "dialogos_simulados.h"
#include "masivo/frmMasivo.h"
#include "masivo/rejilla.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace vaviviv::prueba {

using Filas = QList<QStringList>;

inline const QString kAlmacenado = QStringLiteral("Archivo Almacenado exitosamente !!!");
inline const QString kTituloArchivo = QStringLiteral("KIV- Digito verificador.");

inline void Escribir(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

inline QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QStringList Fila(const Rejilla& g, int r) {
    QStringList textos;
    for (int c = 0; c < g.Cols(); ++c) textos << g.TextMatrix(r, c);
    return textos;
}

class VentanaMasivo : public QObject {
protected:
    std::unique_ptr<DialogosSimulados> dialogos;  // made before the window, gone after it
    std::unique_ptr<QTemporaryDir> carpeta;
    std::unique_ptr<frmMasivo> w;

    void nueva() {
        w.reset();
        dialogos.reset();
        dialogos = std::make_unique<DialogosSimulados>();
        carpeta = std::make_unique<QTemporaryDir>();
        w = std::make_unique<frmMasivo>();
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    template <typename T = QWidget>
    T* control(const char* nombre, QWidget* en = nullptr) {
        return (en ? en : w.get())->findChild<T*>(QString::fromLatin1(nombre));
    }
    QPushButton* boton(const char* nombre) { return control<QPushButton>(nombre); }
    QAction* accion(const char* nombre) { return control<QAction>(nombre); }
    Rejilla& rejilla() { return *control<Rejilla>("grdMasivo"); }
    QComboBox* algoritmos() { return control<QComboBox>("cboAlgoritmo"); }
    bool sinGuardar() { return boton("cmdGuardar")->isEnabled(); }  // the unsaved-results marker
    QString ruta(const QString& nombre) { return carpeta->filePath(nombre); }
    QStringList fila(int r) { return Fila(rejilla(), r); }
    Filas filas() {
        Filas todas;
        for (int r = 1; r < rejilla().Rows(); ++r) todas << fila(r);
        return todas;
    }
    int filasDeDatos() { return rejilla().Rows() - 1; }
    // Picks the entry that carries `codigo`, as the user does in the list.
    void elegir(int codigo) {
        algoritmos()->setCurrentIndex(algoritmos()->findData(codigo));
        emit algoritmos()->activated(algoritmos()->currentIndex());
    }
    // What the file explorer does in open mode, minus the dialog.
    bool cargar(const QByteArray& contenido) {
        Escribir(ruta("entrada.txt"), contenido);
        w->ConfigurarRejilla();
        return w->CargarArchivo(ruta("entrada.txt"));
    }
    void calcular() { w->cmdCalcular_Click(); }
    void guardar(const QString& nombre = "r.txt") { w->GuardarResultados(ruta(nombre)); }
    // The file explorer as the user drives it: folder, name, the action.
    void confirmarEnExplorador(const QString& nombre, const QString& enCarpeta = {}) {
        QVERIFY(w->Explorador() && w->Explorador()->isVisible());
        control<ListaCarpetas>("dirLista", w->Explorador())->setPath(enCarpeta.isEmpty() ? carpeta->path() : enCarpeta);
        control<QLineEdit>("txtArchivo", w->Explorador())->setText(nombre);
        control<QPushButton>("cmdAlmacenar", w->Explorador())->click();
        QVERIFY(!w->Explorador()->isVisible());
    }
    // What vaviviv-cli masivo writes for `entrada` under `codigo`.
    QByteArray segunLaLineaDeOrdenes(int codigo, const QString& entrada) {
        QProcess cli;
        cli.start(QStringLiteral(VAVIVIV_CLI), {"masivo", QStringLiteral("%1").arg(codigo, 2, 10, QChar(u'0')), entrada, "-o", ruta("cli.txt")});
        if (!cli.waitForFinished(60000) || cli.exitCode() != 0) return "vaviviv-cli falló: " + cli.readAllStandardError();
        return Leer(ruta("cli.txt"));
    }
};

}  // namespace vaviviv::prueba
