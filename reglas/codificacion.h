#pragma once
// The single-byte code page of the tool's files (Windows-1252).

#include <QByteArray>
#include <QString>
#include <QStringEncoder>
#include <QStringView>

namespace vaviviv {

QString DecodificarWindows1252(QByteArrayView bytes);

// A character the code page cannot hold is written as "?". Keep one encoder
// for many texts: opening one is far dearer than encoding a line.
class CodificadorWindows1252 {
public:
    CodificadorWindows1252();
    void codificar(QStringView texto, QByteArray& destino);

private:
    QStringEncoder codificador_;
};

}  // namespace vaviviv
