// The bulk calculation of a file on its bytes (CalcularArchivo: ASCII rows
// straight from the bytes, blocks on threads, any cut of the reads) against
// the general path, record by record as the bulk window goes: decoded, the
// row rules on text, the results encoded. Same bytes, counts, notices and
// read error. The first byte picks the code, the threads and the reads; with
// 0x80 set on a short input, a line of kLineaMaxima characters follows it.

#include <QBuffer>
#include <vector>

#include "fuzz/comun.h"
#include "fuzz/dispositivo_troceado.h"
#include "reglas/archivo_entrada.h"
#include "reglas/archivo_resultados.h"
#include "reglas/calculo_masivo.h"
#include "reglas/reglas_fila.h"

namespace {

using namespace vaviviv;

struct Salida {
    QByteArray bytes;
    qint64 registros = 0, errores = 0;
    std::vector<std::pair<qint64, QString>> avisos;
    QString errorLectura;
    bool operator==(const Salida&) const = default;
};

Salida General(int codigo, QByteArray datos) {
    Salida s;
    QBuffer entrada(&datos), salida(&s.bytes);
    entrada.open(QIODevice::ReadOnly);
    salida.open(QIODevice::WriteOnly);
    EscritorResultados escritor(salida);
    escritor.escribirCabecera(codigo);
    LectorEntrada lector(entrada);
    for (Registro r; lector.siguiente(r);) {
        const auto& [c0, c1, c2] = r.campos;
        const ResultadoFila f = CalcularFila(codigo, c0, c1, c2);
        s.errores += f.digitos.isEmpty();
        if (!f.caracterNoValido.isEmpty()) s.avisos.emplace_back(s.registros + 1, f.caracterNoValido);
        if (codigo == 6 || codigo == 10)
            escritor.escribirFila(std::array<QStringView, 5>{c0, c1, c2, f.resultado, f.digitos});
        else
            escritor.escribirFila(std::array<QStringView, 3>{c0, f.resultado, f.digitos});
        ++s.registros;
    }
    EXIGIR(escritor.terminar());
    s.errorLectura = lector.error();
    return s;
}

Salida Rapido(int codigo, const QByteArray& datos, qint64 trozo, int hilos) {
    Salida s;
    fuzz::DispositivoTroceado entrada(datos, trozo);
    QBuffer salida(&s.bytes);
    salida.open(QIODevice::WriteOnly);
    const auto avisar = [&s](const AvisoCaracter& a) { s.avisos.emplace_back(a.registro, a.caracter); };
    const ResumenMasivo r = CalcularArchivo(codigo, entrada, salida, avisar, hilos);
    EXIGIR(r.errorEscritura.isEmpty());
    s.registros = r.cuentas.registros;
    s.errores = r.cuentas.errores;
    s.errorLectura = r.errorLectura;
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    if (n < 1) return 0;
    static constexpr std::array kCodigos{0, 2, 3, 4, 6, 10, 35, 36, 37};
    const int codigo = kCodigos[datos[0] % kCodigos.size()];
    const int hilos = datos[0] & 0x40 ? 2 : 0;
    // Whole reads, or a few bytes each: lines then cross every block edge.
    const qint64 trozo = datos[0] & 0x20 ? 1 + datos[0] % 7 : qint64(1) << 20;
    QByteArray bytes(reinterpret_cast<const char*>(datos + 1), qsizetype(n - 1));
    if (datos[0] & 0x80 && n <= 8) bytes.append(QByteArray(kLineaMaxima, '7'));
    EXIGIR(Rapido(codigo, bytes, trozo, hilos) == General(codigo, bytes));
    return 0;
}
