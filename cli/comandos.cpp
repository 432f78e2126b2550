#include "cli/comandos.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QFile>
#include <array>
#include <mutex>
#include <functional>
#include <memory>
#include <optional>

#include "cli/argumentos.h"
#include "cli/senales.h"
#include "engine/catalogo.h"
#include "reglas/archivo_resultados.h"
#include "reglas/calculo_masivo.h"
#include "reglas/codificacion.h"
#include "reglas/destino_resultados.h"
#include "reglas/libro_resultados.h"
#include "reglas/calcular_referencia.h"
#include "reglas/catalogo_textos.h"
#include "reglas/error_sistema.h"
#include "reglas/texto.h"
#include "reglas/verificacion_masiva.h"
#include "vaviviv_configuracion.h"

namespace vaviviv::cli {

namespace {

// False when the device refused part of it (its errorString() says why). A
// short write is offered again: only the write that fails comes with a reason.
bool Escribir(QIODevice& d, QByteArrayView bytes) {
    for (qsizetype hecho = 0; hecho < bytes.size();) {
        const qint64 n = d.write(bytes.data() + hecho, bytes.size() - hecho);
        if (n <= 0) return false;
        hecho += n;
    }
    return true;
}

// A long run's progress on a terminal: one line, rewritten in place as the
// input is read, once the run has lasted a second; gone before anything else
// is said. Records are counted as their line ends are read.
class Progreso : public QIODevice {
public:
    // tamano: the input's size in bytes, 0 when unknown (a pipe, a terminal).
    Progreso(QIODevice& entrada, QIODevice& terminal, qint64 tamano)
        : entrada_(entrada), terminal_(terminal), tamano_(tamano) {
        open(ReadOnly | Unbuffered);
        reloj_.start();
        activo_ = this;
    }
    ~Progreso() override {
        borrar();
        activo_ = nullptr;
    }
    // Before a line of standard error: the progress line goes.
    static void BorrarActivo() {
        if (activo_) activo_->borrar();
    }

protected:
    qint64 writeData(const char*, qint64) override { return -1; }
    qint64 readData(char* datos, qint64 n) override {
        const qint64 leidos = entrada_.read(datos, n);
        if (leidos < 0) {
            setErrorString(entrada_.errorString());
            return -1;
        }
        bytes_ += leidos;
        registros_ += QByteArrayView(datos, leidos).count('\n');
        const qint64 ms = reloj_.elapsed();
        if (ms >= kEspera && ms - dibujado_ >= kIntervalo) dibujar(ms);
        return leidos;
    }

private:
    static constexpr qint64 kEspera = 1000;     // ms before a run counts as long
    static constexpr qint64 kIntervalo = 200;   // ms between redraws

    void dibujar(qint64 ms) {
        std::lock_guard l(m_);
        dibujado_ = ms;
        QString linea = (registros_ == 1 ? QStringLiteral("vaviviv-cli: %1 registro, %2 por segundo")
                                         : QStringLiteral("vaviviv-cli: %1 registros, %2 por segundo"))
                            .arg(registros_)
                            .arg(registros_ * 1000 / ms);
        if (tamano_ > 0) linea += QStringLiteral(", %1 %").arg(std::min<qint64>(100, bytes_ * 100 / tamano_));
        visible_ = Escribir(terminal_, (u'\r' + linea + QStringLiteral("\x1b[K")).toUtf8());
    }
    void borrar() {
        std::lock_guard l(m_);
        if (visible_) Escribir(terminal_, "\r\x1b[K");
        visible_ = false;
    }

    static inline Progreso* activo_ = nullptr;
    QIODevice& entrada_;
    QIODevice& terminal_;
    const qint64 tamano_;
    QElapsedTimer reloj_;
    qint64 bytes_ = 0, registros_ = 0, dibujado_ = 0;
    bool visible_ = false;
    std::mutex m_;
};

// Standard error, as Unix tools write it: each line under the program's name,
// so that a script's log says who spoke.
void Aviso(Consola& c, const QString& texto) {
    Progreso::BorrarActivo();
    Escribir(c.errores, ConNombre(texto).toUtf8());
}

// The reason of a failed file operation, in Spanish for the common causes, as
// the windows give it; `numero` is errno right after the failing call.
QString Razon(int numero, const QString& texto, const QString& ruta = {}) {
    return ErrorDeArchivo(numero, 0, texto, ruta).descripcion;
}

// What a command shows on standard output; if it cannot be written, that is
// the command's failure, whatever it had found.
int Mostrar(Consola& c, const QString& texto, int codigo) {
    if (Escribir(c.salida, texto.toUtf8())) return codigo;
    Aviso(c, NoSePudoEscribirLaSalida(Razon(errno, c.salida.errorString())));
    return kFallo;
}

// A terminal shows UTF-8, not the results file's code page. The code page has
// one byte a character, so each write converts on its own.
class TerminalUtf8 : public QIODevice {
public:
    explicit TerminalUtf8(QIODevice& terminal) : terminal_(terminal) { open(WriteOnly | Unbuffered); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* datos, qint64 n) override {
        if (Escribir(terminal_, DecodificarWindows1252(QByteArrayView(datos, n)).toUtf8())) return n;
        setErrorString(terminal_.errorString());
        return -1;
    }

private:
    QIODevice& terminal_;
};

QString SobraElArgumento(const QByteArray& argumento) {
    return QStringLiteral("Sobra el argumento «%1»").arg(Texto(argumento));
}

// The positional arguments against the names the usage gives them; a misuse
// names the first one missing or the first one too many.
std::optional<QString> ContarArgumentos(const QList<QByteArray>& dados, const QStringList& nombres, const QString& uso) {
    if (dados.size() < nombres.size()) return QStringLiteral("Falta el argumento %1\n%2").arg(nombres[dados.size()], uso);
    if (dados.size() > nombres.size()) return SobraElArgumento(dados[nombres.size()]) + u'\n' + uso;
    return std::nullopt;
}

QString CodigoNoValido(const QString& codigo) {
    return QStringLiteral("Código de algoritmo no válido: «%1» (use %2)").arg(codigo, ListaDeCodigos());
}

QString NoSePudoEscribir(const QString& ruta, const QString& razon) {
    return QStringLiteral("No se pudo escribir «%1»: %2").arg(ruta, razon);
}

QString SubcomandoDesconocido(const QString& nombre) { return QStringLiteral("Subcomando desconocido: «%1»").arg(nombre); }

int MalUso(Consola& c, const QString& mensaje) {
    Aviso(c, mensaje);
    Aviso(c, QStringLiteral("Use «vaviviv-cli --help» para ver cómo se usa."));
    return kMalUso;
}

// The options a code takes, one a field ("--sucursal"); any other is a misuse.
QStringList OpcionesDe(int codigo) {
    QStringList opciones;
    for (const QString& campo : NombresCampos(BuscarAlgoritmo(codigo)->entradas)) opciones << "--" + campo.toLower();
    return opciones;
}

// Code and the main window's fields from the arguments; a misuse message otherwise.
std::variant<std::pair<int, DatosPrincipal>, QString> LeerDatos(const Argumentos& a, const QStringList& nombres,
                                                                 const QString& uso) {
    if (const auto error = ContarArgumentos(a.posicionales, nombres, uso)) return *error;
    const QString textoCodigo = Texto(a.posicionales[0]);
    const auto codigo = LeerCodigo(textoCodigo);
    if (!codigo)
        return CodigoNoValido(textoCodigo);
    const QStringList validas = OpcionesDe(*codigo);
    for (const QString& o : a.opciones.keys())
        if (!validas.contains(o))
            return QStringLiteral("La opción %1 no corresponde al algoritmo %2")
                .arg(o, textoCodigo.rightJustified(2, u'0'));
    // The window proposes today, which lies past the last day code 10 takes.
    if (validas.contains("--fecha") && !a.opciones.contains("--fecha"))
        return QStringLiteral("Falta la opción --fecha (DD/MM/AAAA), obligatoria con el algoritmo %1").arg(CodigoDosCifras(*codigo));
    DatosPrincipal d;
    d.referencia = Texto(a.posicionales[1]);
    d.sucursal = Texto(a.opciones.value("--sucursal"));
    d.cuenta = Texto(a.opciones.value("--cuenta"));
    d.importe = Texto(a.opciones.value("--importe"));
    d.fecha = Texto(a.opciones.value("--fecha"));
    return std::pair{*codigo, d};
}

int Calcular(const Argumentos& a, Consola& c) {
    const auto leidos =
        LeerDatos(a, {"CODIGO", "REFERENCIA"}, QStringLiteral("Uso: vaviviv-cli calcular CODIGO REFERENCIA [opciones]"));
    if (const auto* error = std::get_if<QString>(&leidos)) return MalUso(c, *error);
    const auto& [codigo, datos] = std::get<0>(leidos);
    const CalculoPrincipal r = CalcularReferencia(codigo, datos);
    if (!r.correcto()) {
        for (const QString& m : r.mensajes) Aviso(c, m);
        return kFallo;
    }
    return Mostrar(c, r.referenciaCompleta + u'\t' + r.digitos + u'\n', kExito);
}

int Verificar(const Argumentos& a, Consola& c) {
    const auto leidos =
        LeerDatos(a, {"CODIGO", "REFERENCIA_COMPLETA"},
                  QStringLiteral("Uso: vaviviv-cli verificar CODIGO REFERENCIA_COMPLETA [opciones]"));
    if (const auto* error = std::get_if<QString>(&leidos)) return MalUso(c, *error);
    auto [codigo, datos] = std::get<0>(leidos);
    const int ancho = BuscarAlgoritmo(codigo)->anchoResultado;
    const QString completa = datos.referencia;
    if (completa.size() <= ancho) {
        Aviso(c, DesdeUtf8(TextoCompletaCorta(codigo)));
        return kFallo;
    }
    datos.referencia = completa.chopped(ancho);
    const CalculoPrincipal r = CalcularReferencia(codigo, datos);
    if (!r.correcto()) {
        for (const QString& m : r.mensajes) Aviso(c, m);
        return kFallo;
    }
    if (r.referenciaCompleta == completa) return Mostrar(c, DesdeUtf8(kValida) + u'\n', kExito);
    return Mostrar(c, QStringLiteral("%1: se esperaba %2\n").arg(DesdeUtf8(kNoValida), r.referenciaCompleta), kFallo);
}

// A file name as the messages show it.
QString Nombre(const QByteArray& ruta) { return QFile::decodeName(ruta); }

// From ENTRADA to SALIDA ("-": the standard streams) through `procesar`,
// with every failure to open, read or write told under the file's name, and
// `resumen` of the records on standard error once all is written.
int ProcesarArchivos(Consola& c, const Argumentos& a, const QByteArray& rutaEntrada, const QByteArray& rutaSalida,
                     const std::function<ResumenMasivo(QIODevice&, QIODevice&)>& procesar,
                     const std::function<QString(const CuentasMasivo&)>& resumen) {
    if (rutaEntrada.isEmpty()) return MalUso(c, QStringLiteral("El nombre del archivo de entrada está vacío"));
    if (rutaSalida.isEmpty()) return MalUso(c, QStringLiteral("El nombre del archivo de salida está vacío"));

    QFile archivoEntrada;
    QIODevice* entrada = &c.entrada;
    qint64 tamano = 0;
    if (rutaEntrada == "-" && c.entradaEsTerminal && !a.silencioso)
        Aviso(c, QStringLiteral("Se leen registros de la entrada estándar hasta su fin (Ctrl+D)."));
    if (rutaEntrada != "-") {
        const int fd = ::open(rutaEntrada.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
        struct stat st{};
        int numero = fd < 0 ? errno : ::fstat(fd, &st) != 0 ? errno : S_ISDIR(st.st_mode) ? EISDIR : 0;
        if (numero == 0 && !archivoEntrada.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) numero = EBADF;
        if (numero != 0) {
            if (fd >= 0 && !archivoEntrada.isOpen()) ::close(fd);
            Aviso(c, QStringLiteral("No se pudo abrir «%1»: %2").arg(Nombre(rutaEntrada), DescripcionError(numero)));
            return kFallo;
        }
        entrada = &archivoEntrada;
        if (S_ISREG(st.st_mode)) tamano = st.st_size;
    }

    std::unique_ptr<DestinoResultados> archivoSalida;
    if (rutaSalida != "-") {
        archivoSalida = std::make_unique<DestinoResultados>(rutaSalida);
        // A name for standard output is standard output; a workbook's name is refused there by the destination.
        const Destino destino = archivoSalida->destino();
        if (destino.tipo == TipoDestino::Descriptor && destino.descriptor == STDOUT_FILENO && !EsNombreDeLibro(rutaSalida))
            archivoSalida.reset();
    }
    std::optional<TerminalUtf8> terminal;
    QIODevice* salida = &c.salida;
    if (!archivoSalida && c.salidaEsTerminal) salida = &terminal.emplace(c.salida);
    if (archivoSalida) {
        bool abierto;
        {
            const SenalesEnEspera espera;
            abierto = archivoSalida->abrir();
            if (abierto) VigilarTemporal(archivoSalida->temporal());
        }
        if (!abierto) {
            Aviso(c, QStringLiteral("No se pudo crear «%1»: %2").arg(Nombre(rutaSalida), archivoSalida->error()));
            return kFallo;
        }
        salida = &archivoSalida->dispositivo();
        const Destino destino = archivoSalida->destino();
        if (destino.tipo == TipoDestino::Descriptor && ::isatty(destino.descriptor) == 1) salida = &terminal.emplace(*salida);
    }

    // Whatever way this ends, the temporary file is no signal's to remove.
    const auto olvidar = qScopeGuard([] {
        const SenalesEnEspera espera;
        VigilarTemporal({});
    });
    std::optional<Progreso> progreso;
    if (c.erroresEsTerminal && !a.silencioso) entrada = &progreso.emplace(*entrada, c.errores, tamano);
    const ResumenMasivo r = procesar(*entrada, *salida);
    progreso.reset();
    // Until confirmed, nothing has replaced or touched an earlier file.
    if (!r.errorLectura.isEmpty()) {
        const QString cual = rutaEntrada == "-" ? QStringLiteral("la entrada estándar") : u'«' + Nombre(rutaEntrada) + u'»';
        Aviso(c, QStringLiteral("No se pudo leer %1: %2").arg(cual, r.errorLectura));
        return kFallo;
    }
    if (!r.errorEscritura.isEmpty()) {
        const QString razon = Razon(r.numeroEscritura, r.errorEscritura);
        Aviso(c, archivoSalida ? NoSePudoEscribir(Nombre(rutaSalida), razon) : NoSePudoEscribirLaSalida(razon));
        return kFallo;
    }
    bool confirmado = true;
    if (archivoSalida) {
        const SenalesEnEspera espera;
        confirmado = archivoSalida->confirmar();
        VigilarTemporal({});
    }
    if (!confirmado) {
        QString mensaje = NoSePudoEscribir(Nombre(rutaSalida), archivoSalida->error());
        if (archivoSalida->sobrescrito()) mensaje += u' ' + AvisoArchivoSobrescrito();
        Aviso(c, mensaje);
        return kFallo;
    }
    if (!a.silencioso) Aviso(c, resumen(r.cuentas));
    return kExito;
}

// The code of a file subcommand, which takes no option but `opciones`; a misuse message otherwise.
std::variant<int, QString> CodigoDeArchivo(const Argumentos& a, const QStringList& nombres, const QString& uso,
                                            const QStringList& opciones, const QString& subcomando) {
    if (const auto error = ContarArgumentos(a.posicionales, nombres, uso)) return *error;
    const QString textoCodigo = Texto(a.posicionales[0]);
    const auto codigo = LeerCodigo(textoCodigo);
    if (!codigo) return CodigoNoValido(textoCodigo);
    for (const QString& o : a.opciones.keys())
        if (!opciones.contains(o)) return QStringLiteral("La opción %1 no corresponde a %2").arg(o, subcomando);
    return *codigo;
}

int Masivo(const Argumentos& a, Consola& c) {
    const auto leido = CodigoDeArchivo(a, {"CODIGO", "ENTRADA"}, QStringLiteral("Uso: vaviviv-cli masivo CODIGO ENTRADA [-o SALIDA]"),
                                       {"-o"}, QStringLiteral("masivo"));
    if (const auto* error = std::get_if<QString>(&leido)) return MalUso(c, *error);
    const int codigo = std::get<int>(leido);
    const auto avisar = [&c](const AvisoCaracter& a) {
        Aviso(c, QStringLiteral("Registro %1: %2").arg(a.registro).arg(MensajeCaracterNoValido(a.caracter)));
    };
    return ProcesarArchivos(
        c, a, a.posicionales[1], a.opciones.value("-o", "-"),
        [&](QIODevice& entrada, QIODevice& salida) {
            return CalcularArchivo(codigo, entrada, salida, avisar, -1, EsArchivoCsv(Nombre(a.posicionales[1])));
        },
        [](const CuentasMasivo& n) { return QStringLiteral("Registros: %1, con error: %2").arg(n.registros).arg(n.errores); });
}

// verificar CODIGO --archivo ENTRADA [-o SALIDA]: row outcomes are data, as in masivo.
int VerificarArchivo(const Argumentos& a, Consola& c) {
    const auto leido = CodigoDeArchivo(a, {"CODIGO"}, QStringLiteral("Uso: vaviviv-cli verificar CODIGO --archivo ENTRADA [-o SALIDA]"),
                                       {"--archivo", "-o"}, QStringLiteral("verificar --archivo"));
    if (const auto* error = std::get_if<QString>(&leido)) return MalUso(c, *error);
    const int codigo = std::get<int>(leido);
    return ProcesarArchivos(
        c, a, a.opciones.value("--archivo"), a.opciones.value("-o", "-"),
        [&](QIODevice& entrada, QIODevice& salida) {
            return vaviviv::VerificarArchivo(codigo, entrada, salida, -1, EsArchivoCsv(Nombre(a.opciones.value("--archivo"))));
        },
        [](const CuentasMasivo& n) {
            return QStringLiteral("Registros: %1, válidas: %2, no válidas: %3, con error: %4")
                .arg(n.registros)
                .arg(n.registros - n.noValidas - n.errores)
                .arg(n.noValidas)
                .arg(n.errores);
        });
}

}  // namespace

QString NoSePudoEscribirLaSalida(const QString& razon) {
    return QStringLiteral("No se pudo escribir la salida estándar: %1").arg(razon);
}

namespace {

// Each subcommand's usage, as its own help and the whole help show it.
struct Suborden {
    const char* nombre;
    const char* ayuda;
};

constexpr Suborden kSubordenes[] = {
    {"calcular",
     "  vaviviv-cli calcular CODIGO REFERENCIA [--sucursal S] [--cuenta C]\n"
     "                       [--importe I] [--fecha F]\n"
     "      Calcula una referencia con las validaciones de la ventana principal.\n"
     "      Escribe la referencia completa, un tabulador y los dígitos verificadores.\n"},
    {"masivo",
     "  vaviviv-cli masivo CODIGO ENTRADA [-o SALIDA] [-q]\n"
     "      Calcula cada registro de un archivo de texto (campos separados por\n"
     "      tabulador) y escribe el archivo de resultados,\n"
     "      en Windows-1252 con fin de línea CR LF. ENTRADA y SALIDA pueden ser «-»\n"
     "      (entrada y salida estándar; la salida por omisión). En un terminal los\n"
     "      resultados se muestran en UTF-8; redirigidos o por una tubería, salen\n"
     "      byte a byte como el archivo. Si ENTRADA termina en .csv, se lee como CSV\n"
     "      (separador «;» o «,»). Si SALIDA termina en .xlsx, escribe un\n"
     "      libro de hoja de cálculo, con cada celda como texto.\n"
     "      Un registro con error es un dato más: su fila lleva el mensaje de error,\n"
     "      y no cambia el código de salida.\n"},
    {"verificar",
     "  vaviviv-cli verificar CODIGO REFERENCIA_COMPLETA [--sucursal S] [--cuenta C]\n"
     "                        [--importe I] [--fecha F]\n"
     "      Comprueba si los últimos dígitos de la referencia completa son los\n"
     "      correctos (ocho para el algoritmo 10).\n"
     "  vaviviv-cli verificar CODIGO --archivo ENTRADA [-o SALIDA] [-q]\n"
     "      Comprueba cada referencia completa de un archivo (una por línea; con 06\n"
     "      y 10 seguida de sucursal y cuenta, o de importe y fecha, como en masivo)\n"
     "      y escribe un archivo de resultados como el de masivo, con las columnas\n"
     "      Referencia, Resultado («válida», «no válida» o el error del registro) y\n"
     "      Referencia Esperada. Al final dice en el error estándar cuántas son\n"
     "      válidas, no válidas y con error.\n"},
    {"codigos",
     "  vaviviv-cli codigos\n"
     "      Escribe los códigos de algoritmo, uno por línea.\n"},
    {"help",
     "  vaviviv-cli help [SUBORDEN]\n"
     "      Muestra esta ayuda, o la de un subcomando (como SUBORDEN --help).\n"},
};

// What every subcommand's help ends with.
QString Comun() {
    return QStringLiteral(
               "\n"
               "CODIGO: %1.\n"
               "--sucursal y --cuenta solo con 06; --importe y --fecha (DD/MM/AAAA,\n"
               "obligatoria) solo con 10. Las opciones pueden ir antes o después de los\n"
               "argumentos; tras «--» todo es argumento (para referencias que empiezan\n"
               "con «-»).\n"
               "\n"
               "Opciones:\n"
               "  -o SALIDA, --salida SALIDA, -oSALIDA\n"
               "      El archivo de resultados de masivo y verificar --archivo.\n"
               "  -q, --silencioso\n"
               "      Sin el avance (que en un terminal muestran las ejecuciones de más de un\n"
               "      segundo) ni el resumen final en el error estándar.\n"
               "  -h, --help\n"
               "      Esta ayuda; tras un subcomando, la de ese subcomando.\n")
        .arg(ListaDeCodigos());
}

}  // namespace

QString ConNombre(const QString& texto) {
    QString lineas;
    for (const QString& linea : texto.split(u'\n')) lineas += QStringLiteral("vaviviv-cli: ") + linea + u'\n';
    return lineas;
}

QString AyudaDe(const QString& subcomando) {
    for (const Suborden& s : kSubordenes)
        if (subcomando == QLatin1StringView(s.nombre)) return QStringLiteral("Uso:\n") + QString::fromUtf8(s.ayuda) + Comun();
    return {};
}

QString TextoAyuda() {
    QString usos;
    for (const Suborden& s : kSubordenes) usos += QString::fromUtf8(s.ayuda);
    return QStringLiteral("vaviviv-cli: calcula los dígitos verificadores de referencias bancarias.\n"
                          "\n"
                          "Uso:\n") +
           usos +
           QStringLiteral("  vaviviv-cli --version\n"
                          "      Muestra la versión.\n") +
           Comun() +
           QStringLiteral(
               "\n"
               "Ejemplos:\n"
               "  vaviviv-cli calcular 00 123456\n"
               "  vaviviv-cli calcular 06 890 --sucursal 123 --cuenta 4567\n"
               "  vaviviv-cli calcular 10 123456 --importe 123.45 --fecha 15/06/2000\n"
               "  vaviviv-cli masivo 00 referencias.txt -o resultados.txt\n"
               "  vaviviv-cli verificar 00 1234566\n"
               "  vaviviv-cli verificar 00 --archivo completas.txt -o verificacion.txt\n"
               "\n"
               "Salida: 0 correcto (en masivo y verificar --archivo, también con registros\n"
               "con error o no válidos); 1 datos no válidos, referencia no válida, o archivo\n"
               "o salida estándar que no se pudo leer o escribir; 2 uso incorrecto. Detenido\n"
               "por una señal (Ctrl+C), no deja archivos temporales.\n");
}

int Ejecutar(const QList<QByteArray>& argumentos, Consola& consola) {
    const auto leidos = LeerArgumentos(argumentos);
    if (const auto* error = std::get_if<QString>(&leidos)) return MalUso(consola, *error);
    const Argumentos& a = std::get<Argumentos>(leidos);
    // "help SUBORDEN" is "SUBORDEN --help".
    if (a.subcomando == u"help") {
        if (a.ayuda) return Mostrar(consola, AyudaDe(a.subcomando), kExito);
        if (a.posicionales.size() > 1) return MalUso(consola, SobraElArgumento(a.posicionales[1]));
        if (a.posicionales.isEmpty()) return Mostrar(consola, TextoAyuda(), kExito);
        const QString cual = Texto(a.posicionales[0]);
        if (AyudaDe(cual).isEmpty()) return MalUso(consola, SubcomandoDesconocido(cual));
        return Mostrar(consola, AyudaDe(cual), kExito);
    }
    if (a.ayuda && a.subcomando.isEmpty()) return Mostrar(consola, TextoAyuda(), kExito);
    if (a.ayuda && !AyudaDe(a.subcomando).isEmpty()) return Mostrar(consola, AyudaDe(a.subcomando), kExito);
    if (a.version && !a.subcomando.isEmpty()) return MalUso(consola, SobraElArgumento(a.subcomando.toUtf8()));
    if (a.version) return Mostrar(consola, QStringLiteral("vaviviv-cli " VAVIVIV_VERSION "\n"), kExito);
    if (a.subcomando == u"calcular") return Calcular(a, consola);
    if (a.subcomando == u"verificar") return a.opciones.contains("--archivo") ? VerificarArchivo(a, consola) : Verificar(a, consola);
    if (a.subcomando == u"masivo") return Masivo(a, consola);
    if (a.subcomando == u"codigos") {
        if (!a.posicionales.isEmpty()) return MalUso(consola, SobraElArgumento(a.posicionales[0]));
        return Mostrar(consola, ListaDeCodigos().replace(u' ', u'\n') + u'\n', kExito);
    }
    if (a.subcomando.isEmpty()) return MalUso(consola, QStringLiteral("Falta el subcomando: calcular, masivo o verificar."));
    return MalUso(consola, SubcomandoDesconocido(a.subcomando));
}

}  // namespace vaviviv::cli
