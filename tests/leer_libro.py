"""A results workbook as an independent reader sees it, as JSON on standard output.

Usage: leer_libro.py LIBRO.xlsx
"""
import json
import re
import sys

import openpyxl


def valor(v):
    """An empty text cell is stored as a blank one: no value at all. A CR is
    stored escaped (_x000D_), which this reader leaves as it is."""
    if v is None:
        return ""
    return re.sub("_x000D_", "\r", v) if isinstance(v, str) else v


def main():
    libro = openpyxl.load_workbook(sys.argv[1])
    hoja = libro.worksheets[0]
    filas = []
    for fila in hoja.iter_rows():
        filas.append([{
            "valor": valor(c.value),
            "tipo": "s" if c.value is None or isinstance(c.value, str) else type(c.value).__name__,
            "negrita": bool(c.font.b),
            "formato": c.number_format,
        } for c in fila])
    anchos = {}
    for letra, dimension in hoja.column_dimensions.items():
        for columna in range(dimension.min, dimension.max + 1):
            anchos[columna - 1] = dimension.width
    json.dump({"hojas": len(libro.worksheets), "inmovil": hoja.freeze_panes, "filas": filas,
               "anchos": [anchos.get(c, 0) for c in range(hoja.max_column)]}, sys.stdout)


main()
