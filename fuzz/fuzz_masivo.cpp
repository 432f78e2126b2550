// The bulk calculation of a file on its bytes (CalcularArchivo: ASCII rows
// straight from the bytes, blocks on threads, any cut of the reads) against
// the general path, record by record as the bulk window goes: decoded, the
// row rules on text, the results encoded. Same bytes, counts, notices and
// read error; the results within their bound. The first byte picks the code,
// the threads and the reads; with 0x80 set, a line of kLineaMaxima characters
// follows a short input; from 0xF8 on, a longer one is repeated past 4,096
// line ends, or 64 KiB (more lines than a block takes when they are short).

#include "fuzz/caminos_masivo.h"
#include "fuzz/comun.h"
#include "fuzz/dispositivo_troceado.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    if (n < 1) return 0;
    using namespace vaviviv;
    static constexpr std::array kCodigos{0, 2, 3, 4, 6, 10, 35, 36, 37};
    const int codigo = kCodigos[datos[0] % kCodigos.size()];
    const int hilos = datos[0] & 0x40 ? 2 : 0;
    // Whole reads, or a few bytes each: lines then cross every block edge.
    const qint64 trozo = datos[0] & 0x20 ? 1 + datos[0] % 7 : qint64(1) << 20;
    QByteArray bytes(reinterpret_cast<const char*>(datos + 1), qsizetype(n - 1));
    if (datos[0] & 0x80 && n <= 8) bytes.append(QByteArray(kLineaMaxima, '7'));
    if (datos[0] >= 0xF8 && n > 8) {
        const auto fines = std::max<qsizetype>(1, bytes.count('\n') + bytes.count('\r'));
        bytes = bytes.repeated(1 + std::min(4096 / fines, 65536 / bytes.size()));
    }
    fuzz::DispositivoTroceado troceada(bytes, trozo), entera(bytes, qint64(1) << 30);
    QBuffer salida;
    salida.open(QIODevice::WriteOnly);
    fuzz::SalidaMasivo rapido = fuzz::CaminoRapido(codigo, troceada, salida, hilos);
    rapido.bytes = salida.data();
    EXIGIR(rapido == fuzz::CaminoGeneral(codigo, entera));
    QByteArray cabecera;
    LineasResultados(cabecera).cabecera(codigo);
    EXIGIR(rapido.bytes.size() <= cabecera.size() + 2 * bytes.size() + kMasPorFila * rapido.registros);
    return 0;
}
