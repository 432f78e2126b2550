#include "reglas/libro_resultados.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>

#include "reglas/archivo_resultados.h"
#include "reglas/codificacion.h"
#include "reglas/error_sistema.h"

#if VAVIVIV_XLSX
#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cstdio>
#endif

namespace vaviviv {

namespace {

// Column widths in the sheet's units (a digit of its font); the widest it takes.
constexpr qsizetype kMargenAncho = 2;
constexpr qsizetype kAnchoMaximo = 255;

// Where a results row ends: its last cell's tab, then the line end.
const QByteArray kFinDeFila = QByteArray(1, kTrasCelda) + QByteArray(kFinDeLinea.data(), qsizetype(kFinDeLinea.size()));

}  // namespace

bool EsNombreDeLibro(const QByteArray& ruta) { return ruta.toLower().endsWith(".xlsx"); }
bool EsNombreDeLibro(const QString& ruta) { return ruta.endsWith(u".xlsx", Qt::CaseInsensitive); }

bool LibrosDisponibles() { return VAVIVIV_XLSX != 0; }

QString TextoSinLibros() {
    return QStringLiteral("Esta versión de VaviviV no puede escribir libros .xlsx (se compiló sin libxlsxwriter); "
                          "guarde los resultados con otra extensión, como .txt");
}

QString TextoLibroSinArchivo() {
    return QStringLiteral("Un libro .xlsx solo se puede guardar en un archivo, no en un dispositivo, una tubería "
                          "ni la salida estándar");
}

#if VAVIVIV_XLSX

struct LibroResultados::Libro {
    lxw_workbook* libro = nullptr;
    lxw_worksheet* hoja = nullptr;
    lxw_format* texto = nullptr;
    lxw_format* cabecera = nullptr;
    QByteArray temporales;  // the library keeps the pointer
    std::string celda;      // a cell's UTF-8 with its terminating NUL

    ~Libro() {
        if (libro) lxw_workbook_free(libro);
    }
};

LibroResultados::LibroResultados(const QByteArray& archivo) : libro_(std::make_unique<Libro>()) {
    libro_->temporales = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options opciones{};
    opciones.constant_memory = LXW_TRUE;
    opciones.tmpdir = libro_->temporales.data();
    libro_->libro = workbook_new_opt(archivo.constData(), &opciones);
    if (libro_->libro) libro_->hoja = workbook_add_worksheet(libro_->libro, nullptr);
    if (libro_->hoja) {
        // Text, not General: a cell the user edits stays text too, zeros and all.
        libro_->texto = workbook_add_format(libro_->libro);
        format_set_num_format(libro_->texto, "@");
        libro_->cabecera = workbook_add_format(libro_->libro);
        format_set_num_format(libro_->cabecera, "@");
        format_set_bold(libro_->cabecera);
        worksheet_freeze_panes(libro_->hoja, 1, 0);
    }
    if (!libro_->hoja || !libro_->texto || !libro_->cabecera) fallar(DescripcionError(ENOMEM), ENOMEM);
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

#else

struct LibroResultados::Libro {};

LibroResultados::LibroResultados(const QByteArray&) {
    fallar(TextoSinLibros());
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

#endif

LibroResultados::~LibroResultados() = default;

bool LibroResultados::fallar(const QString& texto, int numero) {
    if (!fallido_) {
        fallido_ = true;
        numero_ = numero;
        setErrorString(texto);
    }
    return false;
}

qint64 LibroResultados::writeData(const char* datos, qint64 n) {
    // errno as the failure left it: the writer takes it for the reason.
    if (fallido_ || !(pendiente_.append(datos, n), separar(false))) {
        errno = numero_;
        return -1;
    }
    return n;
}

// The header is the first line; then each row ends at its last cell's tab
// and the line end, so that a cell may hold a line end of its own.
bool LibroResultados::separar(bool final) {
    qsizetype desde = 0;
    for (;;) {
        const bool cabecera = fila_ == 0;
        const QByteArrayView fin = cabecera ? QByteArrayView(kFinDeLinea.data(), qsizetype(kFinDeLinea.size())) : kFinDeFila;
        const qsizetype hasta = pendiente_.indexOf(fin, desde);
        if (hasta < 0) break;
        const qsizetype tras = cabecera ? hasta : hasta + 1;  // a row keeps its last tab: it ends a cell
        if (!fila(QByteArrayView(pendiente_).sliced(desde, tras - desde), cabecera)) return false;
        desde = hasta + fin.size();
    }
    pendiente_.remove(0, desde);
    if (final && !pendiente_.isEmpty()) {
        if (!fila(pendiente_, fila_ == 0)) return false;
        pendiente_.clear();
    }
    return true;
}

// A header's cells are separated by tabs; a row's cells each end in one.
bool LibroResultados::fila(QByteArrayView linea, bool cabecera) {
    if (fila_ >= kFilasLibro)
        return fallar(QStringLiteral("Los resultados y su cabecera pasan de %1 filas, las que caben en una hoja de un libro .xlsx; "
                                     "guárdelos con otra extensión, como .txt")
                          .arg(kFilasLibro));
    int columna = 0;
    qsizetype desde = 0;
    for (;;) {
        const qsizetype tab = linea.indexOf(kTrasCelda, desde);
        if (tab < 0) {
            if ((cabecera || desde < linea.size()) && !celda(columna, linea.sliced(desde))) return false;
            break;
        }
        if (!celda(columna++, linea.sliced(desde, tab - desde))) return false;
        desde = tab + 1;
    }
    ++fila_;
    return true;
}

#if VAVIVIV_XLSX

namespace {

bool Ascii(QByteArrayView bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

// The library prints its failures on standard error, in English, before the
// caller can tell them in Spanish: while it closes, that goes to /dev/null.
// (A closed standard error was opened on /dev/null at start: descriptors.h.)
class SinMensajesDeLaBiblioteca {
public:
    SinMensajesDeLaBiblioteca() {
        std::fflush(stderr);
        const int nulo = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        guardado_ = nulo < 0 ? -1 : ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
        if (guardado_ >= 0 && ::dup2(nulo, STDERR_FILENO) < 0) Cerrar(guardado_);
        if (nulo >= 0) ::close(nulo);
    }
    ~SinMensajesDeLaBiblioteca() {
        if (guardado_ < 0) return;
        std::fflush(stderr);
        const int numero = errno;  // what the library's failure left
        ::dup2(guardado_, STDERR_FILENO);
        Cerrar(guardado_);
        errno = numero;
    }
    SinMensajesDeLaBiblioteca(const SinMensajesDeLaBiblioteca&) = delete;
    SinMensajesDeLaBiblioteca& operator=(const SinMensajesDeLaBiblioteca&) = delete;

private:
    static void Cerrar(int& fd) {
        ::close(fd);
        fd = -1;
    }
    int guardado_ = -1;
};

bool LibroResultados::celda(int columna, QByteArrayView bytes) {
    qsizetype caracteres = bytes.size();  // one byte a character in the code page
    std::string& texto = libro_->celda;
    if (Ascii(bytes)) {
        texto.assign(bytes.data(), std::size_t(bytes.size()));
    } else {
        const QByteArray utf8 = DecodificarWindows1252(bytes).toUtf8();
        texto.assign(utf8.constData(), std::size_t(utf8.size()));
    }
    if (caracteres > kCaracteresCelda)
        return fallar(QStringLiteral("La fila %1 tiene una celda de más de %2 caracteres, los que caben en una celda "
                                     "de un libro .xlsx; guarde los resultados con otra extensión, como .txt")
                          .arg(fila_ + 1)
                          .arg(kCaracteresCelda));
    if (columna >= int(anchos_.size())) anchos_.resize(std::size_t(columna) + 1, 0);
    anchos_[std::size_t(columna)] = std::max(anchos_[std::size_t(columna)], caracteres);
    lxw_format* formato = fila_ == 0 ? libro_->cabecera : libro_->texto;
    errno = 0;
    const lxw_error e = worksheet_write_string(libro_->hoja, lxw_row_t(fila_), lxw_col_t(columna), texto.c_str(), formato);
    if (e != LXW_NO_ERROR) return fallar(QStringLiteral("No se pudo escribir el libro: %1").arg(QString::fromUtf8(lxw_strerror(e))), errno);
    return true;
}

bool LibroResultados::terminar() {
    if (!fallido_) separar(true);
    if (fallido_) return false;
    for (std::size_t c = 0; c < anchos_.size(); ++c)
        worksheet_set_column(libro_->hoja, lxw_col_t(c), lxw_col_t(c),
                             double(std::min(anchos_[c] + kMargenAncho, kAnchoMaximo)), nullptr);
    lxw_error e;
    int numero;
    {
        const SinMensajesDeLaBiblioteca sinMensajes;
        errno = 0;
        e = workbook_close(std::exchange(libro_->libro, nullptr));
        numero = errno;
    }
    if (e == LXW_NO_ERROR) return true;
    return fallar(numero != 0 ? DescripcionError(numero)
                              : QStringLiteral("No se pudo escribir el libro: %1").arg(QString::fromUtf8(lxw_strerror(e))),
                  numero);
}

#else

bool LibroResultados::celda(int, QByteArrayView) { return false; }
bool LibroResultados::terminar() { return false; }

#endif

}  // namespace vaviviv
