#pragma once
// A stored workbook read back by an independent reader (Debian's
// python3-openpyxl, through tests/leer_libro.py), to set beside the text
// results file the same rows give.

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "reglas/codificacion.h"

namespace vaviviv::prueba {

struct CeldaLeida {
    QString valor;
    bool texto = false;
    bool negrita = false;
    QString formato;
};

struct LibroLeido {
    QString error;  // empty when the reader read it
    int hojas = 0;
    QString inmovil;
    QList<QList<CeldaLeida>> filas;
    QList<double> anchos;

    QList<QStringList> valores() const {
        QList<QStringList> v;
        for (const auto& f : filas) {
            v.append(QStringList{});
            for (const CeldaLeida& c : f) v.back() << c.valor;
        }
        return v;
    }
};

inline LibroLeido LeerLibro(const QString& ruta) {
    QProcess p;
    p.start(QStringLiteral(VAVIVIV_PYTHON3), {QStringLiteral(VAVIVIV_LEER_LIBRO), ruta});
    LibroLeido l;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        l.error = "el lector falló: " + QString::fromUtf8(p.readAllStandardError());
        return l;
    }
    const QJsonObject o = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    l.hojas = o["hojas"].toInt();
    l.inmovil = o["inmovil"].toString();
    for (const QJsonValue f : o["filas"].toArray()) {
        l.filas.append(QList<CeldaLeida>{});
        for (const QJsonValue c : f.toArray()) {
            const QJsonObject celda = c.toObject();
            l.filas.back().append({celda["valor"].toString(), celda["tipo"].toString() == "s", celda["negrita"].toBool(),
                                   celda["formato"].toString()});
        }
    }
    for (const QJsonValue a : o["anchos"].toArray()) l.anchos << a.toDouble();
    return l;
}

// The cells of a text results file: the header line's tab-separated titles,
// then each line's cells, each followed by a tab; Windows-1252, CR LF.
inline QList<QStringList> CeldasDeTexto(const QByteArray& bytes) {
    QList<QStringList> filas;
    QList<QByteArray> lineas = bytes.split('\n');
    if (!lineas.isEmpty() && lineas.back().isEmpty()) lineas.removeLast();
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        QByteArray l = lineas[i];
        if (l.endsWith('\r')) l.chop(1);
        if (i > 0 && l.endsWith('\t')) l.chop(1);
        QStringList celdas;
        for (const QByteArray& c : l.split('\t')) celdas << DecodificarWindows1252(c);
        filas << celdas;
    }
    return filas;
}

}  // namespace vaviviv::prueba
