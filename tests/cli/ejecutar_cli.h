#pragma once
// vaviviv-cli run as a real process by the tests: what it wrote and how it ended.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

namespace vaviviv::prueba {

struct Salida {
    int codigo;
    QByteArray out, err;
};

// `programa` with `args` and `entrada` on stdin, its stdout into `destino` if
// one is named; not ended in two minutes, it fails the test.
inline Salida Ejecutar(const QString& programa, const QStringList& args, const QByteArray& entrada = {}, const QString& destino = {}) {
    QProcess p;
    if (!destino.isEmpty()) p.setStandardOutputFile(destino);
    p.start(programa, args);
    p.write(entrada);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit) << args.join(' ').left(200).toStdString();
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

inline Salida Correr(const QStringList& args, const QByteArray& entrada = {}, const QString& destino = {}) {
    return Ejecutar(VAVIVIV_CLI, args, entrada, destino);
}

inline QByteArray LeerArchivo(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : "(no se pudo leer " + ruta.toUtf8() + ")";
}

inline void EscribirArchivo(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(datos) == datos.size()) << ruta.toStdString();
}

}  // namespace vaviviv::prueba
