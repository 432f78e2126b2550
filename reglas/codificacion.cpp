#include "reglas/codificacion.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <bitset>

namespace vaviviv {

namespace {

constexpr auto kNombre = "windows-1252";

// The code page's repertoire, learnt from Qt's own decoder so that encoding
// agrees with it for every byte value.
const std::bitset<0x10000>& Repertorio() {
    static const auto repertorio = [] {
        std::bitset<0x10000> r;
        QByteArray todos(256, '\0');
        for (int i = 0; i < 256; ++i) todos[i] = char(i);
        QStringDecoder decodificador(kNombre);
        for (QChar c : QString(decodificador(todos))) r.set(c.unicode());
        return r;
    }();
    return repertorio;
}

}  // namespace

QString DecodificarWindows1252(QByteArrayView bytes) {
    QStringDecoder decodificador(kNombre);
    return decodificador(bytes);
}

CodificadorWindows1252::CodificadorWindows1252() : codificador_(kNombre) {}

void CodificadorWindows1252::codificar(QStringView texto, QByteArray& destino) {
    // ASCII and U+00A0-U+00FF have the same byte in the code page: most text
    // never reaches the encoder.
    const qsizetype base = destino.size();
    destino.resize(base + texto.size());
    char* bytes = destino.data() + base;
    qsizetype i = 0;
    for (const qsizetype n = texto.size(); i < n; ++i) {
        const char16_t c = texto[i].unicode();
        if (c >= 0x80 && (c < 0xA0 || c > 0xFF)) break;
        bytes[i] = char(c);
    }
    destino.truncate(base + i);
    if (i == texto.size()) return;
    texto = texto.sliced(i);

    const auto& repertorio = Repertorio();
    // Qt's encoder writes 0x1A for what the code page lacks; "?" reads better.
    QString sustituido;
    for (qsizetype j = 0; j < texto.size(); ++j) {
        if (repertorio.test(texto[j].unicode())) continue;
        sustituido.reserve(texto.size());
        sustituido.append(texto.first(j));
        for (; j < texto.size(); ++j) {
            const QChar c = texto[j];
            if (c.isHighSurrogate() && j + 1 < texto.size() && texto[j + 1].isLowSurrogate()) ++j;
            sustituido.append(repertorio.test(c.unicode()) ? c : QChar(u'?'));
        }
        break;
    }
    destino.append(codificador_(sustituido.isNull() ? texto : QStringView(sustituido)));
}

}  // namespace vaviviv
