// What the entry fields let the user type, Enter as the calculate key, and
// what a change of each field does to the result and the print button.

#include "ventana_prueba.h"

using namespace vaviviv;
using vaviviv::prueba::Ventana;

class PruebaTeclas : public QObject {
    Q_OBJECT

    std::unique_ptr<Ventana> v;

    // Algorithm 10 calculated, so that there is a result to lose.
    void calculado10() {
        v->elegir(10);
        v->llenar(QStringLiteral("123456"), {}, {}, QStringLiteral("123.45"), QStringLiteral("15/06/2000"));
        v->calcular();
        QCOMPARE(v->digitos(), QStringLiteral("46337268"));
    }

private slots:
    void init() { v = std::make_unique<Ventana>(); }
    void cleanup() { v.reset(); }

    void filtros_data() {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("tecleado");
        QTest::addColumn<QString>("queda");
        QTest::newRow("importe letra") << "mskImporte" << "12a4" << "124";
        QTest::newRow("importe miles") << "mskImporte" << "1,000.50" << "1000.50";
        QTest::newRow("importe signo") << "mskImporte" << "-5+" << "5";
        QTest::newRow("importe espacios") << "mskImporte" << " 1 2 " << "12";
        // A second point gets in; the calculate command reports it.
        QTest::newRow("importe dos puntos") << "mskImporte" << "1.2.3" << "1.2.3";
        QTest::newRow("fecha completa") << "mskFecha" << "25/12/2001" << "25/12/2001";
        QTest::newRow("fecha otros separadores") << "mskFecha" << "25-12.2001" << "25122001";
        QTest::newRow("fecha letras y espacios") << "mskFecha" << "a1 b/" << "1/";
        QTest::newRow("fecha acentos") << "mskFecha" << QString::fromUtf8("ñ3é") << "3";
    }

    void filtros() {
        QFETCH(QString, campo);
        QFETCH(QString, tecleado);
        QFETCH(QString, queda);
        v->elegir(10);
        v->campo("mskFecha")->clear();
        v->teclear(campo.toLatin1().constData(), tecleado);
        QCOMPARE(v->campo(campo.toLatin1().constData())->text(), queda);
    }

    // Backspace and the editing keys still work where characters are filtered.
    void teclasDeEdicion() {
        v->elegir(10);
        v->teclear("mskImporte", QStringLiteral("1234"));
        QLineEdit* importe = v->campo("mskImporte");
        QTest::keyClick(importe, Qt::Key_Backspace);
        QCOMPARE(importe->text(), QStringLiteral("123"));
        QTest::keyClick(importe, Qt::Key_Home);
        QTest::keyClick(importe, Qt::Key_Delete);
        QCOMPARE(importe->text(), QStringLiteral("23"));
        v->campo("mskFecha")->clear();
        v->teclear("mskFecha", QStringLiteral("01/0"));
        QTest::keyClick(v->campo("mskFecha"), Qt::Key_Backspace);
        QCOMPARE(v->campo("mskFecha")->text(), QStringLiteral("01/"));
    }

    // Reference, branch and account take anything, under every algorithm.
    void camposSinFiltro() {
        const QString todo = QString::fromUtf8("aZ 9-ñ.");
        for (int codigo : {0, 2, 3, 4, 6, 10, 35, 36, 37}) {
            v->elegir(codigo);
            v->teclear("txtReferenciaaCalcular", todo);
            QCOMPARE(v->campo("txtReferenciaaCalcular")->text(), todo);
        }
        v->elegir(6);
        v->teclear("txtSucursal", todo);
        v->teclear("txtCuenta", todo);
        QCOMPARE(v->campo("txtSucursal")->text(), todo);
        QCOMPARE(v->campo("txtCuenta")->text(), todo);
    }

    void resultadosNoEditables() {
        calculado10();
        for (const char* nombre : {"txtReferenciaCompleta", "txtVaviviVerificador"}) {
            const QString antes = v->campo(nombre)->text();
            v->teclear(nombre, QStringLiteral("99"));
            QTest::keyClick(v->campo(nombre), Qt::Key_Backspace);
            QCOMPARE(v->campo(nombre)->text(), antes);
        }
    }

    // Enter calculates with the data as typed so far, in any entry field;
    // nothing is inserted and the focus stays.
    void enterCalcula_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("digitos");
        QTest::newRow("referencia") << 10 << "txtReferenciaaCalcular" << "46337268";
        QTest::newRow("importe") << 10 << "mskImporte" << "46337268";
        QTest::newRow("fecha") << 10 << "mskFecha" << "46337268";
        QTest::newRow("sucursal") << 6 << "txtSucursal" << "62";
        QTest::newRow("cuenta") << 6 << "txtCuenta" << "62";
    }

    void enterCalcula() {
        QFETCH(int, codigo);
        QFETCH(QString, campo);
        QFETCH(QString, digitos);
        v->elegir(codigo);
        if (codigo == 10)
            v->llenar(QStringLiteral("123456"), {}, {}, QStringLiteral("123.45"), QStringLiteral("15/06/2000"));
        else
            v->llenar(QStringLiteral("890"), QStringLiteral("123"), QStringLiteral("4567"));
        QLineEdit* destino = v->campo(campo.toLatin1().constData());
        const QString texto = destino->text();
        destino->setFocus();
        QTest::keyClick(destino, Qt::Key_Return);
        QCOMPARE(v->digitos(), digitos);
        QCOMPARE(destino->text(), texto);
        QCOMPARE(v->foco(), destino);
        QTest::keyClick(destino, Qt::Key_Enter);  // the keypad's Enter too
        QCOMPARE(v->dialogos().textos(), QStringList());
    }

    // Enter runs the whole command, messages included.
    void enterConDatosIncompletos() {
        v->elegir(10);
        v->teclear("txtReferenciaaCalcular", QStringLiteral("123"));
        v->enter("txtReferenciaaCalcular");
        QCOMPARE(v->dialogos().textos(), QStringList{"Teclear Importe"});
        QCOMPARE(v->foco(), v->campo("mskImporte"));
    }

    // Typing in branch, account, amount or date empties the result at once;
    // typing in the reference leaves it.
    void cambiosVacianResultado_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<bool>("vacia");
        QTest::newRow("sucursal") << 6 << "txtSucursal" << true;
        QTest::newRow("cuenta") << 6 << "txtCuenta" << true;
        QTest::newRow("importe") << 10 << "mskImporte" << true;
        QTest::newRow("fecha") << 10 << "mskFecha" << true;
        QTest::newRow("referencia") << 10 << "txtReferenciaaCalcular" << false;
    }

    void cambiosVacianResultado() {
        QFETCH(int, codigo);
        QFETCH(QString, campo);
        QFETCH(bool, vacia);
        v->elegir(codigo);
        v->campo(campo.toLatin1().constData())->clear();  // the date comes full
        v->ponerResultado(QStringLiteral("1234566"), QStringLiteral("6"));
        v->teclear(campo.toLatin1().constData(), QStringLiteral("1"));
        QCOMPARE(v->referenciaCompleta().isEmpty(), vacia);
        QCOMPARE(v->digitos().isEmpty(), vacia);
        // A change from code counts as much as a typed one.
        v->ponerResultado(QStringLiteral("1234566"), QStringLiteral("6"));
        v->campo(campo.toLatin1().constData())->setText(QStringLiteral("2"));
        QCOMPARE(v->referenciaCompleta().isEmpty(), vacia);
    }

    void resultadoCompletoSeVaciaPrimero() {
        calculado10();
        QStringList visto;
        connect(v->campo("txtReferenciaCompleta"), &QLineEdit::textChanged, [this, &visto] {
            visto << QStringLiteral("completa:%1/%2").arg(v->referenciaCompleta(), v->digitos());
        });
        connect(v->campo("txtVaviviVerificador"), &QLineEdit::textChanged, [this, &visto] {
            visto << QStringLiteral("digitos:%1/%2").arg(v->referenciaCompleta(), v->digitos());
        });
        v->ventana().LimpiarResultados();
        QCOMPARE(visto, QStringList({"completa:/46337268", "digitos:/"}));
    }

    // The print button follows the reference: on while it holds anything
    // but spaces, whether a result shows or not.
    void botonImprimirSigueLaReferencia() {
        v->elegir(0);
        QPushButton* imprimir = v->boton("cmdImprime");
        v->teclear("txtReferenciaaCalcular", QStringLiteral("   "));
        QVERIFY(!imprimir->isEnabled());
        v->teclear("txtReferenciaaCalcular", QStringLiteral("7"));
        QVERIFY(imprimir->isEnabled());
        QTest::keyClick(v->campo("txtReferenciaaCalcular"), Qt::Key_Backspace);
        QVERIFY(!imprimir->isEnabled());
        // A tab is no space.
        v->campo("txtReferenciaaCalcular")->setText(QStringLiteral("\t"));
        QVERIFY(imprimir->isEnabled());
        v->elegir(0);
        QVERIFY(!imprimir->isEnabled());
    }
};

VAVIVIV_QTEST_MAIN(PruebaTeclas)
#include "frmPrincipal_teclas_test.moc"
