#include "reglas/archivo_entrada.h"

#include <QLocale>
#include <algorithm>

#include "reglas/texto.h"

namespace vaviviv {

namespace {

constexpr qint64 kBloque = 1 << 16;

// The next line end from `desde`, or -1; adds the second halves of the
// surrogate pairs it passes to `pares`, so that lengths count characters.
qsizetype FinDeLinea(const QString& texto, qsizetype desde, qsizetype& pares) {
    const QChar* p = texto.constData();
    for (qsizetype i = desde, n = texto.size(); i < n; ++i) {
        if (p[i] == u'\n' || p[i] == u'\r') return i;
        if (p[i].isLowSurrogate()) ++pares;
    }
    return -1;
}

// Where the bytes stop being whole UTF-8 sequences: before a lead byte at
// the end whose sequence is still incomplete.
qsizetype CorteUtf8(const QByteArray& b) {
    const auto byte = [&b](qsizetype i) { return static_cast<unsigned char>(b[i]); };
    qsizetype i = b.size();
    while (i > 0 && b.size() - i < 3 && (byte(i - 1) & 0xC0) == 0x80) --i;
    if (i == 0) return b.size();
    const unsigned char lider = byte(i - 1);
    const qsizetype largo = lider >= 0xF8 ? 1 : lider >= 0xF0 ? 4 : lider >= 0xE0 ? 3 : lider >= 0xC0 ? 2 : 1;
    return b.size() - (i - 1) < largo ? i - 1 : b.size();
}

}  // namespace

LectorEntrada::LectorEntrada(QIODevice& entrada) : entrada_(entrada) {}

bool LectorEntrada::rellenar() {
    QByteArray bytes(kBloque, Qt::Uninitialized);
    qint64 leidos = entrada_.read(bytes.data(), kBloque);
    if (leidos < 0) {
        error_ = entrada_.errorString();
        if (error_.isEmpty()) error_ = QStringLiteral("Error de lectura");
        fin_ = true;
        return false;
    }
    bytes.truncate(leidos);
    // Only a read that gives nothing ends the input: a first read may hold
    // just the byte-order mark.
    const bool agotada = leidos == 0;
    if (inicio_) {
        // The byte-order mark needs three bytes to be seen.
        while (bytes.size() < 3 && leidos > 0) {
            char resto[3];
            leidos = entrada_.read(resto, 3 - bytes.size());
            if (leidos > 0) bytes.append(resto, leidos);
        }
        inicio_ = false;
        utf8_ = bytes.startsWith("\xEF\xBB\xBF");
        if (utf8_) bytes.remove(0, 3);
        else decodificador_ = QStringDecoder("windows-1252");
    }
    pendiente_.remove(0, posicion_);
    explorado_ = std::max<qsizetype>(0, explorado_ - posicion_);
    posicion_ = 0;
    if (agotada) fin_ = true;
    if (!utf8_) {
        pendiente_.append(decodificador_(bytes));
        return true;
    }
    // Qt's UTF-8 decoder, carried across calls, drops what follows a malformed
    // sequence cut at the end of a call; so each chunk is decoded on its own,
    // and a sequence the chunk ends in the middle of waits for the next one.
    bytes.prepend(arrastre_);
    arrastre_.clear();
    if (!fin_) {
        const qsizetype corte = CorteUtf8(bytes);
        arrastre_ = bytes.sliced(corte);
        bytes.truncate(corte);
    }
    pendiente_.append(DesdeUtf8(Vista(bytes)));
    return true;
}

// Past the limit the file is not a list of references (a binary file, or one
// without line ends) and holding the line would take memory without bound.
bool LectorEntrada::demasiadoLarga(qsizetype largo) {
    if (largo <= kLineaMaxima) return false;
    error_ = QStringLiteral("La línea %1 pasa de %2 caracteres; el archivo no parece de texto.")
                 .arg(lineas_ + 1)
                 .arg(QLocale(QLocale::English).toString(kLineaMaxima));
    fin_ = true;
    return true;
}

void LectorEntrada::partir(QStringView linea, Registro& registro) const {
    qsizetype campo = 0;
    for (auto& c : registro.campos) c.clear();
    while (campo < 3) {
        const qsizetype tab = linea.indexOf(u'\t');
        registro.campos[campo++] = (tab < 0 ? linea : linea.first(tab)).toString();
        if (tab < 0) break;
        linea = linea.sliced(tab + 1);
    }
}

bool LectorEntrada::siguiente(Registro& registro) {
    if (!error_.isEmpty()) return false;  // never hand out part of a failed read
    for (;;) {
        if (crPendiente_) {
            // A CR ended the previous chunk: an LF right after it is the same line end.
            if (posicion_ < pendiente_.size()) {
                if (pendiente_[posicion_] == u'\n') ++posicion_;
                crPendiente_ = false;
            } else if (fin_) {
                crPendiente_ = false;
            } else if (!rellenar()) {
                return false;
            }
            continue;
        }
        const qsizetype fin = FinDeLinea(pendiente_, std::max(posicion_, explorado_), pares_);
        if (fin >= 0) {
            if (demasiadoLarga(fin - posicion_ - pares_)) return false;
            partir(QStringView(pendiente_).sliced(posicion_, fin - posicion_), registro);
            ++lineas_;
            pares_ = 0;
            posicion_ = fin + 1;
            if (pendiente_[fin] == u'\r') crPendiente_ = true;
            return true;
        }
        explorado_ = pendiente_.size();
        if (demasiadoLarga(pendiente_.size() - posicion_ - pares_)) return false;
        if (fin_) {
            if (posicion_ >= pendiente_.size()) return false;
            partir(QStringView(pendiente_).sliced(posicion_), registro);
            posicion_ = pendiente_.size();
            ++lineas_;
            pares_ = 0;
            return true;
        }
        if (!rellenar()) return false;
    }
}

}  // namespace vaviviv
