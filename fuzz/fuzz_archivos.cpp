// The input file reader and the results writer on any bytes. The records are
// those of a plain reading of the whole file up to the first line past the
// limit, where reading stops with its reason, however the device cuts the bytes
// (the first byte sets its reads). Written as a results file and read again,
// each cell comes back (of a UTF-8 file, each cell of ASCII). After 0xFF and up
// to 3 bytes come kLineaMaxima - 1 more: the last line falls either side of the
// limit. After 0xFE, two bytes give a length from 32,000 to 163,070 bytes and
// the rest is repeated to it: lines of any characters about the limit, in up
// to more than four bytes each.
//
// The same bytes are then read as a CSV file and held against a plain
// reading of it: the separator from the first record, each field parsed from
// the whole file, its quotes undone, then decoded; records up to the first
// past the limit.

#include <QBuffer>
#include <QStringDecoder>
#include <vector>

#include "fuzz/comun.h"
#include "fuzz/dispositivo_troceado.h"
#include "reglas/archivo_entrada.h"
#include "reglas/archivo_resultados.h"

namespace {

using namespace vaviviv;
using Fila = std::array<QString, 3>;

std::pair<std::vector<Fila>, QString> Leer(QIODevice& d, bool csv = false) {
    LectorEntrada lector(d, csv);
    std::vector<Fila> filas;
    for (Registro r; lector.siguiente(r);) filas.push_back(r.campos);
    return {filas, lector.error()};
}

// One byte-order mark makes the file UTF-8; CR LF, CR and LF each end a line.
QStringList Lineas(const QByteArray& b) {
    const auto utf8 = QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;
    QString t = b.startsWith("\xEF\xBB\xBF") ? QStringDecoder(QStringDecoder::Utf8, utf8)(b.mid(3)) : QStringDecoder("windows-1252")(b);
    if (t.isEmpty()) return {};
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    if (t.endsWith(u'\n')) t.chop(1);  // a line end at the very end adds no record
    return t.split(u'\n');
}

Fila Campos(const QString& linea) {
    const QStringList c = linea.split(u'\t');
    return {c[0], c.value(1), c.value(2)};
}

// The limit counts characters: a surrogate pair is one.
qsizetype Caracteres(const QString& l) {
    return l.size() - std::count_if(l.begin(), l.end(), [](QChar c) { return c.isLowSurrogate(); });
}

// A CSV file read whole: its records, up to the first past the limit, and
// whether there was one.
std::pair<std::vector<Fila>, bool> LeerCsv(const QByteArray& bytes) {
    const bool utf8 = bytes.startsWith("\xEF\xBB\xBF");
    const QByteArray b = utf8 ? bytes.mid(3) : bytes;
    const auto texto = [utf8](const QByteArray& x) -> QString {
        return utf8 ? QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom)(x) : QStringDecoder("windows-1252")(x);
    };
    const auto fin = [](char c) { return c == '\r' || c == '\n'; };
    // ';' outside quotes in the first record, counting every quote.
    char separador = ',';
    for (qsizetype i = 0, comillas = 0; i < b.size() && (comillas % 2 || !fin(b[i])); ++i) {
        comillas += b[i] == '"';
        if (b[i] == ';' && comillas % 2 == 0) {
            separador = ';';
            break;
        }
    }
    std::pair<std::vector<Fila>, bool> leidas{{}, false};
    for (qsizetype i = 0; i < b.size();) {
        const qsizetype inicio = i;
        QList<QByteArray> campos;
        for (bool mas = true; mas;) {
            QByteArray campo;
            if (i < b.size() && b[i] == '"') {
                // To the quote not doubled, or the end.
                qsizetype j = i + 1;
                while (j < b.size() && !(b[j] == '"' && b.mid(j, 2) != "\"\"")) j += b.mid(j, 2) == "\"\"" ? 2 : 1;
                campo = b.mid(i + 1, j - i - 1).replace("\"\"", "\"");
                i = std::min(j + 1, b.size());
            }
            while (i < b.size() && b[i] != separador && !fin(b[i])) campo += b[i++];
            campos << campo;
            mas = i < b.size() && b[i] == separador;
            i += mas;
        }
        if (Caracteres(texto(b.mid(inicio, i - inicio))) > kLineaMaxima) {
            leidas.second = true;
            break;
        }
        if (i < b.size()) i += b.mid(i, 2) == "\r\n" ? 2 : 1;
        leidas.first.push_back({texto(campos[0]), texto(campos.value(1)), texto(campos.value(2))});
    }
    return leidas;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    if (n < 1) return 0;
    QByteArray bytes(reinterpret_cast<const char*>(datos + 1), qsizetype(n - 1));
    const bool larga = (datos[0] == 0xFF && n <= 4) || (datos[0] == 0xFE && n > 3);
    if (datos[0] == 0xFF && n <= 4) bytes.append(QByteArray(kLineaMaxima - 1, 'x'));
    if (datos[0] == 0xFE && n > 3) {
        const qsizetype largo = 32000 + 2 * (datos[1] << 8 | datos[2]);
        bytes = bytes.mid(2).repeated(1 + largo / (qsizetype(n) - 3)).left(largo);
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const auto [filas, error] = Leer(buffer);
    const QStringList lineas = Lineas(bytes);
    const qsizetype validas = std::find_if(lineas.begin(), lineas.end(), [&](const QString& l) { return Caracteres(l) > kLineaMaxima; }) - lineas.begin();
    EXIGIR(filas.size() == std::size_t(validas) && error.isEmpty() == (validas == lineas.size()));
    for (qsizetype i = 0; i < validas; ++i) EXIGIR(filas[std::size_t(i)] == Campos(lineas[i]));
    fuzz::DispositivoTroceado troceado(bytes, larga ? 4093 : 1 + datos[0] % 16);  // a long file in fewer, uneven reads
    EXIGIR(Leer(troceado) == std::pair(filas, error));

    const auto [registros, registroLargo] = LeerCsv(bytes);
    QBuffer csv(&bytes);
    csv.open(QIODevice::ReadOnly);
    const auto leidosCsv = Leer(csv, true);
    EXIGIR(leidosCsv.first == registros && leidosCsv.second.isEmpty() != registroLargo);
    if (registroLargo) EXIGIR(leidosCsv.second == MensajeLineaLarga(qint64(registros.size()) + 1));
    fuzz::DispositivoTroceado troceadoCsv(bytes, larga ? 4093 : 1 + datos[0] % 16);
    EXIGIR(Leer(troceadoCsv, true) == leidosCsv);
    if (larga) return 0;  // a results line of a cell that long is past the limit itself

    const int codigo = std::array{0, 6, 10}[datos[0] / 16 % 3];
    QBuffer salida;
    salida.open(QIODevice::ReadWrite);
    EscritorResultados escritor(salida);
    escritor.escribirCabecera(codigo);
    for (const Fila& f : filas) escritor.escribirFila(f);
    EXIGIR(escritor.terminar());
    salida.seek(0);
    const auto [vuelta, errorVuelta] = Leer(salida);
    EXIGIR(errorVuelta.isEmpty() && vuelta.size() == filas.size() + 1 && vuelta[0] == Campos(CabeceraResultados(codigo)));
    for (std::size_t i = 0; i < filas.size(); ++i)
        for (const std::size_t j : {0, 1, 2}) EXIGIR(vuelta[i + 1][j] == filas[i][j] || (bytes.startsWith("\xEF\xBB\xBF") && filas[i][j].toUtf8().size() != filas[i][j].size()));
    return 0;
}
