// The bulk calculation in frmMasivo: every code family's outcomes, the bad
// character box of routines 35, 36 and 37 followed by a good row, second
// runs, and the state the command leaves behind.

#include "masivo_prueba.h"

using namespace vaviviv;
using vaviviv::prueba::VentanaMasiva;

namespace {

const QString kNoValida = QString::fromUtf8("Error: Referencia no válida.");
const QString kFormatoFecha = QString::fromUtf8("Formato de fecha no válido.");

}  // namespace

class PruebaCalculoMasivo : public QObject {
    Q_OBJECT

    std::unique_ptr<VentanaMasiva> v;

private slots:
    void init() { v = std::make_unique<VentanaMasiva>(); }
    void cleanup() { v.reset(); }

    void resultados_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QStringList>("entrada");
        QTest::addColumn<QString>("resultado");
        QTest::addColumn<QString>("digitos");
        const auto fila = [](const char* nombre, int codigo, const QStringList& entrada, const char* resultado,
                             const char* digitos) {
            QTest::newRow(nombre) << codigo << entrada << QString::fromUtf8(resultado) << QString::fromUtf8(digitos);
        };
        fila("00 con blancos", 0, {"  123456 "}, "1234566", "6");
        fila("00 decimal", 0, {"12.5"}, "Error: Referencia no válida.", "");
        fila("00 negativa", 0, {"-5"}, "Error: Referencia no válida.", "");
        fila("00 vacía", 0, {""}, "Error: Referencia no válida.", "");
        fila("00 19 dígitos", 0, {"1234567890123456789"}, "", "");  // computed: see below
        fila("00 20 dígitos", 0, {"12345678901234567890"}, "Error: Referencia mayor a 19 dígitos.", "");
        fila("03", 3, {"271828"}, "2718284", "4");
        fila("03 solo cuentan seis", 3, {"99271828"}, "992718284", "4");
        fila("04", 4, {"123456"}, "12345693", "93");
        fila("04 19 dígitos", 4, {"1234567890123456789"}, "Error: Referencia mayor a 18 dígitos.", "");
        fila("04 letras", 4, {"12A"}, "Error: Referencia no válida.", "");
        fila("02", 2, {"141118ABC"}, "141118ABC1", "1");
        fila("02 carácter", 2, {"1411181-"}, "Error: Referencia no valida = -", "");
        fila("02 mes", 2, {"14A118"}, "Error: Valor de mes no válido.", "");
        fila("02 año", 2, {"AB1118"}, "Error: Valor de año no válido.", "");
        fila("02 día", 2, {"1411AB"}, "Error: Valor de día no válido.", "");
        fila("02 corta", 2, {"12345"}, "Error: Fecha menor a 6 dígitos.", "");
        fila("02 fecha", 2, {"141318"}, "Error: Fecha <> AAMMDD", "");
        fila("06", 6, {"890", "123", "4567"}, "89062", "62");
        fila("06 referencia larga", 6, {"1234567890123456789", "1", "1"}, "Error: Referencia mayor a 18 dígitos.", "");
        fila("06 sucursal larga", 6, {"890", "123456789", "4567"}, "Error: Sucursal mayora 8 dígitos.", "");
        fila("06 sucursal", 6, {"890", "1a", "4567"}, "Error: Sucursal no válida.", "");
        fila("06 cuenta larga", 6, {"890", "123", "123456789"}, "Error: Cuenta mayor a 8 dígitos.", "");
        fila("06 cuenta vacía", 6, {"890", "123", ""}, "Error: Cuenta no válida.", "");
        fila("10", 10, {"123456", "123.45", "15/06/2000"}, "12345646337268", "46337268");
        fila("10 con blancos", 10, {" 123456 ", " 123.45 ", " 15/06/2000 "}, "12345646337268", "46337268");
        fila("10 referencia larga", 10, {"1234567890123", "1", "15/06/2000"}, "Error: Referencia mayor a 12 dígitos.", "");
        fila("10 importe", 10, {"123456", "abc", "x"}, "Error: Importe no válido.", "");
        fila("10 fecha corta", 10, {"123456", "5", "1/6/2000"}, "Formato de fecha no válido.", "");
        fila("10 fecha al revés", 10, {"123456", "5", "2000/06/15"}, "Formato de fecha no válido.", "");
        fila("10 fecha vacía", 10, {"123456", "5", ""}, "Formato de fecha no válido.", "");
        fila("10 importe grande", 10, {"123456", "1000000000", "15/06/2000"}, "Error: Importe mayor a $ 999999999.99", "");
        fila("10 fecha imposible", 10, {"123456", "5", "31/02/2000"}, "Error: Fecha no válida.", "");
        fila("10 fecha tardía", 10, {"123456", "5", "19/11/2014"}, "Error: Fecha mayor al 18/11/2014.", "");
        fila("10 fecha temprana", 10, {"123456", "5", "31/12/1987"}, "Error: Fecha menor al 01/01/1988.", "");
        fila("35", 35, {"ABC123"}, "ABC1238", "8");
        fila("35 larga", 35, {"ABCDEFGHIJ1234567890"}, "Error: Referencia mayor a 19 caracteres alfanumericos.", "");
        fila("36", 36, {"ABC123"}, "ABC1232", "2");
        fila("37", 37, {"ABC123"}, "ABC12303", "03");
        fila("37 larga", 37, {"ABCDEFGHIJ123456789"}, "Error: Referencia mayor a 18 caracteres alfanumericos.", "");
    }

    // Each row gets its outcome and digits; the input cells stay as they were.
    void resultados() {
        QFETCH(int, codigo);
        QFETCH(QStringList, entrada);
        QFETCH(QString, resultado);
        QFETCH(QString, digitos);
        v->elegir(codigo);
        v->poner({entrada, entrada});
        // A result from before is replaced either way.
        const int columnas = v->rejilla().Cols();
        v->rejilla().setTextMatrix(2, columnas - 2, QStringLiteral("viejo"));
        v->rejilla().setTextMatrix(2, columnas - 1, QStringLiteral("9"));
        v->calcular();
        QCOMPARE(v->dialogos().cajas().size(), std::size_t(0));
        for (int r = 1; r <= 2; ++r) {
            const QStringList celdas = v->fila(r);
            for (int c = 0; c < entrada.size(); ++c) QCOMPARE(celdas[c], entrada[c]);
            if (resultado.isEmpty()) {
                // No limit hit: computed, the reference followed by one digit.
                QCOMPARE(celdas[columnas - 1].size(), 1);
                QCOMPARE(celdas[columnas - 2], entrada[0] + celdas[columnas - 1]);
            } else {
                QCOMPARE(celdas[columnas - 2], resultado);
                QCOMPARE(celdas[columnas - 1], digitos);
            }
        }
    }

    // 02 has no upper length limit; a 25-character reference is computed.
    void largaEn02() {
        v->elegir(2);
        const QString larga = QStringLiteral("141118ABCDEFGHIJKLMNOPQRS");
        v->poner({{larga}});
        v->calcular();
        QCOMPARE(v->fila(1)[2].size(), 1);
        QCOMPARE(v->fila(1)[1], larga + v->fila(1)[2]);
    }

    void caracterNoValido_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("mala");
        QTest::addColumn<QString>("caracter");
        QTest::addColumn<QString>("buena");
        QTest::addColumn<QString>("digitos");
        QTest::newRow("35") << 35 << QStringLiteral("ABC-1") << QStringLiteral("-") << QStringLiteral("ABC123") << QStringLiteral("8");
        QTest::newRow("36") << 36 << QStringLiteral("HOL#A-2014") << QStringLiteral("#") << QStringLiteral("ABC123") << QStringLiteral("2");
        QTest::newRow("37") << 37 << QString::fromUtf8("AÑO") << QString::fromUtf8("Ñ") << QStringLiteral("ABC123") << QStringLiteral("03");
    }

    // One box per bad row, the run goes on; the bad row gets two empty cells.
    void caracterNoValido() {
        QFETCH(int, codigo);
        QFETCH(QString, mala);
        QFETCH(QString, caracter);
        QFETCH(QString, buena);
        QFETCH(QString, digitos);
        v->elegir(codigo);
        v->poner({{mala, "viejo", "1"}, {buena}});
        int filaEnPantalla = -1;
        v->dialogos().alMostrar = [&](const Caja&) { filaEnPantalla = v->rejilla().Row(); };
        v->calcular();
        QCOMPARE(v->dialogos().textos(), QStringList{QString::fromUtf8("Caracter no Válido en la referencia: ' ") + caracter + " '"});
        const Caja& caja = v->dialogos().cajas()[0];
        QCOMPARE(caja.icono, Icono::Critico);
        QCOMPARE(caja.botones, Botones::Aceptar);
        QCOMPARE(caja.titulo, QStringLiteral("VaviviV"));
        QCOMPARE(filaEnPantalla, 1);  // the user sees the row the box is about
        QCOMPARE(v->fila(1), (QStringList{mala, "", ""}));
        QCOMPARE(v->fila(2), (QStringList{buena, buena + digitos, digitos}));
    }

    // After a failure and a correction, the second run computes the row.
    void segundaVuelta() {
        v->elegir(10);
        v->poner({{"123456", "123.45", "1/6/2000"}});
        v->calcular();
        QCOMPARE(v->fila(1)[3], kFormatoFecha);
        v->rejilla().setTextMatrix(1, 2, QStringLiteral("15/06/2000"));
        v->calcular();
        QCOMPARE(v->fila(1), (QStringList{"123456", "123.45", "15/06/2000", "12345646337268", "46337268"}));
    }

    void estadoAlTerminar() {
        v->elegir(4);
        QVERIFY(v->cargar("1\r\n2\r\n3\r\n"));
        v->rejilla().setRowCol(0, 0);
        v->calcular();
        QVERIFY(v->sinGuardar());
        QVERIFY(v->boton("cmdCalcular")->isEnabled());
        QCOMPARE(v->rejilla().Row(), 3);
        QCOMPARE(v->rejilla().Col(), 2);
        QCOMPARE(v->rejilla().currentIndex(), v->rejilla().model()->index(2, 2));
    }

    // Only the title row: nothing to compute, the marker goes on all the same.
    void sinFilas() {
        v->elegir(0);
        v->calcular();
        QCOMPARE(v->rejilla().Rows(), 1);
        QVERIFY(v->sinGuardar());
        QCOMPARE(v->dialogos().cajas().size(), std::size_t(0));
    }
};

VAVIVIV_QTEST_MAIN(PruebaCalculoMasivo)

#include "frmMasivo_calcular_test.moc"
