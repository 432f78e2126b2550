// vaviviv-cli verificar --archivo as a real process: record by record it says
// what verificar says of one reference, and its edge rows are masivo's rows.
#include "ejecutar_cli.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <tuple>

#include "cli/comandos.h"
#include "engine/catalogo.h"

using namespace vaviviv::prueba;

namespace {

// `n` random records of `codigo` as masivo's input lines hold them: mostly
// within the limits, a few a character too long. Not code 02's: the bulk rules
// check only its date, the main window's its length too.
QList<QByteArray> Registros(int codigo, int n, QRandomGenerator& azar) {
    const int maximo = vaviviv::BuscarAlgoritmo(codigo)->longitudMaxima - (codigo == 2);
    const auto cifras = [&azar](int largo) {
        QByteArray s;
        for (int i = 0; i < largo; ++i) s += char('0' + azar.bounded(10));
        return s;
    };
    QList<QByteArray> registros;
    for (int i = 0; i < n; ++i) {
        const int largo = 1 + azar.bounded(maximo + 1);  // one past the limit now and then
        QByteArray r;
        if (codigo == 2) {
            r = QString::asprintf("%02d%02d%02d", azar.bounded(100), 1 + azar.bounded(12), 1 + azar.bounded(28)).toLatin1() + cifras(largo - 6);
        } else if (codigo >= 35) {
            for (int j = 0; j < largo; ++j) r += "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"[azar.bounded(62)];
        } else {
            r = cifras(largo);
        }
        if (codigo == 6) r += '\t' + cifras(1 + azar.bounded(8)) + '\t' + cifras(1 + azar.bounded(8));
        if (codigo == 10)
            r += QString::asprintf("\t%d.%02d\t%02d/%02d/%d", azar.bounded(1000000), azar.bounded(100), 1 + azar.bounded(28),
                                      1 + azar.bounded(12), 1988 + azar.bounded(26)).toLatin1();
        registros << r;
    }
    return registros;
}

// The cells of a results line (each followed by a tab, then CR LF).
QList<QByteArray> Celdas(const QByteArray& linea) { return linea.chopped(2).split('\t').mid(0, linea.count('\t')); }

// verificar of one reference, in the process: exit code and standard output.
std::pair<int, QByteArray> UnaALaVez(const QString& codigo, const QList<QByteArray>& celdas) {
    QByteArray nada, out, err;
    QBuffer e(&nada), s(&out), r(&err);
    e.open(QIODevice::ReadOnly), s.open(QIODevice::WriteOnly), r.open(QIODevice::WriteOnly);
    vaviviv::cli::Consola consola{e, s, r, false};
    QList<QByteArray> args{"verificar", codigo.toUtf8(), celdas[0]};
    if (codigo == "06") args << "--sucursal" << celdas[1] << "--cuenta" << celdas[2];
    if (codigo == "10") args << "--importe" << celdas[1] << "--fecha" << celdas[2];
    const int salida = vaviviv::cli::Ejecutar(args, consola);
    EXPECT_NE(out + err, "");
    return {salida, out};
}

// Complete references made by masivo from random records of every code, and
// each altered in one character: the file's verdict on each record is the
// one-reference verdict, with the same expected reference.
TEST(CliVerificar, ComoVerificarUnaReferenciaALaVez) {
    for (const vaviviv::Algoritmo& algoritmo : vaviviv::Catalogo()) {
        const QString codigo = QString::asprintf("%02d", algoritmo.codigo);
        SCOPED_TRACE(codigo.toStdString());
        QRandomGenerator azar(algoritmo.codigo);
        const QList<QByteArray> registros = Registros(algoritmo.codigo, 40, azar);
        const Salida masivo = Correr({"masivo", codigo, "-"}, registros.join('\n'));
        const QList<QByteArray> calculadas = masivo.out.split('\n').mid(1, registros.size());
        ASSERT_EQ(calculadas.size(), registros.size());
        QList<QByteArray> lineas;
        for (qsizetype i = 0; i < registros.size(); ++i) {
            QList<QByteArray> celdas = registros[i].split('\t');
            const QByteArray completa = Celdas(calculadas[i]).value(celdas.size());
            if (completa.startsWith("Error")) continue;
            celdas[0] = completa;
            lineas << celdas.join('\t');
            const qsizetype j = azar.bounded(completa.size());
            celdas[0][j] = completa[j] == '9' ? 'A' : char(completa[j] + 1);
            lineas << celdas.join('\t');
        }
        ASSERT_GT(lineas.size(), 40);
        const Salida s = Correr({"verificar", codigo, "--archivo", "-"}, lineas.join("\r\n"));
        const QList<QByteArray> filas = s.out.split('\n');
        ASSERT_EQ(filas.size(), lineas.size() + 2) << s.err.toStdString();
        EXPECT_EQ(filas[0], "Referencia\tResultado\tReferencia Esperada\r");
        int cuentas[3] = {};  // válidas, no válidas, con error
        for (qsizetype i = 0; i < lineas.size(); ++i) {
            const QList<QByteArray> celdas = lineas[i].split('\t'), fila = Celdas(filas[i + 1] + '\n');
            const auto [salida, out] = UnaALaVez(codigo, celdas);
            const QByteArray esperado = salida == 0 ? QByteArray("v\xE1lida\t") + celdas[0]
                                        : out.isEmpty() ? fila.value(1) + '\t'  // an error: the text is the row rules'
                                                        : "no v\xE1lida\t" + out.mid(int(strlen("no válida: se esperaba "))).chopped(1);
            EXPECT_EQ(fila.size(), 3);
            EXPECT_EQ(fila.mid(1).join('\t'), esperado) << lineas[i].toStdString() << " -> " << out.toStdString();
            EXPECT_EQ(out.isEmpty() && salida != 0, !fila[1].startsWith("v\xE1lida") && !fila[1].startsWith("no v\xE1lida"));
            EXPECT_EQ(fila.value(0), celdas[0]);
            ++cuentas[salida == 0 ? 0 : out.isEmpty() ? 2 : 1];
        }
        EXPECT_GE(cuentas[0], lineas.size() / 2 - 1);  // each valid one but a rare alteration that keeps the digits
        EXPECT_GT(cuentas[1], lineas.size() / 4);
        EXPECT_EQ(s.err, QStringLiteral("Registros: %1, válidas: %2, no válidas: %3, con error: %4\n")
                             .arg(lineas.size()).arg(cuentas[0]).arg(cuentas[1]).arg(cuentas[2]).toUtf8());
        EXPECT_EQ(s.codigo, 0);
    }
}

// Rows at the edges, from a file into a results file that replaces an earlier one.
TEST(CliVerificar, FilasDeBorde) {
    const QByteArray corta1 = "La referencia completa debe tener m\xE1s de 1 car\xE1" "cter", noValida = "Error: Referencia no v\xE1lida.";
    const std::tuple<const char*, const char*, QByteArray, QByteArray, QByteArray> casos[] = {
        {"corta, vacía y con espacios", "00", "7\n\n  1234566  \n 6 \n1 8",
         Fila("7", corta1, "") + Fila("", corta1, "") + Fila("  1234566  ", "v\xE1lida", "1234566") + Fila(" 6 ", corta1, "") +
             Fila("1 8", "no v\xE1lida", "18"),
         "Registros: 5, válidas: 1, no válidas: 1, con error: 3"},
        {"corta de ocho", "10", "12345678\t123.45\t15/06/2000\n123456463372689\t123.45\t15/06/2000\n12345646337268\t123.45\t15/06/2000",
         Fila("12345678", "La referencia completa debe tener m\xE1s de 8 caracteres", "") + Fila("123456463372689", "no v\xE1lida", "123456446337245") +
             Fila("12345646337268", "v\xE1lida", "12345646337268"),
         "Registros: 3, válidas: 1, no válidas: 1, con error: 1"},
        {"errores del registro", "06", "89062\t123\t4567\n89062\t123\n123456789012345678901\t1\t1\n1a062\t123\t4567",
         Fila("89062", "v\xE1lida", "89062") + Fila("89062", "Error: Cuenta no v\xE1lida.", "") +
             Fila("123456789012345678901", "Error: Referencia mayor a 18 d\xEDgitos.", "") + Fila("1a062", noValida, ""),
         "Registros: 4, válidas: 1, no válidas: 0, con error: 3"},
        {"más largas que el algoritmo", "00", "123456789012345678901\n12345678901234567890",
         Fila("123456789012345678901", "Error: Referencia mayor a 19 d\xEDgitos.", "") + Fila("12345678901234567890", "no v\xE1lida", "12345678901234567894"),
         "Registros: 2, válidas: 0, no válidas: 1, con error: 1"},
        {"el carácter de 02 y su fecha", "02", "140101-AB5\n1413015\n14011",
         Fila("140101-AB5", "Error: Referencia no valida = -", "") + Fila("1413015", "Error: Fecha <> AAMMDD", "") +
             Fila("14011", "Error: Fecha menor a 6 d\xEDgitos.", ""),
         "Registros: 3, válidas: 0, no válidas: 0, con error: 3"},
        // Windows-1252: Ñ is 0xD1. The check digit is the last character, whatever its bytes.
        {"no ASCII en Windows-1252", "35", "AB-C5\nA\xD1" "C5\nABC\xD1\n\xD1",
         Fila("AB-C5", "Caracter no V\xE1lido en la referencia: ' - '", "") + Fila("A\xD1" "C5", "Caracter no V\xE1lido en la referencia: ' \xD1 '", "") +
             Fila("ABC\xD1", "no v\xE1lida", "ABC4") + Fila("\xD1", corta1, ""),
         "Registros: 4, válidas: 0, no válidas: 1, con error: 3"},
        // U+1F600 has no place in Windows-1252 and is written "?".
        {"UTF-8 con marca de orden", "37", "\xEF\xBB\xBF" "ABC1\xC3\x91\nAB\xF0\x9F\x98\x80" "C12\nABC\xF0\x9F\x98\x80\xC3\x91\nAB\xC3\x91",
         Fila("ABC1\xD1", "no v\xE1lida", "ABC83") + Fila("AB?C12", "Caracter no V\xE1lido en la referencia: ' ? '", "") +
             Fila("ABC?\xD1", "no v\xE1lida", "ABC83") + Fila("AB\xD1", "no v\xE1lida", "A40"),
         "Registros: 4, válidas: 0, no válidas: 3, con error: 1"},
    };
    QTemporaryDir dir;
    const QString entrada = dir.filePath("entrada.txt"), salida = dir.filePath("salida.txt");
    for (const auto& [nombre, codigo, lineas, filas, resumen] : casos) {
        // Every line end gives the same rows.
        for (const QByteArray fin : {"\n", "\r\n", "\r"}) {
            EscribirArchivo(entrada, QByteArray(lineas).replace("\n", fin));
            EscribirArchivo(salida, "anterior");
            EXPECT_EQ(Correr({"verificar", codigo, "--archivo", entrada, "-o", salida}), (Salida{0, "", resumen + '\n'})) << nombre;
            EXPECT_EQ(LeerArchivo(salida), "Referencia\tResultado\tReferencia Esperada\r\n" + filas) << nombre << " " << fin.toPercentEncoding().toStdString();
        }
    }
}

}  // namespace
