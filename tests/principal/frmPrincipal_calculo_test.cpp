// The calculate command in the window: a result for each algorithm, every
// failure path shown box by box with the focus on the field at fault, and the
// result left alone when anything fails.

#include "ventana_prueba.h"

using namespace vaviviv;
using vaviviv::prueba::Ventana;

namespace {

struct Datos {
    Datos(QString r = {}, QString s = {}, QString c = {}, QString i = {}, QString f = {})
        : referencia(r), sucursal(s), cuenta(c), importe(i), fecha(f) {}
    QString referencia, sucursal, cuenta, importe, fecha;
};

// The field that a failure of `campo` must focus, by the control's name.
const char* NombreDe(Campo campo) {
    switch (campo) {
        case Campo::Referencia: return "txtReferenciaaCalcular";
        case Campo::Sucursal: return "txtSucursal";
        case Campo::Cuenta: return "txtCuenta";
        case Campo::Importe: return "mskImporte";
        case Campo::Fecha: return "mskFecha";
        case Campo::Ninguno: break;
    }
    return "";
}

}  // namespace

Q_DECLARE_METATYPE(Datos)

class PruebaCalculo : public QObject {
    Q_OBJECT

    std::unique_ptr<Ventana> v;

    // Fills the fields as they stand before a click. The reference may be
    // longer than the field lets the user type, as only code can put it there.
    void llenar(int codigo, const Datos& d) {
        v->elegir(codigo);
        v->campo("txtReferenciaaCalcular")->setMaxLength(32767);
        v->llenar(d.referencia, d.sucursal, d.cuenta, d.importe, d.fecha);
    }

    // Every box of the command: critical icon, OK, the application's title.
    void comprobarEstilo() {
        for (const Caja& caja : v->dialogos().cajas()) {
            QCOMPARE(caja.icono, Icono::Critico);
            QCOMPARE(caja.botones, Botones::Aceptar);
            QCOMPARE(caja.titulo, QStringLiteral("VaviviV"));
        }
    }

private slots:
    void init() { v = std::make_unique<Ventana>(); }
    void cleanup() { v.reset(); }

    // The worked example of each algorithm, through the window.
    void calculoCorrecto_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<Datos>("datos");
        QTest::addColumn<QString>("digitos");
        QTest::newRow("00") << 0 << Datos{"123456"} << "6";
        QTest::newRow("02") << 2 << Datos{"141118ABC"} << "1";
        QTest::newRow("03") << 3 << Datos{"271828"} << "4";
        QTest::newRow("04") << 4 << Datos{"123456"} << "93";
        QTest::newRow("06") << 6 << Datos{"890", "123", "4567"} << "62";
        QTest::newRow("10") << 10 << Datos{"123456", {}, {}, "123.45", "15/06/2000"} << "46337268";
        QTest::newRow("35") << 35 << Datos{"ABC123"} << "8";
        QTest::newRow("36") << 36 << Datos{"ABC123"} << "2";
        QTest::newRow("37") << 37 << Datos{"ABC123"} << "03";
        // Lower case stays as typed in the complete reference.
        QTest::newRow("36 minusculas") << 36 << Datos{"abc123"} << "2";
    }

    void calculoCorrecto() {
        QFETCH(int, codigo);
        QFETCH(Datos, datos);
        QFETCH(QString, digitos);
        llenar(codigo, datos);
        QWidget* antes = v->campo("txtReferenciaaCalcular");
        antes->setFocus();
        v->calcular();
        QCOMPARE(v->dialogos().textos(), QStringList());
        QCOMPARE(v->referenciaCompleta(), datos.referencia + digitos);
        QCOMPARE(v->digitos(), digitos);
        QCOMPARE(v->foco(), antes);
        // Nothing else changes.
        QCOMPARE(v->campo("txtReferenciaaCalcular")->text(), datos.referencia);
        QCOMPARE(v->algoritmos()->currentData().toInt(), codigo);
    }

    // The second result replaces the first entirely, longer or shorter.
    void dosCalculosSeguidos() {
        llenar(10, {"123456", {}, {}, "123.45", "15/06/2000"});
        v->calcular();
        QCOMPARE(v->digitos(), QStringLiteral("46337268"));
        v->elegir(0);
        v->teclear("txtReferenciaaCalcular", QStringLiteral("123456"));
        v->calcular();
        QCOMPARE(v->referenciaCompleta(), QStringLiteral("1234566"));
        QCOMPARE(v->digitos(), QStringLiteral("6"));
    }

    // The command guards itself even though the window keeps its button
    // disabled while no algorithm is chosen.
    void sinAlgoritmo() {
        QCOMPARE(v->algoritmos()->currentIndex(), -1);
        v->campo("txtReferenciaaCalcular")->setText(QStringLiteral("123"));
        v->ponerResultado(QStringLiteral("x"), QStringLiteral("y"));
        v->algoritmos()->setFocus();
        v->ventana().cmdCalcularReferencia_Click();
        QCOMPARE(v->dialogos().textos(), QStringList{QString::fromUtf8("Debe seleccionar un Algoritmo de cálculo")});
        comprobarEstilo();
        QCOMPARE(v->foco(), v->algoritmos());
        QCOMPARE(v->referenciaCompleta(), QStringLiteral("x"));
        QCOMPARE(v->campo("txtReferenciaaCalcular")->text(), QStringLiteral("123"));
    }

    // One row per failure path of every algorithm. The messages and the field
    // come from the shared rules (checked against their texts on their own);
    // here: the window shows exactly those boxes, in order, each in the
    // command's style, moves the focus only after the last one, and keeps
    // the previous result.
    void fallos_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<Datos>("datos");
        QTest::addColumn<QString>("campo");
        const QString v20(20, QLatin1Char('9')), v19(19, QLatin1Char('9')), v13(13, QLatin1Char('9'));
        const QString a20(20, QLatin1Char('A')), a19(19, QLatin1Char('A'));
        const QString ref = QStringLiteral("txtReferenciaaCalcular");
        for (int codigo : {0, 2, 3, 4, 10, 35, 36, 37})
            QTest::addRow("%02d vacia", codigo) << codigo << Datos{} << ref;
        for (int codigo : {0, 3}) {
            QTest::addRow("%02d larga", codigo) << codigo << Datos{v20} << ref;
            QTest::addRow("%02d letra", codigo) << codigo << Datos{"12a4"} << ref;
            QTest::addRow("%02d espacio delante", codigo) << codigo << Datos{" 123"} << ref;
        }
        QTest::newRow("02 corta") << 2 << Datos{"12345"} << ref;
        QTest::newRow("02 larga") << 2 << Datos{"141118" + QString(14, QLatin1Char('A'))} << ref;
        QTest::newRow("02 corta y letra") << 2 << Datos{"12a45"} << ref;
        QTest::newRow("02 letra en la fecha") << 2 << Datos{"1411a8ABC"} << ref;
        QTest::newRow("02 mes 13") << 2 << Datos{"901301X"} << ref;
        QTest::newRow("02 dia 00") << 2 << Datos{"900100ABC"} << ref;
        QTest::newRow("02 29 feb 1999") << 2 << Datos{"9902291234"} << ref;
        QTest::newRow("04 larga") << 4 << Datos{v19} << ref;
        QTest::newRow("04 guion") << 4 << Datos{"12-3"} << ref;
        QTest::newRow("06 todo vacio") << 6 << Datos{} << "txtSucursal";
        QTest::newRow("06 sucursal larga") << 6 << Datos{"890", "123456789", "4567"} << "txtSucursal";
        QTest::newRow("06 sucursal letra") << 6 << Datos{"890", "12a", "4567"} << "txtSucursal";
        QTest::newRow("06 sin cuenta") << 6 << Datos{"890", "123"} << "txtCuenta";
        QTest::newRow("06 cuenta larga") << 6 << Datos{"890", "123", "123456789"} << "txtCuenta";
        QTest::newRow("06 cuenta punto") << 6 << Datos{"890", "123", "45.6"} << "txtCuenta";
        QTest::newRow("06 sin referencia") << 6 << Datos{"", "12345678", "87654321"} << ref;
        QTest::newRow("06 referencia larga") << 6 << Datos{v19, "123", "4567"} << ref;
        QTest::newRow("06 referencia letra") << 6 << Datos{"8x9", "123", "4567"} << ref;
        const QString f = QStringLiteral("15/06/2000");
        QTest::newRow("10 referencia larga") << 10 << Datos{v13, {}, {}, "abc", ""} << ref;
        QTest::newRow("10 referencia letra") << 10 << Datos{"12a", {}, {}, "abc", ""} << ref;
        QTest::newRow("10 sin importe") << 10 << Datos{"123456", {}, {}, "", f} << "mskImporte";
        QTest::newRow("10 importe 1.2.3") << 10 << Datos{"123456", {}, {}, "1.2.3", f} << "mskImporte";
        QTest::newRow("10 importe excesivo") << 10 << Datos{"123456", {}, {}, "999999999.991", f} << "mskImporte";
        QTest::newRow("10 importe negativo") << 10 << Datos{"123456", {}, {}, "-1", f} << "mskImporte";
        QTest::newRow("10 fecha en blanco") << 10 << Datos{"123456", {}, {}, "1", "  /  /    "} << "mskFecha";
        QTest::newRow("10 fecha vacia") << 10 << Datos{"123456", {}, {}, "1", ""} << "mskFecha";
        QTest::newRow("10 31 feb") << 10 << Datos{"123456", {}, {}, "1", "31/02/2000"} << "mskFecha";
        QTest::newRow("10 mes 13") << 10 << Datos{"123456", {}, {}, "1", "01/13/2000"} << "mskFecha";
        QTest::newRow("10 un digito") << 10 << Datos{"123456", {}, {}, "1", "1/2/2000"} << "mskFecha";
        QTest::newRow("10 antes de 1988") << 10 << Datos{"123456", {}, {}, "1", "31/12/1987"} << "mskFecha";
        QTest::newRow("10 despues de 2014") << 10 << Datos{"123456", {}, {}, "1", "19/11/2014"} << "mskFecha";
        // Accepted by the checks, refused by the preparation of the date.
        QTest::newRow("10 anio de dos cifras") << 10 << Datos{"123456", {}, {}, "1", "01/02/00"} << "mskFecha";
        QTest::newRow("35 larga") << 35 << Datos{a20} << ref;
        QTest::newRow("36 larga") << 36 << Datos{a20} << ref;
        QTest::newRow("37 larga") << 37 << Datos{a19} << ref;
    }

    void fallos() {
        QFETCH(int, codigo);
        QFETCH(Datos, datos);
        QFETCH(QString, campo);
        llenar(codigo, datos);
        v->ponerResultado(QStringLiteral("anterior"), QStringLiteral("9"));
        QWidget* antes = v->algoritmos();
        antes->setFocus();
        QList<QWidget*> focoConLaCajaAbierta;
        v->dialogos().alMostrar = [this, &focoConLaCajaAbierta](const Caja&) { focoConLaCajaAbierta << v->foco(); };

        v->calcular();

        const CalculoPrincipal esperado = CalcularReferencia(
            codigo, DatosPrincipal{datos.referencia, datos.sucursal, datos.cuenta, datos.importe, datos.fecha});
        QVERIFY(!esperado.mensajes.isEmpty());
        QCOMPARE(QString::fromLatin1(NombreDe(esperado.foco)), campo);
        QCOMPARE(v->dialogos().textos(), esperado.mensajes);
        comprobarEstilo();
        for (QWidget* w : focoConLaCajaAbierta) QCOMPARE(w, antes);
        QCOMPARE(v->foco()->objectName(), campo);
        QCOMPARE(v->referenciaCompleta(), QStringLiteral("anterior"));
        QCOMPARE(v->digitos(), QStringLiteral("9"));
        QCOMPARE(v->campo("txtReferenciaaCalcular")->text(), datos.referencia);
    }

    // A few cases in the very words the user reads.
    void textosDeLosMensajes() {
        llenar(6, {});
        v->calcular();
        QCOMPARE(v->dialogos().textos(), QStringList{"Teclear Sucursal"});

        v->dialogos().olvidar();
        llenar(0, {"12a4"});
        v->calcular();
        QCOMPARE(v->dialogos().textos(),
                 QStringList{QString::fromUtf8("La Referencia debe ser numérica. Carácter no valido:  ' a '")});

        v->dialogos().olvidar();
        llenar(2, {"12a45"});
        v->calcular();
        QCOMPARE(v->dialogos().textos(),
                 QStringList({QString::fromUtf8("La Referencia no puede ser mayor de 19 dígitos y menor de 6 dígitos"),
                              QString::fromUtf8("Los 6 primeros dígitos de Fecha en la Referencia No tienen "
                                                "formato (AAMMDD) valido")}));

        v->dialogos().olvidar();
        llenar(10, {"123456", {}, {}, "1", "01/02/00"});
        v->calcular();
        QCOMPARE(v->dialogos().textos(), QStringList{"Teclear Fecha valida con formato:  DD/MM/AAAA"});
    }

    // The routines' own refusals: the box for the bad character and nothing
    // else; the focus and the result stay.
    void caracterNoValido_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("referencia");
        QTest::addColumn<QString>("mensaje");
        const QString rutinas = QString::fromUtf8("Caracter no Válido en la referencia: ' - '");
        QTest::newRow("35") << 35 << "HOLA-2014" << rutinas;
        QTest::newRow("36") << 36 << "HOLA-2014" << rutinas;
        QTest::newRow("37") << 37 << "AB-C" << rutinas;
        QTest::newRow("35 espacio delante") << 35 << " ABC"
                                            << QString::fromUtf8("Caracter no Válido en la referencia: '   '");
        // Code 02 checks only its first six characters; its routine reports the rest.
        QTest::newRow("02") << 2 << "141118A-B"
                            << QString::fromUtf8("Carácter no valido en la referencia:  ' - '");
    }

    void caracterNoValido() {
        QFETCH(int, codigo);
        QFETCH(QString, referencia);
        QFETCH(QString, mensaje);
        llenar(codigo, {referencia});
        v->ponerResultado(QStringLiteral("anterior"), QStringLiteral("9"));
        QWidget* antes = v->algoritmos();
        antes->setFocus();
        v->calcular();
        QCOMPARE(v->dialogos().textos(), QStringList{mensaje});
        comprobarEstilo();
        QCOMPARE(v->foco(), antes);
        QCOMPARE(v->referenciaCompleta(), QStringLiteral("anterior"));
        QCOMPARE(v->digitos(), QStringLiteral("9"));
    }

    // The date reaches routine 10 trimmed and with its day made two digits:
    // " 1/02/2000" (what the field's ten characters allow) counts as "01/02/2000".
    void fechaPreparadaPara10() {
        const auto digitosCon = [this](const QString& fecha) {
            llenar(10, {"123456", {}, {}, "123.45", fecha});
            v->calcular();
            return v->digitos();
        };
        const QString conCero = digitosCon(QStringLiteral("01/02/2000"));
        QCOMPARE(conCero.size(), 8);
        QCOMPARE(digitosCon(QStringLiteral(" 1/02/2000")), conCero);
        QCOMPARE(v->dialogos().textos(), QStringList());
        // The field keeps what the user typed.
        QCOMPARE(v->campo("mskFecha")->text(), QStringLiteral(" 1/02/2000"));
    }
};

VAVIVIV_QTEST_MAIN(PruebaCalculo)
#include "frmPrincipal_calculo_test.moc"
