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
    const auto& repertorio = Repertorio();
    // Qt's encoder writes 0x1A for what the code page lacks; "?" reads better.
    QString sustituido;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (repertorio.test(texto[i].unicode())) continue;
        sustituido.reserve(texto.size());
        sustituido.append(texto.first(i));
        for (; i < texto.size(); ++i) {
            const QChar c = texto[i];
            if (c.isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate()) ++i;
            sustituido.append(repertorio.test(c.unicode()) ? c : QChar(u'?'));
        }
        break;
    }
    destino.append(codificador_(sustituido.isNull() ? texto : QStringView(sustituido)));
}

}  // namespace vaviviv
