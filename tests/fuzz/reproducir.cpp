// Replays the kept inputs of one fuzz target through its checks, which abort
// on the first one that fails (its name is printed just before).

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n);

TEST(Reproducir, EntradasGuardadas) {
    int vistas = 0;
    for (const char* carpeta : {VAVIVIV_REGRESIONES, VAVIVIV_SEMILLAS}) {
        const QDir dir(QString::fromUtf8(carpeta));
        for (const QString& nombre : dir.entryList(QDir::Files, QDir::Name)) {
            QFile f(dir.filePath(nombre));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << nombre.toStdString();
            const QByteArray datos = f.readAll();
            std::fprintf(stderr, "%s\n", qPrintable(f.fileName()));
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(datos.constData()), std::size_t(datos.size()));
            ++vistas;
        }
    }
    EXPECT_GT(vistas, 0);
}
