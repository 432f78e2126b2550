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

// Runs `programa` with `args`, feeding `entrada` on standard input. A run that
// does not end within the time is killed and fails the test.
inline Salida Ejecutar(const QString& programa, const QStringList& args, const QByteArray& entrada = {},
                       const QProcessEnvironment& entorno = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(entorno);
    p.start(programa, args);
    EXPECT_TRUE(p.waitForStarted(10000)) << programa.toStdString();
    p.write(entrada);
    p.closeWriteChannel();
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        ADD_FAILURE() << "no terminó: " << args.join(' ').left(200).toStdString();
    }
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << args.join(' ').left(200).toStdString();
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

inline Salida Correr(const QStringList& args, const QByteArray& entrada = {}) {
    return Ejecutar(QStringLiteral(VAVIVIV_CLI), args, entrada);
}

inline QByteArray LeerArchivo(const QString& ruta) {
    QFile f(ruta);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << ruta.toStdString();
    return f.readAll();
}

inline void EscribirArchivo(const QString& ruta, const QByteArray& datos) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << ruta.toStdString();
    ASSERT_EQ(f.write(datos), datos.size());
}

}  // namespace vaviviv::prueba
