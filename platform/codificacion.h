#pragma once
// The single-byte code page of the tool's files (Windows-1252).

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace vaviviv {

QString DecodificarWindows1252(QByteArrayView bytes);
// A character the code page cannot hold is written as "?".
QByteArray CodificarWindows1252(QStringView texto);
// Appends to `destino` (no allocation per call once it has grown).
void CodificarWindows1252(QStringView texto, QByteArray& destino);

}  // namespace vaviviv
