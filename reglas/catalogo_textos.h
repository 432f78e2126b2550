#pragma once
// The catalogue as the algorithm lists show it.

#include <QList>
#include <QString>

namespace vaviviv {

struct EntradaAlgoritmo {
    QString texto;
    int codigo;
};

// Every algorithm in display order.
QList<EntradaAlgoritmo> EntradasAlgoritmos();

}  // namespace vaviviv
