#include "reglas/archivo_entrada.h"

#include <QLocale>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "reglas/error_sistema.h"
#include "reglas/texto.h"

namespace vaviviv {

namespace {

// Where the bytes stop being whole UTF-8 sequences: before a lead byte at
// the end whose sequence is still incomplete.
qsizetype CorteUtf8(QByteArrayView b) {
    const auto byte = [&b](qsizetype i) { return static_cast<unsigned char>(b[i]); };
    qsizetype i = b.size();
    while (i > 0 && b.size() - i < 3 && (byte(i - 1) & 0xC0) == 0x80) --i;
    if (i == 0) return b.size();
    const unsigned char lider = byte(i - 1);
    const qsizetype largo = lider >= 0xF8 ? 1 : lider >= 0xF0 ? 4 : lider >= 0xE0 ? 3 : lider >= 0xC0 ? 2 : 1;
    return b.size() - (i - 1) < largo ? i - 1 : b.size();
}

bool EsFin(char c) { return c == '\n' || c == '\r'; }

// Just past the last line end at or after `desde`, or -1. A CR that ends the
// bytes counts only when nothing more can come: else an LF may follow it.
qsizetype TrasUltimoFin(const QByteArray& b, qsizetype desde, bool ultimos) {
    for (qsizetype i = b.size(); i-- > desde;) {
        if (b[i] == '\n' || (b[i] == '\r' && (ultimos || i + 1 < b.size()))) return i + 1;
    }
    return -1;
}

// The first line end at or after `desde`; the size when there is none.
qsizetype PrimerFin(const QByteArray& b, qsizetype desde) {
    const auto* p = std::find_if(b.cbegin() + desde, b.cend(), EsFin);
    return p - b.cbegin();
}

}  // namespace

QString MensajeLineaLarga(qint64 linea) {
    return QStringLiteral("La línea %1 pasa de %2 caracteres; el archivo no parece de texto.")
        .arg(linea)
        .arg(QLocale(QLocale::English).toString(kLineaMaxima));
}

LectorBloques::LectorBloques(QIODevice& entrada, qsizetype lectura) : entrada_(entrada), lectura_(lectura) {}

qint64 LectorBloques::leer() {
    const qsizetype antes = pendiente_.size();
    pendiente_.resize(antes + lectura_);
    errno = 0;
    const qint64 n = entrada_.read(pendiente_.data() + antes, lectura_);
    const int numero = errno;
    pendiente_.resize(antes + std::max<qint64>(n, 0));
    if (n < 0) {
        // The system's reason in Spanish where it left one; else the device's own words.
        errorDispositivo_ = numero != 0 ? DescripcionError(numero) : entrada_.errorString();
        if (errorDispositivo_.isEmpty()) errorDispositivo_ = QStringLiteral("Error de lectura");
    }
    // Only a read that gives nothing ends the input: a device may hand out a few bytes at a time.
    if (n == 0) fin_ = true;
    return n;
}

// Past the limit the file is not a list of references (a binary file, or one
// without line ends) and holding the line would take memory without bound.
// `hasta`: the bytes of the first pending line seen so far; `completa`: its end among them.
bool LectorBloques::demasiadoLarga(qsizetype hasta, bool completa) {
    if (hasta <= kLineaMaxima) return false;  // a character takes at least a byte
    if (utf8_) {
        // Counted as decoded, a block at a time and only once, cut between whole sequences.
        const qsizetype corte = completa ? hasta : CorteUtf8(QByteArrayView(pendiente_).first(hasta));
        while (contados_ < corte) {
            qsizetype trozo = std::min(corte - contados_, lectura_);
            if (contados_ + trozo < corte) trozo = CorteUtf8(QByteArrayView(pendiente_).sliced(contados_, trozo));
            caracteres_ += ContarCaracteres(DesdeUtf8({pendiente_.constData() + contados_, std::size_t(trozo)}));
            contados_ += trozo;
        }
        if (caracteres_ <= kLineaMaxima) return false;
    }
    lineaLarga_ = true;
    return true;
}

bool LectorBloques::siguiente(QByteArray& bloque) {
    if (fallo()) return false;
    const auto entregar = [&](qsizetype corte) {
        bloque.resize(corte);
        std::memcpy(bloque.data(), pendiente_.constData(), std::size_t(corte));
        pendiente_.remove(0, corte);
        if (pendiente_.capacity() > 4 * lectura_) pendiente_.squeeze();  // after a long line
        contados_ = caracteres_ = 0;
        return true;
    };
    for (;;) {
        const qsizetype antes = pendiente_.size();
        bool fallida = !fin_ && leer() < 0;
        qsizetype desde = std::max<qsizetype>(antes - 1, 0);  // a CR left at the end may now end its line
        if (inicio_) {
            // The byte-order mark needs three bytes to be seen.
            while (!fallida && pendiente_.size() < 3 && !fin_) fallida = leer() < 0;
            inicio_ = false;
            utf8_ = pendiente_.startsWith("\xEF\xBB\xBF");
            if (utf8_) pendiente_.remove(0, 3);
            desde = 0;
        }
        if (fallida) {
            // What was read before the failure stays read, up to its last line end.
            const qsizetype corte = TrasUltimoFin(pendiente_, 0, true);
            return corte > 0 && entregar(corte);
        }
        // Only a line that began in an earlier read can pass the limit.
        if (antes > 0) {
            const qsizetype fin = PrimerFin(pendiente_, desde);
            if (demasiadoLarga(fin, fin < pendiente_.size() || fin_)) return false;  // the input's end ends it too
        }
        const qsizetype corte = fin_ ? pendiente_.size() : TrasUltimoFin(pendiente_, desde, false);
        if (fin_ && corte == 0) return false;
        if (corte > 0) return entregar(corte);
    }
}

DecodificadorCampos::DecodificadorCampos(bool utf8) : utf8_(utf8), windows1252_("windows-1252") {}

QString DecodificadorCampos::operator()(std::string_view campo, bool ascii) {
    if (ascii) return QString::fromLatin1(campo.data(), qsizetype(campo.size()));
    if (utf8_) return DesdeUtf8(campo);
    return windows1252_(QByteArrayView(campo.data(), qsizetype(campo.size())));
}

LectorEntrada::LectorEntrada(QIODevice& entrada) : bloques_(entrada) {}

bool LectorEntrada::siguiente(Registro& registro) {
    while (siguiente_ == fin_) {
        if (!bloques_.siguiente(bloque_)) return false;
        if (!decodificador_) decodificador_.emplace(bloques_.utf8());
        siguiente_ = bloque_.constData();
        fin_ = siguiente_ + bloque_.size();
    }
    const LineaBytes linea = PartirLinea(siguiente_, fin_);
    for (std::size_t i = 0; i < 3; ++i) registro.campos[i] = (*decodificador_)(linea.campos[i], linea.ascii);
    ++lineas_;
    return true;
}

QString LectorEntrada::error() const {
    return bloques_.error(lineas_);
}

}  // namespace vaviviv
