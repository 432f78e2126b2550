#pragma once
// The catalogue as the user reads it: the lists' entries, each window's
// description of an algorithm, the names of the fields besides the reference.

#include <QList>
#include <QString>
#include <QStringList>

#include "engine/catalogo.h"

namespace vaviviv {

struct EntradaAlgoritmo {
    QString texto;
    int codigo;
};

// Every algorithm in display order.
QList<EntradaAlgoritmo> EntradasAlgoritmos();

// The code as the user types it: two digits ("06").
QString CodigoDosCifras(int codigo);
// Every code, in display order, separated by spaces: "00 02 03 … 37".
QString ListaDeCodigos();

// The two windows word some descriptions differently; each keeps its own.
QString DescripcionPrincipal(const Algoritmo& algoritmo);
QString DescripcionMasivo(const Algoritmo& algoritmo);

// Shown by the bulk window for a code without a layout.
QString AlgoritmoNoDisponible();

// The fields an algorithm takes besides the reference, as the results header
// names them ("Sucursal", "Cuenta"); none for a reference alone.
QStringList NombresCampos(Entradas entradas);

}  // namespace vaviviv
