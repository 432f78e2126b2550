// vaviviv-cli run as a real process: arguments, exit codes, streams and files.
#include "ejecutar_cli.h"

#include <QDir>
#include <QTemporaryDir>

using namespace vaviviv::prueba;

namespace {

QByteArray Utf8(const char* s) { return QByteArray(s); }
QByteArray Cp1252(const QString& s) {
    QByteArray b;
    for (QChar c : s) b.append(c == u'í' ? '\xED' : c == u'Ñ' ? '\xD1' : char(c.unicode()));
    return b;
}

TEST(CliCalcular, EscribeReferenciaCompletaTabuladorYDigitos) {
    struct Caso {
        QStringList args;
        const char* esperado;
    } casos[] = {
        {{"calcular", "00", "123456"}, "1234566\t6\n"},
        {{"calcular", "0", "123456"}, "1234566\t6\n"},
        {{"calcular", "02", "141118abc"}, "141118abc1\t1\n"},
        {{"calcular", "03", "271828"}, "2718284\t4\n"},
        {{"calcular", "4", "123456"}, "12345693\t93\n"},
        {{"calcular", "--sucursal", "123", "06", "890", "--cuenta=4567"}, "89062\t62\n"},
        {{"calcular", "10", "123456", "--importe", "123.45", "--fecha", "15/06/2000"}, "12345646337268\t46337268\n"},
        {{"calcular", "35", "ABC123"}, "ABC1238\t8\n"},
        {{"calcular", "36", "ABC123"}, "ABC1232\t2\n"},
        {{"calcular", "37", "ABC123"}, "ABC12303\t03\n"},
    };
    for (const auto& c : casos) {
        const Salida s = Correr(c.args);
        EXPECT_EQ(s.codigo, 0) << c.args.join(' ').toStdString() << s.err.toStdString();
        EXPECT_EQ(s.out, Utf8(c.esperado)) << c.args.join(' ').toStdString();
    }
}

TEST(CliCalcular, MensajesDeLaVentanaEnErroresConSalidaUno) {
    struct Caso {
        QStringList args;
        const char* err;
    } casos[] = {
        {{"calcular", "02", "12a45"},
         "La Referencia no puede ser mayor de 19 dígitos y menor de 6 dígitos\n"
         "Los 6 primeros dígitos de Fecha en la Referencia No tienen formato (AAMMDD) valido\n"},
        {{"calcular", "02", "1411181-"}, "Carácter no valido en la referencia:  ' - '\n"},
        {{"calcular", "35", "HOL#A-2014"}, "Caracter no Válido en la referencia: ' # '\n"},
        {{"calcular", "37", "AÑO"}, "Caracter no Válido en la referencia: ' Ñ '\n"},
        {{"calcular", "06", "890"}, "Teclear Sucursal\n"},
        {{"calcular", "10", "123456", "--importe", "5", "--fecha", "01/02/00"},
         "Teclear Fecha valida con formato:  DD/MM/AAAA\n"},
        // After "--" a reference may start with "-" or be empty.
        {{"calcular", "00", "--", "-5"}, "La Referencia debe ser numérica. Carácter no valido:  ' - '\n"},
        {{"calcular", "00", "--", ""}, "Teclear Referencia\n"},
    };
    for (const auto& c : casos) {
        const Salida s = Correr(c.args);
        EXPECT_EQ(s.codigo, 1) << c.args.join(' ').toStdString();
        EXPECT_TRUE(s.out.isEmpty());
        EXPECT_EQ(s.err, Utf8(c.err)) << c.args.join(' ').toStdString();
    }
}

TEST(CliUso, ErroresDeUsoSalenConDos) {
    const QList<QStringList> casos = {
        {},
        {"sumar", "00", "1"},
        {"calcular", "05", "123"},
        {"calcular", "00"},
        {"calcular", "00", "1", "2"},
        {"calcular", "00", "123", "--importe", "5"},
        {"calcular", "06", "1", "--sucursal"},
        {"calcular", "00", "1", "--color", "azul"},
        {"masivo", "00"},
        {"masivo", "00", "-", "--fecha", "01/01/2000"},
    };
    for (const auto& args : casos) {
        const Salida s = Correr(args);
        EXPECT_EQ(s.codigo, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(s.err.contains("vaviviv-cli --help")) << s.err.toStdString();
    }
    const Salida ayuda = Correr({"--help"});
    EXPECT_EQ(ayuda.codigo, 0);
    for (const char* ejemplo : {"vaviviv-cli calcular 00", "vaviviv-cli masivo 00", "vaviviv-cli verificar 00"})
        EXPECT_TRUE(ayuda.out.contains(ejemplo)) << ejemplo;
}

TEST(CliVerificar, SeparaLosDigitosDelAlgoritmo) {
    EXPECT_EQ(Correr({"verificar", "00", "1234566"}).out, Utf8("válida\n"));
    const Salida mala = Correr({"verificar", "00", "1234567"});
    EXPECT_EQ(mala.codigo, 1);
    EXPECT_EQ(mala.out, Utf8("no válida: se esperaba 1234566\n"));
    // Algorithm 10 has eight digits; 06 two, with branch and account.
    EXPECT_EQ(Correr({"verificar", "10", "12345646337268", "--importe", "123.45", "--fecha", "15/06/2000"}).codigo, 0);
    EXPECT_EQ(Correr({"verificar", "06", "89062", "--sucursal", "123", "--cuenta", "4567"}).codigo, 0);
    const Salida corta = Correr({"verificar", "04", "93"});
    EXPECT_EQ(corta.codigo, 1);
    EXPECT_FALSE(corta.err.isEmpty());
}

TEST(CliMasivo, EscribeElArchivoDeResultados) {
    const Salida s = Correr({"masivo", "00", QStringLiteral(VAVIVIV_SAMPLES "/referencias_00.txt")});
    EXPECT_EQ(s.codigo, 0) << s.err.toStdString();
    const QByteArray esperado = Cp1252(
        "Referencia\tReferencia Completa\tDígito Verif\r\n"
        "123456\t1234566\t6\t\r\n"
        "7992739871\t79927398713\t3\t\r\n"
        "  00123456 \t001234566\t6\t\r\n"
        "9999999999999999999\t99999999999999999999\t9\t\r\n"
        "12a4\tError: Referencia no válida.\t\t\r\n"
        "12345678901234567890\tError: Referencia mayor a 19 dígitos.\t\t\r\n"
        "\tError: Referencia no válida.\t\t\r\n");
    EXPECT_EQ(s.out, esperado);
    EXPECT_EQ(s.err, Utf8("Registros: 7, con error: 3\n"));
}

TEST(CliMasivo, CaracterNoValidoDejaCeldasVaciasYLoDiceEnErrores) {
    const Salida s = Correr({"masivo", "35", "-"}, LeerArchivo(QStringLiteral(VAVIVIV_SAMPLES "/referencias_35.txt")));
    EXPECT_EQ(s.codigo, 0);
    EXPECT_TRUE(s.out.contains(Cp1252("\r\nAÑO-2014\t\t\t\r\nABC124\tABC124")));
    EXPECT_EQ(s.err, Utf8("Registro 6: Caracter no Válido en la referencia: ' Ñ '\nRegistros: 7, con error: 1\n"));
}

TEST(CliMasivo, CincoColumnasConservanLasEntradas) {
    const Salida s = Correr({"masivo", "10", "-"}, QByteArray("123456\t123.45\t15/06/2000\r\n123456\t-5\t1/6/2000"));
    EXPECT_EQ(s.out, Cp1252("Referencia\tImporte\tFecha\tReferencia Completa\tDígito Verif\r\n"
                            "123456\t123.45\t15/06/2000\t12345646337268\t46337268\t\r\n"
                            "123456\t-5\t1/6/2000\tError: Importe no válido.\t\t\r\n"));
}

// Options anywhere; the results replace the earlier file, no temporary file left.
TEST(CliMasivo, ArchivoDeSalidaReemplazaAlAnterior) {
    QTemporaryDir dir;
    const QString salida = dir.filePath("resultados.txt");
    EscribirArchivo(salida, "anterior");
    const Salida bien = Correr({"-o", salida, "masivo", "00", "-"}, "123456\n");
    EXPECT_EQ(bien.codigo, 0);
    EXPECT_TRUE(bien.out.isEmpty());
    EXPECT_EQ(LeerArchivo(salida), Cp1252("Referencia\tReferencia Completa\tDígito Verif\r\n123456\t1234566\t6\t\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

}  // namespace
