"""The Python module against python-stdnum, side by side in one run, on the
same 1,000,000 references (1-19 digits, fixed seed): calc_check_digits(0, r)
against stdnum.luhn.calc_check_digit(r), per call; then calcular_muchos on
1,000,000 records of code 00 and of code 10 (reference of up to 12 digits,
amount with two decimals, date from 1988 to 2013), and again on code 00
keeping every run's list. Best of three runs each.
Usage: /usr/bin/python3 bench/python.py BUILD/python [RECORDS]"""

import random
import sys
import time

sys.path.insert(0, sys.argv[1])
import vaviviv  # noqa: E402
from stdnum import luhn  # noqa: E402

n = int(sys.argv[2]) if len(sys.argv) > 2 else 1000000
azar = random.Random(7)
referencias = ["".join(azar.choices("0123456789", k=azar.randint(1, 19))) for _ in range(n)]
registros10 = [(str(azar.randrange(10**12)), f"{azar.randrange(10**6)}.{azar.randrange(100):02d}",
                f"{azar.randint(1, 28):02d}/{azar.randint(1, 12):02d}/{azar.randint(1988, 2013)}") for _ in range(n)]


def mejor(funcion, veces=3):
    tiempos = []
    for _ in range(veces):
        inicio = time.perf_counter()
        resultado = funcion()
        tiempos.append(time.perf_counter() - inicio)
        del resultado
    return min(tiempos)


calc = vaviviv.calc_check_digits
t_vaviviv = mejor(lambda: [calc(0, r) for r in referencias])
t_stdnum = mejor(lambda: [luhn.calc_check_digit(r) for r in referencias])
iguales = [calc(0, r) for r in referencias] == [luhn.calc_check_digit(r) for r in referencias]
print(f"== Módulo de Python frente a python3-stdnum, {n} referencias del código 00 (mejor de 3) ==")
print(f"  vaviviv.calc_check_digits(0, r): {t_vaviviv:.3f} s, {n / t_vaviviv / 1e6:.2f} M llamadas/s")
print(f"  luhn.calc_check_digit(r):        {t_stdnum:.3f} s, {n / t_stdnum / 1e6:.2f} M llamadas/s")
print(f"  razón: {t_stdnum / t_vaviviv:.1f} veces más rápido; "
      + ("los mismos dígitos" if iguales else "DÍGITOS DISTINTOS"))
for codigo, filas in ((0, referencias), (10, registros10)):
    t = mejor(lambda: vaviviv.calcular_muchos(codigo, filas))
    calculados = sum(r.estado == "calculada" for r in vaviviv.calcular_muchos(codigo, filas))
    print(f"  calcular_muchos({codigo}, …): {t:.3f} s, {n / t / 1e6:.2f} M registros/s"
          + ("" if calculados == n else f" ({n - calculados} sin calcular)"))
# The runs above free one run's results before the next, whose objects then
# land on memory already paged in; a caller that keeps every batch gets fresh
# memory each time.
guardados = []
t = mejor(lambda: guardados.append(vaviviv.calcular_muchos(0, referencias)))
print(f"  calcular_muchos(0, …) guardando cada lista: {t:.3f} s, {n / t / 1e6:.2f} M registros/s")
