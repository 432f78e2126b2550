#include "masivo/archivo_entrada.h"

#include <algorithm>

namespace vaviviv {

namespace {

constexpr qint64 kBloque = 1 << 16;

qsizetype FinDeLinea(const QString& texto, qsizetype desde) {
    const QChar* p = texto.constData();
    for (qsizetype i = desde, n = texto.size(); i < n; ++i)
        if (p[i] == u'\n' || p[i] == u'\r') return i;
    return -1;
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
    if (inicio_) {
        // The byte-order mark needs three bytes to be seen.
        while (bytes.size() < 3 && leidos > 0) {
            char resto[3];
            leidos = entrada_.read(resto, 3 - bytes.size());
            if (leidos > 0) bytes.append(resto, leidos);
        }
        inicio_ = false;
        const bool utf8 = bytes.startsWith("\xEF\xBB\xBF");
        if (utf8) bytes.remove(0, 3);
        decodificador_ = utf8 ? QStringDecoder(QStringDecoder::Utf8) : QStringDecoder("windows-1252");
    }
    pendiente_.remove(0, posicion_);
    explorado_ = std::max<qsizetype>(0, explorado_ - posicion_);
    posicion_ = 0;
    if (bytes.isEmpty()) fin_ = true;
    pendiente_.append(decodificador_(bytes));
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
        const qsizetype fin = FinDeLinea(pendiente_, std::max(posicion_, explorado_));
        if (fin >= 0) {
            partir(QStringView(pendiente_).sliced(posicion_, fin - posicion_), registro);
            posicion_ = fin + 1;
            if (pendiente_[fin] == u'\r') crPendiente_ = true;
            return true;
        }
        explorado_ = pendiente_.size();
        if (fin_) {
            if (posicion_ >= pendiente_.size()) return false;
            partir(QStringView(pendiente_).sliced(posicion_), registro);
            posicion_ = pendiente_.size();
            return true;
        }
        if (!rellenar()) return false;
    }
}

}  // namespace vaviviv
