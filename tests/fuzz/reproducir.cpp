// Replays the kept inputs of one fuzz target through its checks, which abort
// on the first one that fails (its name is printed just before).

#include <gtest/gtest.h>

#include <QDir>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n);

TEST(Reproducir, EntradasGuardadas) {
    for (const char* carpeta : {VAVIVIV_REGRESIONES, VAVIVIV_SEMILLAS}) {
        const QFileInfoList archivos = QDir(QString::fromUtf8(carpeta)).entryInfoList(QDir::Files, QDir::Name);
        EXPECT_FALSE(archivos.isEmpty()) << carpeta;
        for (const QFileInfo& archivo : archivos) {
            std::fprintf(stderr, "%s\n", qPrintable(archivo.filePath()));
            QFile f(archivo.filePath());
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const QByteArray datos = f.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(datos.constData()), std::size_t(datos.size()));
        }
    }
}
