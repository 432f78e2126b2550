"""The Python module as a user imports it from the build tree: for random
records of every code (tests/libvaviviv/registros.awk) the cells of
vaviviv-cli masivo and the answers of vaviviv-cli verificar; each exception
class; wrong arguments; the docstrings' examples.
Environment: VAVIVIV_CLI, VAVIVIV_REGISTROS (the awk generator),
VAVIVIV_SEMILLA (optional); PYTHONPATH holds the package."""

import doctest
import gc
import os
import random
import subprocess
import tempfile
import unittest

import vaviviv
import vaviviv._vaviviv

CLI = os.environ["VAVIVIV_CLI"]
SEMILLA = int(os.environ.get("VAVIVIV_SEMILLA") or random.randrange(1 << 15))
OPCIONES = {6: ("--sucursal", "--cuenta"), 10: ("--importe", "--fecha")}


def registros_y_celdas(codigo, n):
    """The generator's records (up to three fields) and masivo's cells for them,
    (completa, digitos), and the refused characters masivo reported by record."""
    with tempfile.TemporaryDirectory() as tmp:
        entrada, salida = os.path.join(tmp, "entrada"), os.path.join(tmp, "salida")
        with open(entrada, "wb") as f:
            subprocess.run(["awk", "-v", f"codigo={codigo}", "-v", f"semilla={SEMILLA}", "-v", f"n={n}",
                            "-f", os.environ["VAVIVIV_REGISTROS"]], stdout=f, check=True)
        avisos = subprocess.run([CLI, "masivo", f"{codigo:02d}", entrada, "-o", salida], capture_output=True,
                                text=True, check=True).stderr
        with open(entrada, encoding="utf-8-sig") as f:
            registros = [tuple(linea.rstrip("\n").split("\t", 2)) for linea in f]
        with open(salida, encoding="cp1252", newline="") as f:
            celdas = [tuple(fila.rstrip("\r\n").split("\t")[-3:-1]) for fila in f.readlines()[1:]]
    rechazados = dict(linea.removeprefix("Registro ").split(": ", 1) for linea in (l.removeprefix("vaviviv-cli: ") for l in avisos.splitlines())
                      if linea.startswith("Registro ") and ":" in linea)
    return registros, celdas, {int(k) - 1: v for k, v in rechazados.items()}


def cli_verificar(codigo, completa, campos):
    opciones = [x for par in zip(OPCIONES.get(codigo, ()), campos) for x in par]
    r = subprocess.run([CLI, "verificar", f"{codigo:02d}", completa] + opciones, capture_output=True, text=True)
    return r.returncode == 0 and r.stdout == "válida\n", r.stdout.removeprefix("no válida: se esperaba ").strip()


class ComoVavivivCli(unittest.TestCase):
    def test_celdas_de_masivo_en_cada_codigo(self):
        for codigo in vaviviv.CODIGOS:
            registros, celdas, rechazados = registros_y_celdas(codigo, 300)
            self.assertEqual(len(registros), len(celdas))
            muchos = vaviviv.calcular_muchos(codigo, registros)
            for i, (registro, (completa, digitos)) in enumerate(zip(registros, celdas)):
                with self.subTest(codigo=codigo, registro=registro):
                    r = vaviviv.calcular(codigo, *registro)
                    self.assertEqual((r.completa, r.digitos), (completa, digitos))
                    self.assertEqual(muchos[i], r)
                    self.assertEqual(r.estado == "caracter_no_valido", i in rechazados)
                    if r.estado == "calculada":
                        self.assertEqual(vaviviv.calc_check_digits(codigo, *registro), digitos)
                        self.assertEqual(vaviviv.validate(codigo, completa, *registro[1:]), completa)
                        continue
                    # A refused record raises with the text masivo gives it.
                    with self.assertRaises(vaviviv.ValidationError) as e:
                        vaviviv.calc_check_digits(codigo, *registro)
                    self.assertEqual(str(e.exception), completa or rechazados[i])
                    self.assertEqual(r.caracter != "", r.estado == "caracter_no_valido")

    def test_verificar_como_la_linea_de_comandos(self):
        for codigo in vaviviv.CODIGOS:
            registros, celdas, _ = registros_y_celdas(codigo, 60)
            # The main window's rules take no blanks around branch and
            # account, no code-02 reference past its limit and no date but
            # DD/MM/AAAA, all of which the bulk rules calculate: left out.
            calculados = [(campos, completa) for campos, (completa, digitos) in
                          ((tuple(c.strip() for c in r[1:]), celda) for r, celda in zip(registros, celdas))
                          if digitos and len(completa) <= 19 + len(digitos)
                          and (codigo != 10 or campos[1][2::3][:2] == "//")][:8]
            self.assertTrue(calculados)
            for campos, completa in calculados:
                otra = completa[:-1] + ("1" if completa[-1] == "0" else "0")
                for numero in (completa, otra):
                    with self.subTest(codigo=codigo, numero=numero, campos=campos):
                        valida, esperada = cli_verificar(codigo, numero, campos)
                        self.assertEqual(vaviviv.verificar(codigo, numero, *campos), valida)
                        self.assertEqual(vaviviv.is_valid(codigo, numero, *campos), valida)
                        if valida:
                            self.assertEqual(vaviviv.validate(codigo, numero, *campos), numero)
                            continue
                        with self.assertRaises(vaviviv.InvalidChecksum) as e:
                            vaviviv.validate(codigo, numero, *campos)
                        self.assertEqual(str(e.exception), "Dígitos verificadores no válidos: se esperaba " + esperada)

    def test_version(self):
        salida = subprocess.run([CLI, "--version"], capture_output=True, text=True, check=True).stdout
        self.assertEqual(salida, f"vaviviv-cli {vaviviv.__version__}\n")


class Excepciones(unittest.TestCase):
    def test_cada_clase_con_el_texto_de_las_reglas(self):
        casos = [
            (0, ("1" * 20 + "3",), vaviviv.InvalidLength, "Error: Referencia mayor a 19 dígitos."),
            (37, ("A" * 19 + "00",), vaviviv.InvalidLength, "Error: Referencia mayor a 18 caracteres alfanumericos."),
            (2, ("01010",), vaviviv.InvalidLength, "Error: Fecha menor a 6 dígitos."),
            (6, ("100", "123456789", "1"), vaviviv.InvalidLength, "Error: Sucursal mayora 8 dígitos."),
            (6, ("100", "1", "123456789"), vaviviv.InvalidLength, "Error: Cuenta mayor a 8 dígitos."),
            (0, ("12a4",), vaviviv.InvalidFormat, "Error: Referencia no válida."),
            (2, ("99130112",), vaviviv.InvalidFormat, "Error: Fecha <> AAMMDD"),
            (2, ("240101ñ12",), vaviviv.InvalidFormat, "Error: Referencia no valida = ñ"),
            (6, ("100", "1", "1x"), vaviviv.InvalidFormat, "Error: Cuenta no válida."),
            (10, ("1" + "0" * 8, "-1", "01/01/2000"), vaviviv.InvalidFormat, "Error: Importe no válido."),
            (10, ("1" + "0" * 8, "1", "01/01/1987"), vaviviv.InvalidFormat, "Error: Fecha menor al 01/01/1988."),
            (36, ("AB-12",), vaviviv.InvalidFormat, "Caracter no Válido en la referencia: ' - '"),
            (0, ("1234567",), vaviviv.InvalidChecksum, "Dígitos verificadores no válidos: se esperaba 1234566"),
        ]
        for codigo, argumentos, clase, mensaje in casos:
            with self.subTest(codigo=codigo, argumentos=argumentos):
                with self.assertRaises(clase) as e:
                    vaviviv.validate(codigo, *argumentos)
                self.assertEqual(str(e.exception), mensaje)
                self.assertIsInstance(e.exception, vaviviv.ValidationError)
                self.assertIsInstance(e.exception, ValueError)
                self.assertFalse(vaviviv.is_valid(codigo, *argumentos))

    def test_argumentos_que_no_son_de_recibo(self):
        casos = [
            (vaviviv.calcular, (0, None), TypeError, "referencia: se esperaba un texto (str), no NoneType"),
            (vaviviv.calcular, (0, b"123"), TypeError, "referencia: se esperaba un texto (str), no bytes"),
            (vaviviv.verificar, (0, b"\xff\xfe"), TypeError, "completa: se esperaba un texto (str), no bytes"),
            (vaviviv.validate, (0, 1234566), TypeError, "numero: se esperaba un texto (str), no int"),
            (vaviviv.is_valid, (6, "1", None), TypeError, "campo2: se esperaba un texto (str), no NoneType"),
            (vaviviv.calc_check_digits, ("00", "1"), TypeError, "codigo: se esperaba un número entero (int), no str"),
            (vaviviv.calcular, (True, "1"), TypeError, "codigo: se esperaba un número entero (int), no bool"),
            (vaviviv.calcular, (5, "1"), ValueError, "Código de algoritmo desconocido: 5 (los códigos son 0, 2, 3, 4, 6, 10, 35, 36, 37)"),
            (vaviviv.is_valid, (10**30, "1"), ValueError, f"Código de algoritmo desconocido: {10**30} "),
            (vaviviv.calc_check_digits, (0, "12\x003"), ValueError, "referencia: el texto contiene el carácter nulo (U+0000)"),
            (vaviviv.calcular, (0, "1\ud800"), ValueError, "referencia: el texto no es Unicode válido"),
            (vaviviv.calcular, (2, "240101" + "1" * 250), ValueError, "referencia: la referencia completa pasa de 255 bytes"),
            (vaviviv.calcular_muchos, (0, 12), TypeError, "filas: se esperaba un iterable de registros, no int"),
            (vaviviv.calcular_muchos, (0, "123"), TypeError, "filas: se esperaba un iterable de registros, no un texto"),
            (vaviviv.calcular_muchos, (0, ["1", None]), TypeError, "registro 2: filas: se esperaba un texto o una tupla"),
            (vaviviv.calcular_muchos, (6, [("1", 2, "3")]), TypeError, "registro 1: campo2: se esperaba un texto (str), no int"),
            (vaviviv.calcular_muchos, (6, [("1", "2", "3", "4")]), ValueError, "registro 1: filas: un registro tiene de 1 a 3 campos, no 4"),
            (vaviviv.calcular_muchos, (0, ["1"] * 1500 + [()]), ValueError, "registro 1501: filas: un registro tiene de 1 a 3 campos, no 0"),
        ]
        for funcion, argumentos, clase, mensaje in casos:
            with self.subTest(funcion=funcion.__name__, argumentos=repr(argumentos)[:60]):
                with self.assertRaises(clase) as e:
                    funcion(*argumentos)
                self.assertNotIsInstance(e.exception, vaviviv.ValidationError)
                self.assertTrue(str(e.exception).startswith(mensaje), str(e.exception))


class Resultados(unittest.TestCase):
    # (codigo, fila, (estado, completa, digitos, caracter)): each estado, the
    # blanks a complete reference drops, one and several digits.
    CASOS = [
        (0, "123456", ("calculada", "1234566", "6", "")),
        (0, "  123456  ", ("calculada", "1234566", "6", "")),
        (36, " ab1 ", ("calculada", "ab14", "4", "")),
        (4, " 123456", ("calculada", "12345693", "93", "")),
        (2, "2412319 ", ("calculada", "24123192", "2", "")),
        (10, ("123456", "1500.50", "31/12/2013"), ("calculada", "12345696711287", "96711287", "")),
        (6, ("1", "123", "4567"), ("calculada", "151", "51", "")),
        (0, "12a", ("error", "Error: Referencia no válida.", "", "")),
        (0, "", ("error", "Error: Referencia no válida.", "", "")),
        (0, "1" * 20, ("error", "Error: Referencia mayor a 19 dígitos.", "", "")),
        (10, ("123456", "x", "31/12/2013"), ("error", "Error: Importe no válido.", "", "")),
        (2, "240101ñ12", ("error", "Error: Referencia no valida = ñ", "", "")),
        (35, "AB-1", ("caracter_no_valido", "", "", "-")),
        (37, "ÑA1", ("caracter_no_valido", "", "", "Ñ")),
    ]

    def comprobar(self, r, esperado):
        estado, completa, digitos, caracter = esperado
        self.assertEqual((r.estado, r.completa, r.digitos, r.caracter), esperado)
        self.assertEqual((len(r), r[0], r[1], r[2], r[3]), (4, *esperado))
        self.assertEqual(tuple(r), esperado)
        self.assertEqual(r, esperado)
        self.assertFalse(r != esperado)
        self.assertEqual(hash(r), hash(esperado))
        self.assertEqual(repr(r), f"vaviviv.Resultado(estado={estado!r}, completa={completa!r}, "
                                  f"digitos={digitos!r}, caracter={caracter!r})")

    def test_los_cuatro_campos_de_cada_estado(self):
        for codigo, fila, esperado in self.CASOS:
            campos = fila if isinstance(fila, tuple) else (fila,)
            with self.subTest(codigo=codigo, fila=fila):
                self.comprobar(vaviviv.calcular(codigo, *campos), esperado)
                # In a batch, twice: the second error text is the first one.
                uno, otro = vaviviv.calcular_muchos(codigo, [fila, fila])
                self.comprobar(uno, esperado)
                self.comprobar(otro, esperado)
                self.assertEqual(uno, otro)
                with self.assertRaises(IndexError):
                    uno[4]
        # A code's rows in one batch: each error its own text.
        for codigo in {c for c, _, _ in self.CASOS}:
            casos = [(fila, esperado) for c, fila, esperado in self.CASOS if c == codigo]
            with self.subTest(codigo=codigo):
                self.assertEqual([tuple(r) for r in vaviviv.calcular_muchos(codigo, [f for f, _ in casos])],
                                 [e for _, e in casos])

    def test_cualquier_iterable_diga_lo_que_diga_su_largo(self):
        class Pista:
            # An iterable whose length hint is wrong: the batch is read in
            # blocks no longer than the hint says.
            def __init__(self, filas, pista):
                self.filas, self.pista = filas, pista

            def __iter__(self):
                return iter(self.filas)

            def __length_hint__(self):
                return self.pista

        filas = [str(i) if i % 7 else "x" for i in range(2500)]
        esperados = [tuple(vaviviv.calcular(0, f)) for f in filas]
        for nombre, iterable in [("lista", filas), ("tupla", tuple(filas)), ("generador", (f for f in filas)),
                                 ("pista 1", Pista(filas, 1)), ("pista 0", Pista(filas, 0)),
                                 ("pista mayor", Pista(filas, 10**9)), ("pista 1 de vacío", Pista([], 1))]:
            with self.subTest(iterable=nombre):
                muchos = vaviviv.calcular_muchos(0, iterable)
                self.assertEqual([tuple(r) for r in muchos], [] if nombre.endswith("vacío") else esperados)

    def test_el_resultado_sobrevive_a_sus_textos(self):
        # Texts made here, not shared by the interpreter: when the list goes,
        # only the results hold them.
        filas = [str(10**12 + i) + " " * (i % 3) for i in range(3000)]
        esperados = [vaviviv.calcular(0, f) for f in filas]
        muchos = vaviviv.calcular_muchos(0, iter(filas))
        del filas
        gc.collect()
        basura = [str(10**15 + i) for i in range(3000)]  # takes the freed memory, if any
        self.assertEqual([tuple(r) for r in muchos], [tuple(r) for r in esperados])
        del basura

    def test_muchos_resultados_que_mueren_y_nacen_a_saltos(self):
        # More results than one slab holds, most freed, a few kept here and
        # there, then a new batch in the freed places: every one reads back.
        filas = [str(i) for i in range(150000)]
        primeros = vaviviv.calcular_muchos(0, filas)
        vivos = {i: primeros[i] for i in range(0, len(filas), 997)}
        del primeros
        gc.collect()
        segundos = vaviviv.calcular_muchos(0, filas[:90000])
        terceros = vaviviv.calcular_muchos(35, ["A-"] * 50000)
        for i, r in vivos.items():
            self.assertEqual(r.completa, vaviviv.calcular(0, filas[i]).completa)
        for i in range(0, 90000, 101):
            self.assertEqual(segundos[i].completa, vaviviv.calcular(0, filas[i]).completa)
        self.assertEqual(set(terceros), {("caracter_no_valido", "", "", "-")})
        del segundos, vivos
        self.assertEqual(len(vaviviv.calcular_muchos(0, filas)), len(filas))


class Documentacion(unittest.TestCase):
    def test_los_ejemplos_de_las_docstrings(self):
        for modulo, minimo in ((vaviviv._vaviviv, 9), (vaviviv, 1)):
            fallos, intentos = doctest.testmod(modulo)
            self.assertEqual(fallos, 0)
            self.assertGreaterEqual(intentos, minimo)


if __name__ == "__main__":
    print(f"semilla {SEMILLA}")
    unittest.main()
