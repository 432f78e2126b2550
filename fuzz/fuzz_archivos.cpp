// The input file reader (LectorEntrada) and the results writer
// (EscritorResultados) on any bytes.
//  - The records must be those of a plain reading of the whole file, however
//    the device hands the bytes over (the first byte sets the size of its reads).
//  - Written back as a results file and read again, the records come back
//    whole: exactly for a Windows-1252 file, with "?" for what the code page
//    cannot hold for a UTF-8 one.
//  - A device that refuses to take more than a given number of bytes makes the
//    writer report the failure, and only then.

#include <QBuffer>
#include <QStringDecoder>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz/comun.h"
#include "fuzz/dispositivo_troceado.h"
#include "reglas/archivo_entrada.h"
#include "reglas/archivo_resultados.h"

namespace {

using namespace vaviviv;
using Fila = std::array<QString, 3>;

using fuzz::DispositivoTroceado;

// Takes `limite` bytes, then refuses.
class DispositivoLimitado : public QIODevice {
public:
    explicit DispositivoLimitado(qint64 limite) : limite_(limite) { open(WriteOnly | Unbuffered); }
    qint64 escritos = 0;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 n) override {
        if (escritos + n > limite_) {
            setErrorString(QStringLiteral("No queda espacio"));
            return -1;
        }
        escritos += n;
        return n;
    }

private:
    qint64 limite_;
};

std::vector<Fila> Leer(QIODevice& d) {
    LectorEntrada lector(d);
    std::vector<Fila> filas;
    Registro r;
    while (lector.siguiente(r)) filas.push_back(r.campos);
    EXIGIR(lector.error().isEmpty());
    return filas;
}

// The whole file at once: the byte-order mark decides the decoding; CR LF, CR
// and LF each end a line; a final line end adds no record; tabs split fields.
std::vector<Fila> LecturaLlana(const QByteArray& bytes) {
    const bool utf8 = bytes.startsWith("\xEF\xBB\xBF");
    // Exactly one mark is taken off; any U+FEFF after it is text, and a
    // sequence cut by the end of the file is U+FFFD, not lost.
    const QString texto = utf8 ? QStringDecoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                                QStringDecoder::Flag::ConvertInitialBom)(bytes.mid(3))
                               : QStringDecoder("windows-1252")(bytes);
    std::vector<Fila> filas;
    QString linea;
    const auto cerrar = [&] {
        Fila f;
        const QStringList campos = linea.split(u'\t');
        for (qsizetype i = 0; i < 3 && i < campos.size(); ++i) f[std::size_t(i)] = campos[i];
        filas.push_back(f);
        linea.clear();
    };
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < texto.size() && texto[i + 1] == u'\n') ++i;
            cerrar();
        } else {
            linea.append(c);
        }
    }
    if (!linea.isEmpty()) cerrar();
    return filas;
}

// What a cell becomes once written in Windows-1252: "?" for what it lacks,
// one per character (a surrogate pair is one). A code unit is held when a
// fresh encoder takes it without error and decoding gives it back; the answer
// is kept per code unit.
bool Cabe(QChar c) {
    static std::vector<std::int8_t> cache(0x10000, -1);
    std::int8_t& r = cache[c.unicode()];
    if (r < 0) {
        QStringEncoder enc("windows-1252");
        const QByteArray b = enc(QStringView(&c, 1));
        const QString vuelta = QStringDecoder("windows-1252")(b);
        r = !c.isSurrogate() && !enc.hasError() && b.size() == 1 && vuelta == QString(c);
    }
    return r == 1;
}

QString ComoWindows1252(const QString& s) {
    QString r;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ++i;
        r.append(Cabe(c) ? c : QChar(u'?'));
    }
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    if (n < 1) return 0;
    const qint64 trozo = 1 + datos[0] % 16;
    const QByteArray bytes(reinterpret_cast<const char*>(datos + 1), qsizetype(n - 1));

    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    const std::vector<Fila> entero = Leer(buffer);
    DispositivoTroceado troceado(bytes, trozo);
    EXIGIR(Leer(troceado) == entero);
    EXIGIR(LecturaLlana(bytes) == entero);

    // Round trip through the results file.
    static constexpr int kCodigos[] = {0, 6, 10};
    const int codigo = kCodigos[datos[0] / 16 % 3];
    QBuffer salida;
    salida.open(QIODevice::WriteOnly);
    EscritorResultados escritor(salida);
    escritor.escribirCabecera(codigo);
    for (const Fila& f : entero) escritor.escribirFila(f);
    EXIGIR(escritor.terminar());
    salida.close();
    const QByteArray escrito = salida.data();
    EXIGIR(escrito.endsWith("\r\n"));
    salida.open(QIODevice::ReadOnly);
    const std::vector<Fila> vuelta = Leer(salida);
    EXIGIR(vuelta.size() == entero.size() + 1);
    const QStringList cabecera = CabeceraResultados(codigo).split(u'\t');
    for (qsizetype i = 0; i < 3 && i < cabecera.size(); ++i) EXIGIR(ComoWindows1252(cabecera[i]) == vuelta[0][std::size_t(i)]);
    const bool utf8 = bytes.startsWith("\xEF\xBB\xBF");
    for (std::size_t i = 0; i < entero.size(); ++i)
        for (std::size_t j = 0; j < 3; ++j)
            EXIGIR(vuelta[i + 1][j] == (utf8 ? ComoWindows1252(entero[i][j]) : entero[i][j]));

    // The same file onto a device that fills up part way.
    const qint64 limite = escrito.size() * (datos[0] % 9) / 8;
    DispositivoLimitado lleno(limite);
    EscritorResultados otro(lleno);
    otro.escribirCabecera(codigo);
    for (const Fila& f : entero) otro.escribirFila(f);
    const bool bien = otro.terminar();
    EXIGIR(bien == (escrito.size() <= limite));
    EXIGIR(bien == otro.error().isEmpty());
    if (bien) EXIGIR(lleno.escritos == escrito.size());
    return 0;
}
