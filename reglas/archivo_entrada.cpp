#include "reglas/archivo_entrada.h"

#include <QLocale>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "reglas/error_sistema.h"
#include "reglas/texto.h"

namespace vaviviv {

namespace {

bool EsFin(char c) { return c == '\n' || c == '\r'; }

// A line of more bytes has more characters: a Windows-1252 character is a
// byte, a UTF-8 one at most four (a malformed byte reads as a U+FFFD of its own).
qsizetype BytesMaximos(bool utf8) { return utf8 ? 4 * kLineaMaxima : kLineaMaxima; }

// Whether a line (its bytes, without its end) is past the limit.
bool Larga(QByteArrayView linea, bool utf8) {
    return linea.size() > kLineaMaxima &&
           (linea.size() > BytesMaximos(utf8) ||
            ContarCaracteres(DesdeUtf8({linea.data(), std::size_t(linea.size())})) > kLineaMaxima);
}

// Just past the last line end at or after `desde`, or -1. A CR that ends the
// bytes counts only when nothing more can come: else an LF may follow it.
qsizetype TrasUltimoFin(const QByteArray& b, qsizetype desde, bool ultimos) {
    for (qsizetype i = b.size(); i-- > desde;) {
        if (b[i] == '\n' || (b[i] == '\r' && (ultimos || i + 1 < b.size()))) return i + 1;
    }
    return -1;
}

// The first line end at or after `desde`; the size when there is none.
qsizetype PrimerFin(QByteArrayView b, qsizetype desde) {
    return std::find_if(b.begin() + desde, b.end(), EsFin) - b.begin();
}

// Where the first line of `b` (whole lines, the last may lack its end) past
// the limit starts; -1 if none. Only more than kLineaMaxima bytes without a
// line end can be such a line: each stretch that long is searched from its far
// end back, so most bytes are never looked at, none twice.
qsizetype PrimeraLarga(QByteArrayView b, bool utf8) {
    qsizetype inicio = 0, buscado = 0;  // a line starts at `inicio`; no line end in [inicio, buscado)
    while (b.size() - inicio > kLineaMaxima) {
        const qsizetype tope = inicio + kLineaMaxima;  // the byte past a line of the limit
        const qsizetype desde = std::max(inicio, buscado);
        qsizetype i = tope;
        while (i >= desde && !EsFin(b[i])) --i;
        if (i < desde) {
            // More bytes than the limit: in UTF-8 they may still be within it in characters.
            i = PrimerFin(b, tope + 1);
            const QByteArrayView linea = b.sliced(inicio, i - inicio);
            if (Larga(linea, utf8)) return inicio;
            if (i == b.size()) return -1;
        }
        buscado = tope + 1;
        inicio = i + 1 + (b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n');
    }
    return -1;
}

// Line ends in b[i, fin): an LF, or a CR not followed by one (b[fin] may be
// looked at). One pass the compiler vectorises, counted in a byte 255 bytes
// at a time: a 64-bit count widened every byte and ran five times slower.
qsizetype ContarFines(QByteArrayView b, qsizetype i, qsizetype fin) {
    const auto* p = reinterpret_cast<const unsigned char*>(b.data());
    qsizetype fines = 0;
    while (i < fin) {
        const qsizetype hasta = i + std::min<qsizetype>(fin - i, 255);
        unsigned char tramo = 0;
        for (; i < hasta; ++i) tramo += (p[i] == '\n') | ((p[i] == '\r') & (p[i + 1] != '\n'));
        fines += tramo;
    }
    return fines;
}

// The bytes of the first `n` lines of `b` (whole lines, the last may lack its end).
qsizetype PrimerasLineas(QByteArrayView b, qsizetype n) {
    if (b.size() <= n) return b.size();  // every line but the last takes a byte at least
    // Counted a stretch at a time, vectorised; byte by byte only in the
    // stretch where the n-th line ends.
    constexpr qsizetype kTramo = 4096;
    qsizetype i = 0;
    for (qsizetype hasta; (hasta = std::min(i + kTramo, b.size() - 1)) > i; i = hasta) {
        const qsizetype fines = ContarFines(b, i, hasta);
        if (fines >= n) break;
        n -= fines;
    }
    for (; i < b.size(); ++i) {
        if (!EsFin(b[i])) continue;
        if (b[i] == '\r' && i + 1 < b.size() && b[i + 1] == '\n') ++i;
        if (--n == 0) return i + 1;
    }
    return b.size();  // the last byte aside, fewer: at most n lines with it
}

// The separator of a CSV file, `b` from its start: ';' if its first record
// holds one outside quotes, else ','; 0 when the bytes end first and more may
// come. Any quote opens or closes here: for a separator to be told from a
// character, a doubled quote is as good as none.
char SeparadorCsv(QByteArrayView b, bool ultimos) {
    bool citado = false;
    for (const char c : b) {
        if (c == '"') {
            citado = !citado;
        } else if (!citado) {
            if (c == ';') return ';';
            if (EsFin(c)) return ',';
        }
    }
    return ultimos ? ',' : 0;
}

// Where the CSV record that starts at `i` ends: its line end, or -1 if the
// bytes end first. A quote opens a field's text only where the field opens.
qsizetype FinRegistroCsv(QByteArrayView b, qsizetype i, char separador) {
    bool abre = true, citado = false, cerrado = false;  // cerrado: just past a closing quote
    for (; i < b.size(); ++i) {
        const char c = b[i];
        if (citado) {
            if (c == '"') citado = false, cerrado = true;
            continue;
        }
        if (c == '"' && (abre || cerrado)) {  // after a closing quote: a doubled quote
            citado = true;
            abre = cerrado = false;
            continue;
        }
        if (EsFin(c)) return i;
        abre = c == separador;
        cerrado = false;
    }
    return -1;
}

// The bytes of the first `n` whole CSV records of `b`, which starts at one.
// `ultimos`: nothing more comes, so a CR last ends its record; `final`: the
// input ends there, and so does the last record. `larga`: whether the record
// after them is past the limit.
qsizetype RegistrosCsv(QByteArrayView b, char separador, qsizetype n, bool ultimos, bool final, bool utf8, bool& larga) {
    qsizetype inicio = 0;
    larga = false;
    for (; n > 0 && inicio < b.size(); --n) {
        qsizetype fin = FinRegistroCsv(b, inicio, separador), tras;
        if (fin < 0) {
            if (!final) break;
            fin = tras = b.size();
        } else if (b[fin] == '\r' && fin + 1 == b.size() && !ultimos) {
            break;  // an LF may follow
        } else {
            tras = fin + 1 + (b[fin] == '\r' && fin + 1 < b.size() && b[fin + 1] == '\n');
        }
        if (Larga(b.sliced(inicio, fin - inicio), utf8)) {
            larga = true;
            break;
        }
        inicio = tras;
    }
    return inicio;
}

}  // namespace

bool EsArchivoCsv(QStringView ruta) {
    return ruta.endsWith(u".csv", Qt::CaseInsensitive);
}

LineaBytes PartidorCsv::operator()(const char*& p, const char* const fin) {
    LineaBytes linea;
    unsigned alto = 0;
    const auto corta = [this](char c) { return c == separador_ || c == '\n' || c == '\r'; };
    for (std::size_t campo = 0;; ++campo) {
        const bool guardado = campo < 3;
        std::string_view texto;
        if (p < fin && *p == '"') {
            std::string& citado = citados_[std::min<std::size_t>(campo, 2)];
            if (guardado) citado.clear();
            for (++p; p < fin; ++p) {
                if (*p == '"') {
                    if (p + 1 == fin || p[1] != '"') break;
                    ++p;
                }
                if (guardado) citado += *p;
            }
            if (p < fin) ++p;  // the closing quote
            for (; p < fin && !corta(*p); ++p)
                if (guardado) citado += *p;
            texto = citado;
        } else {
            const char* inicio = p;
            while (p < fin && !corta(*p)) ++p;
            texto = {inicio, std::size_t(p - inicio)};
        }
        if (guardado) {
            linea.campos[campo] = texto;
            for (const char c : texto) alto |= static_cast<unsigned char>(c);
        }
        if (p == fin || *p != separador_) break;
        ++p;
    }
    if (p < fin) p += (*p == '\r' && p + 1 < fin && p[1] == '\n') ? 2 : 1;
    linea.ascii = alto < 0x80;
    return linea;
}

QString MensajeLineaLarga(qint64 linea) {
    return QStringLiteral("La línea %1 tiene más de %2 caracteres").arg(linea).arg(QLocale(QLocale::English).toString(kLineaMaxima));
}

LectorBloques::LectorBloques(QIODevice& entrada, qsizetype lectura, qsizetype lineas, bool csv)
    : entrada_(entrada), lectura_(lectura), lineas_(lineas), separador_(csv ? 0 : '\t') {
    // The most ever pending: the start of a line, a CR that may be its end, one read.
    pendiente_.reserve(BytesMaximos(true) + 1 + lectura_);
}

void LectorBloques::leer() {
    // No whole line pending: what is, is the start of one, and past the limit in bytes it is no record.
    if (pendiente_.size() - entregados_ - qsizetype(pendiente_.endsWith('\r')) > BytesMaximos(utf8_)) {
        lineaLarga_ = parado_ = true;
        return;
    }
    // Moved to the front in place (QByteArray::remove would leave the room at the front unused).
    const qsizetype resto = pendiente_.size() - entregados_;
    std::memmove(pendiente_.data(), pendiente_.constData() + entregados_, std::size_t(resto));
    pendiente_.resize(resto);
    entregados_ = enteras_ = 0;

    pendiente_.resize(resto + lectura_);
    errno = 0;
    const qint64 n = entrada_.read(pendiente_.data() + resto, lectura_);
    const int numero = errno;
    pendiente_.resize(resto + std::max<qint64>(n, 0));
    if (n < 0) {
        // The system's reason in Spanish where it left one; else the device's own words.
        errorDispositivo_ = numero != 0 ? DescripcionError(numero) : entrada_.errorString();
        if (errorDispositivo_.isEmpty()) errorDispositivo_ = QStringLiteral("Error de lectura");
    }
    // Only a read that gives nothing ends the input: a device may hand out a few bytes at a time.
    parado_ = n <= 0;
    qsizetype desde = std::max<qsizetype>(resto - 1, 0);  // a CR left at the end may now end its line
    if (inicio_) {
        if (pendiente_.size() < 3 && !parado_) return;  // the byte-order mark needs three bytes to be seen
        inicio_ = false;
        utf8_ = pendiente_.startsWith("\xEF\xBB\xBF");
        desde = entregados_ = enteras_ = utf8_ ? 3 : 0;
    }
    // The end of the input ends the last line; a read that fails keeps what came before it up to its last line end.
    enteras_ = n == 0 ? pendiente_.size() : std::max(TrasUltimoFin(pendiente_, desde, n < 0), entregados_);
}

bool LectorBloques::siguiente(QByteArray& bloque) {
    if (separador_ != '\t') return siguienteCsv(bloque);
    for (;;) {
        if (enteras_ > entregados_) {
            const QByteArrayView enteras = QByteArrayView(pendiente_).sliced(entregados_, enteras_ - entregados_);
            qsizetype corte = PrimerasLineas(enteras, lineas_);
            if (const qsizetype larga = PrimeraLarga(enteras.first(corte), utf8_); larga >= 0) {
                // The lines before it go out; reading stops at it.
                lineaLarga_ = parado_ = true;
                corte = larga;
                enteras_ = entregados_ + larga;
                if (corte == 0) continue;
            }
            return entregar(bloque, corte);
        }
        if (parado_) {
            agotado_ = true;
            return false;
        }
        leer();
    }
}

// Line ends do not say where a CSV record ends: the records are found from
// the first one pending each time, and leer() is called only when none is
// whole, so that what is pending is the start of one, as with lines.
bool LectorBloques::siguienteCsv(QByteArray& bloque) {
    for (;;) {
        const QByteArrayView resto = QByteArrayView(pendiente_).sliced(entregados_);
        if (!inicio_ && !resto.isEmpty()) {
            if (separador_ == 0 && (separador_ = SeparadorCsv(resto, parado_)) == 0) {
                leer();
                continue;
            }
            const bool final = parado_ && !lineaLarga_ && errorDispositivo_.isEmpty();
            bool larga = false;
            const qsizetype corte = RegistrosCsv(resto, separador_, lineas_, parado_, final, utf8_, larga);
            if (larga) {
                // The records before it go out; reading stops at it.
                lineaLarga_ = parado_ = true;
                pendiente_.truncate(entregados_ + corte);
            }
            if (corte > 0) return entregar(bloque, corte);
        }
        if (parado_) {
            agotado_ = true;
            return false;
        }
        leer();
    }
}

bool LectorBloques::entregar(QByteArray& bloque, qsizetype bytes) {
    bloque.resize(bytes);
    std::memcpy(bloque.data(), pendiente_.constData() + entregados_, std::size_t(bytes));
    entregados_ += bytes;
    return true;
}

QString LectorBloques::error(qint64 lineas) const {
    if (!agotado_) return {};
    return lineaLarga_ ? MensajeLineaLarga(lineas + 1) : errorDispositivo_;
}

DecodificadorCampos::DecodificadorCampos(bool utf8) : utf8_(utf8), windows1252_("windows-1252") {}

QString DecodificadorCampos::operator()(std::string_view campo, bool ascii) {
    if (ascii) return QString::fromLatin1(campo.data(), qsizetype(campo.size()));
    if (utf8_) return DesdeUtf8(campo);
    return windows1252_(QByteArrayView(campo.data(), qsizetype(campo.size())));
}

LectorEntrada::LectorEntrada(QIODevice& entrada, bool csv)
    : bloques_(entrada, kBloqueEntrada, std::numeric_limits<qsizetype>::max(), csv) {}

bool LectorEntrada::siguiente(Registro& registro) {
    while (siguiente_ == fin_) {
        if (!bloques_.siguiente(bloque_)) return false;
        if (!decodificador_) decodificador_.emplace(bloques_.utf8());
        if (!csv_ && bloques_.separador() != '\t') csv_.emplace(bloques_.separador());
        siguiente_ = bloque_.constData();
        fin_ = siguiente_ + bloque_.size();
    }
    const LineaBytes linea = csv_ ? (*csv_)(siguiente_, fin_) : PartirLinea(siguiente_, fin_);
    for (std::size_t i = 0; i < 3; ++i) registro.campos[i] = (*decodificador_)(linea.campos[i], linea.ascii);
    ++lineas_;
    return true;
}

QString LectorEntrada::error() const {
    return bloques_.error(lineas_);
}

}  // namespace vaviviv
