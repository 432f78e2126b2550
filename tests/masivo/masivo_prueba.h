#pragma once
// What the GUI tests of frmMasivo share: a fresh window per test, shown
// offscreen, with the scripted boxes in place, files in a folder of their
// own, and the user's gestures.

#include "dialogos_simulados.h"
#include "masivo/frmMasivo.h"
#include "masivo/rejilla.h"
#include "platform/aplicacion.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace vaviviv::prueba {

#define VAVIVIV_QTEST_MAIN(Clase)                 \
    int main(int argc, char** argv) {             \
        QApplication app(argc, argv);             \
        vaviviv::PrepararAplicacion(app);         \
        Clase prueba;                             \
        return QTest::qExec(&prueba, argc, argv); \
    }

// A file's bytes exactly as given.
inline void EscribirArchivo(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("No se pudo escribir %s", qPrintable(ruta));
}

inline QByteArray LeerArchivo(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// `n` lines "1", "2", ... each ended by CR LF.
inline QByteArray Lineas(int n) {
    QByteArray bytes;
    bytes.reserve(n * 8);
    for (int i = 1; i <= n; ++i) bytes += QByteArray::number(i) + "\r\n";
    return bytes;
}

class VentanaMasiva {
public:
    VentanaMasiva() : ventana_(std::make_unique<frmMasivo>()) {
        if (!carpeta_.isValid()) qFatal("Sin carpeta temporal");
        ventana_->show();
        ventana_->activateWindow();
        (void)QTest::qWaitForWindowExposed(ventana_.get());
    }

    frmMasivo& ventana() { return *ventana_; }
    DialogosSimulados& dialogos() { return dialogos_; }
    Rejilla& rejilla() { return *control<Rejilla>("grdMasivo"); }

    template <typename T = QWidget>
    T* control(const char* nombre) {
        T* encontrado = ventana_->findChild<T*>(QString::fromLatin1(nombre));
        if (!encontrado) qFatal("frmMasivo no tiene el control %s", nombre);
        return encontrado;
    }
    QPushButton* boton(const char* nombre) { return control<QPushButton>(nombre); }
    QAction* accion(const char* nombre) { return control<QAction>(nombre); }
    QComboBox* algoritmos() { return control<QComboBox>("cboAlgoritmo"); }
    QString etiqueta() { return control<QLabel>("lblDigito")->text(); }
    // The unsaved-results marker.
    bool sinGuardar() { return boton("cmdGuardar")->isEnabled(); }

    // Picks the entry that carries `codigo`, as the user does in the list.
    void elegir(int codigo) {
        QComboBox* cbo = algoritmos();
        const int indice = cbo->findData(codigo);
        if (indice < 0) qFatal("No hay entrada con el código %d", codigo);
        cbo->setCurrentIndex(indice);
        emit cbo->activated(indice);
    }
    std::optional<int> elegido() {
        QComboBox* cbo = algoritmos();
        return cbo->currentIndex() < 0 ? std::nullopt : std::optional<int>(cbo->currentData().toInt());
    }

    QString ruta(const QString& nombre) const { return carpeta_.filePath(nombre); }

    // What the file explorer does in open mode, minus the dialog.
    bool cargar(const QByteArray& contenido, const QString& nombre = QStringLiteral("entrada.txt")) {
        EscribirArchivo(ruta(nombre), contenido);
        ventana_->ConfigurarRejilla();
        return ventana_->CargarArchivo(ruta(nombre));
    }

    void calcular() { ventana_->cmdCalcular_Click(); }

    // One row's cells, or the titles for row 0.
    QStringList fila(int r) {
        QStringList celdas;
        for (int c = 0; c < rejilla().Cols(); ++c) celdas << rejilla().TextMatrix(r, c);
        return celdas;
    }
    QList<QStringList> filas() {
        QList<QStringList> todas;
        for (int r = 1; r < rejilla().Rows(); ++r) todas << fila(r);
        return todas;
    }
    int filasDeDatos() { return rejilla().Rows() - 1; }

    // Fills the grid with `filas`, through the model the way a load does.
    void poner(const QList<QStringList>& filas) {
        std::vector<QString> celdas;
        for (const QStringList& f : filas)
            for (int c = 0; c < rejilla().Cols(); ++c) celdas.push_back(c < f.size() ? f[c] : QString());
        rejilla().AgregarFilas(std::move(celdas));
    }

private:
    DialogosSimulados dialogos_;  // before the window, so it outlives it
    QTemporaryDir carpeta_;
    std::unique_ptr<frmMasivo> ventana_;
};

}  // namespace vaviviv::prueba
