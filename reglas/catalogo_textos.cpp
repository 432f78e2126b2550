#include "reglas/catalogo_textos.h"

#include "engine/catalogo.h"
#include "reglas/texto.h"

namespace vaviviv {

QList<EntradaAlgoritmo> EntradasAlgoritmos() {
    QList<EntradaAlgoritmo> entradas;
    for (const Algoritmo& algoritmo : Catalogo()) entradas.append({DesdeUtf8(algoritmo.texto), algoritmo.codigo});
    return entradas;
}

}  // namespace vaviviv
