// The bulk window with 30,000 records, through its own code and its file
// explorer, offscreen: the time to load the file, to calculate every row and
// to store the results, and how much the process grows for the rows.
//   bench_masivo_ventana [repeticiones]
// Or one load in a fresh process, and the resident memory it adds at its
// highest and once done: 30,000 records of five columns, or the largest file
// the window takes, 30,000 lines of 32,766 characters (ASCII digits, or "Ñ"
// in Windows-1252).
//   bench_masivo_ventana carga 10|ascii|1252

#include "archivo/listas_archivo.h"
#include "masivo/frmMasivo.h"
#include "masivo/rejilla.h"
#include "platform/aplicacion.h"
#include "platform/dialogos.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

using namespace vaviviv;

namespace {

constexpr int kRegistros = kMaximoRegistros;

// Answers every box at once: yes to overwriting, OK, Cancel to errors.
class SinUsuario final : public Dialogos {
public:
    int errores = 0;
    Respuesta mostrar(const Caja& caja) override {
        switch (caja.botones) {
            case Botones::SiNo: return Respuesta::Si;
            case Botones::ReintentarCancelar: ++errores; return Respuesta::Cancelar;
            case Botones::Aceptar: break;
        }
        if (caja.icono == Icono::Critico) ++errores;
        return Respuesta::Aceptar;
    }
    std::optional<QString> pedir(const PeticionTexto&) override { return std::nullopt; }
};

// Resident memory now and at its highest, in MB.
double MegasDe(const char* campo) {
    QFile estado(QStringLiteral("/proc/self/status"));
    if (!estado.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& linea : estado.readAll().split('\n'))
        if (linea.startsWith(campo)) return linea.mid(int(qstrlen(campo))).trimmed().split(' ')[0].toDouble() / 1024;
    return 0;
}
double Residente() { return MegasDe("VmRSS:"); }
double ResidenteMaximo() { return MegasDe("VmHWM:"); }
// From here VmHWM is the highest resident memory since this call (Linux 4.0 on).
bool ReiniciarMaximo() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

// Fixed seeds: the same files on every run.
QByteArray Archivo00() {
    std::mt19937 azar(7);
    QByteArray bytes;
    for (int i = 0; i < kRegistros; ++i) {
        const int largo = 1 + int(azar() % 19);
        for (int j = 0; j < largo; ++j) bytes += char('0' + azar() % 10);
        bytes += "\r\n";
    }
    return bytes;
}

QByteArray Archivo10() {
    std::mt19937 azar(11);
    QByteArray bytes;
    for (int i = 0; i < kRegistros; ++i)
        bytes += QStringLiteral("%1\t%2.%3\t%4/%5/%6\r\n")
                     .arg(qulonglong(azar()) * 1000 % 1000000000000ULL)
                     .arg(azar() % 1000000)
                     .arg(azar() % 100, 2, 10, QLatin1Char('0'))
                     .arg(1 + azar() % 28, 2, 10, QLatin1Char('0'))
                     .arg(1 + azar() % 12, 2, 10, QLatin1Char('0'))
                     .arg(1988 + azar() % 26)
                     .toLatin1();
    return bytes;
}

// The offscreen platform cannot raise windows and says so each time.
QtMessageHandler avisosAnteriores = nullptr;
void SinAvisosDePlataforma(QtMsgType tipo, const QMessageLogContext& contexto, const QString& mensaje) {
    if (mensaje.startsWith(QStringLiteral("This plugin does not support"))) return;
    if (avisosAnteriores) avisosAnteriores(tipo, contexto, mensaje);
}

void Asentar() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

// Runs the file explorer's action on `carpeta`/`nombre`; the seconds it took,
// the view's redrawing included.
double Confirmar(frmMasivo& ventana, const QString& carpeta, const QString& nombre) {
    frmArchivo* explorador = ventana.Explorador();
    explorador->findChild<ListaCarpetas*>(QStringLiteral("dirLista"))->setPath(carpeta);
    explorador->findChild<QLineEdit*>(QStringLiteral("txtArchivo"))->setText(nombre);
    Asentar();
    QElapsedTimer reloj;
    reloj.start();
    explorador->findChild<QPushButton*>(QStringLiteral("cmdAlmacenar"))->click();
    Asentar();
    return reloj.nsecsElapsed() / 1e9;
}

struct Medida {
    double cargar, calcular, guardar, memoria;
};

// The window shown with `codigo` chosen, as a user leaves it before opening a file.
void Preparar(frmMasivo& ventana, int codigo) {
    ventana.show();
    Asentar();
    auto* cbo = ventana.findChild<QComboBox*>(QStringLiteral("cboAlgoritmo"));
    cbo->setCurrentIndex(cbo->findData(codigo));
    ventana.cboAlgoritmo_Click();
    Asentar();
}

bool Medir(int codigo, const QTemporaryDir& carpeta, SinUsuario& usuario, Medida& medida) {
    frmMasivo ventana;
    Preparar(ventana, codigo);
    const double antes = Residente();

    ventana.cmdAbrir_Click();
    medida.cargar = Confirmar(ventana, carpeta.path(), QStringLiteral("entrada%1.txt").arg(codigo));

    QElapsedTimer reloj;
    reloj.start();
    ventana.cmdCalcular_Click();
    Asentar();
    medida.calcular = reloj.nsecsElapsed() / 1e9;
    medida.memoria = Residente() - antes;

    ventana.mnuArchivoGuardar_Click();
    medida.guardar = Confirmar(ventana, carpeta.path(), QStringLiteral("resultados%1.txt").arg(codigo));

    // Every generated record is valid: each row must have its digits.
    const auto* rejilla = ventana.findChild<Rejilla*>(QStringLiteral("grdMasivo"));
    int calculadas = 0;
    for (int fila = 1; fila < rejilla->Rows(); ++fila)
        if (!rejilla->TextMatrix(fila, rejilla->Cols() - 1).isEmpty()) ++calculadas;
    const QFileInfo resultados(carpeta.filePath(QStringLiteral("resultados%1.txt").arg(codigo)));
    return calculadas == kRegistros && rejilla->Rows() - 1 == kRegistros && resultados.size() > kRegistros * 10 &&
           usuario.errores == 0;
}

// One load into a fresh window of this fresh process (see the top of this file).
int MedirCarga(const QByteArray& cual, SinUsuario& usuario) {
    QTemporaryDir carpeta;
    QFile f(carpeta.filePath(QStringLiteral("entrada.txt")));
    if (!f.open(QIODevice::WriteOnly)) return 1;
    const int codigo = cual == "10" ? 10 : 0;
    const QByteArray linea = QByteArray(32766, cual == "ascii" ? '7' : '\xD1') + "\r\n";
    for (int i = 0; i < (codigo == 10 ? 1 : kRegistros); ++i) {
        const QByteArray bytes = codigo == 10 ? Archivo10() : linea;
        if (f.write(bytes) != bytes.size()) return 1;
    }
    f.close();
    frmMasivo ventana;
    Preparar(ventana, codigo);
    const double antes = Residente();
    if (!ReiniciarMaximo()) return 1;
    ventana.cmdAbrir_Click();
    const double segundos = Confirmar(ventana, carpeta.path(), QStringLiteral("entrada.txt"));
    const double pico = ResidenteMaximo() - antes, retenido = Residente() - antes;
    if (ventana.findChild<Rejilla*>(QStringLiteral("grdMasivo"))->Rows() - 1 != kRegistros || usuario.errores > 0) {
        std::fprintf(stderr, "No se cargaron los %d registros\n", kRegistros);
        return 1;
    }
    std::printf("  carga de %d registros, %s (%.0f MB): %.2f s; memoria residente durante la carga +%.1f MB, "
                "después +%.1f MB (antes: %.1f MB)\n",
                kRegistros, cual == "10" ? "código 10, cinco columnas" : cual == "ascii" ? "32,766 cifras cada uno" : "32,766 \"Ñ\" cada uno, Windows-1252",
                double(QFileInfo(f).size()) / 1e6, segundos, pico, retenido, antes);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    avisosAnteriores = qInstallMessageHandler(SinAvisosDePlataforma);
    QApplication app(argc, argv);
    PrepararAplicacion(app);
    SinUsuario usuario;
    InstalarDialogos(&usuario);
    if (argc > 2 && QByteArray(argv[1]) == "carga") return MedirCarga(argv[2], usuario);
    const int repeticiones = argc > 1 ? std::max(1, atoi(argv[1])) : 3;

    QTemporaryDir carpeta;
    for (const auto& [codigo, bytes] : {std::pair{10, Archivo10()}, std::pair{0, Archivo00()}}) {
        QFile f(carpeta.filePath(QStringLiteral("entrada%1.txt").arg(codigo)));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) return 1;
    }

    const double inicial = ResidenteMaximo();
    std::printf("Ventana masiva, %d registros, %d vueltas (mejor / peor):\n", kRegistros, repeticiones);
    for (int codigo : {10, 0}) {
        std::vector<Medida> medidas(std::size_t(repeticiones), Medida{});
        for (Medida& m : medidas)
            if (!Medir(codigo, carpeta, usuario, m)) {
                std::fprintf(stderr, "El código %02d no cargó, calculó o guardó los %d registros\n", codigo, kRegistros);
                return 1;
            }
        const auto rango = [&](double Medida::*campo) {
            const auto [menor, mayor] = std::minmax_element(medidas.begin(), medidas.end(),
                                                            [&](const Medida& a, const Medida& b) { return a.*campo < b.*campo; });
            return std::pair{(*menor).*campo, (*mayor).*campo};
        };
        const auto cargar = rango(&Medida::cargar), calcular = rango(&Medida::calcular),
                   guardar = rango(&Medida::guardar);
        std::printf("  codigo %02d (%d columnas): cargar %.3f / %.3f s, calcular %.3f / %.3f s, "
                    "almacenar %.3f / %.3f s\n",
                    codigo, codigo == 10 ? 5 : 3, cargar.first, cargar.second, calcular.first, calcular.second,
                    guardar.first, guardar.second);
        // The first window of the process, five columns: what its rows cost.
        if (codigo == 10)
            std::printf("  codigo 10: memoria residente tras cargar y calcular: +%.1f MB\n", medidas[0].memoria);
    }
    std::printf("  memoria residente máxima del proceso: %.1f MB (al empezar las vueltas: %.1f MB)\n",
                ResidenteMaximo(), inicial);
    InstalarDialogos(nullptr);
    return 0;
}
