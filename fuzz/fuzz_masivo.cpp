// The bulk calculation of a file on its bytes (CalcularArchivo: ASCII rows
// straight from the bytes, blocks on threads, any cut of the reads) against
// the general path, record by record as the bulk window goes: decoded, the
// row rules on text, the results encoded. Same bytes, counts, notices and
// read error. The first byte picks the code, the threads and the reads; with
// 0x80 set on a short input, a line of kLineaMaxima characters follows it.

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
    fuzz::DispositivoTroceado troceada(bytes, trozo), entera(bytes, qint64(1) << 30);
    QBuffer salida;
    salida.open(QIODevice::WriteOnly);
    fuzz::SalidaMasivo rapido = fuzz::CaminoRapido(codigo, troceada, salida, hilos);
    rapido.bytes = salida.data();
    EXIGIR(rapido == fuzz::CaminoGeneral(codigo, entera));
    return 0;
}
