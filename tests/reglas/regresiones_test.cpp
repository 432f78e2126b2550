// Faults found by fuzzing, each kept as the case that showed it.

#include <gtest/gtest.h>

#include <QBuffer>
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "engine/algoritmos.h"
#include "engine/numero.h"
#include "fuzz/dispositivo_troceado.h"
#include "reglas/archivo_entrada.h"
#include "reglas/archivo_resultados.h"
#include "reglas/reglas_fila.h"
#include "reglas/texto.h"
#include "reglas/calcular_referencia.h"

namespace {

using namespace vaviviv;

// Amounts below 999,999,999.99 with more than two decimals were taken as over
// the maximum (only the count of decimals was looked at).
TEST(Regresiones, ImporteConMasDecimalesBajoElMaximo) {
    const std::pair<const char*, bool> casos[] = {
        {"999999999.988888888888891", false}, {"999999999.9195", false}, {"999999999.985", false},
        {"999999999.989999", false},          {"999999999.99", false},   {"999999999.990000", false},
        {"999999999.9900001", true},          {"999999999.991", true},   {"999999999.995", true},
        {"1000000000", true},                 {"999999998.999", false}};
    for (const auto& [texto, supera] : casos) {
        const auto n = LeerNumero(texto);
        ASSERT_TRUE(n) << texto;
        EXPECT_EQ(n->superaImporteMaximo(), supera) << texto;
    }
    // 999999999.9195 is 99,999,999,992 cents: 2*7 + 9*3 + 9*1 + 9*7 + ... = 338.
    EXPECT_EQ(CalcularDigitoImporte("999999999.9195"), 8);

    // Both windows take such an amount and round it to the same cents as 999999999.99.
    DatosPrincipal d{"123456", {}, {}, "999999999.988", "15/06/2000"};
    const CalculoPrincipal conDecimales = CalcularReferencia(10, d);
    d.importe = "999999999.99";
    const CalculoPrincipal maximo = CalcularReferencia(10, d);
    EXPECT_TRUE(conDecimales.mensajes.isEmpty()) << conDecimales.mensajes.join('|').toStdString();
    ASSERT_TRUE(maximo.correcto());
    EXPECT_EQ(conDecimales.digitos, maximo.digitos);

    const ResultadoFila fila = CalcularFila(10, u"123456", u"999999999.985", u"15/06/2000");
    EXPECT_EQ(fila.digitos, maximo.digitos) << fila.resultado.toStdString();
    EXPECT_EQ(CalcularFila(10, u"123456", u"999999999.995", u"15/06/2000").resultado,
              "Error: Importe mayor a $ 999999999.99");
}

// U+FEFF as the rejected character came back empty: its UTF-8 form was read
// as a byte-order mark and dropped.
TEST(Regresiones, CaracterFEFFRechazadoSeNombra) {
    const QString feff(QChar(0xFEFF));
    EXPECT_EQ(DesdeUtf8("\xEF\xBB\xBF"), feff);
    EXPECT_EQ(DesdeUtf8("A\xC3"), QStringLiteral("A\uFFFD")) << "a cut sequence is not lost";

    for (const int codigo : {35, 36, 37}) {
        for (const QString& ref : {feff + "ABC", "041117ABC" + feff + feff}) {
            const ResultadoFila f = CalcularFila(codigo, ref, {}, {});
            EXPECT_EQ(f.caracterNoValido, feff) << codigo;
            EXPECT_TRUE(f.resultado.isEmpty() && f.digitos.isEmpty()) << codigo;
        }
        const CalculoPrincipal r = CalcularReferencia(codigo, {feff + "ABC", {}, {}, {}, {}});
        EXPECT_EQ(r.mensajes, QStringList{"Caracter no Válido en la referencia: ' " + feff + " '"}) << codigo;
    }
    EXPECT_EQ(CalcularFila(2, "141118A" + feff, {}, {}).resultado, "Error: Referencia no valida = " + feff);
}

using Troceado = fuzz::DispositivoTroceado;

using Fila = std::array<QString, 3>;

std::vector<Fila> Leer(QIODevice& d) {
    LectorEntrada lector(d);
    std::vector<Fila> filas;
    Registro r;
    while (lector.siguiente(r)) filas.push_back(r.campos);
    EXPECT_TRUE(lector.error().isEmpty());
    return filas;
}

// A first read that held only the byte-order mark ended the file there.
TEST(Regresiones, MarcaDeOrdenSolaEnLaPrimeraLectura) {
    const QByteArray archivo = "\xEF\xBB\xBF\xC3\xA1rbol\t\xE2\x82\xAC\r\n\xC3\x91";
    const std::vector<Fila> esperado{{QStringLiteral("árbol"), QStringLiteral("€"), ""}, {QStringLiteral("Ñ"), "", ""}};
    for (const qint64 trozo : {1, 2, 3, 4, 5, 7}) {
        Troceado d(archivo, trozo);
        EXPECT_EQ(Leer(d), esperado) << trozo << " bytes per read";
    }
}

// After the mark, a second U+FEFF was skipped as if it were one too.
TEST(Regresiones, SegundaMarcaDeOrdenEsTexto) {
    QBuffer b;
    b.setData("\xEF\xBB\xBF\xEF\xBB\xBF" "A\r\n\xEF\xBB\xBF" "B");
    b.open(QIODevice::ReadOnly);
    const std::vector<Fila> esperado{{QChar(0xFEFF) + QStringLiteral("A"), "", ""}, {QChar(0xFEFF) + QStringLiteral("B"), "", ""}};
    EXPECT_EQ(Leer(b), esperado);
}

// A malformed UTF-8 sequence cut between two reads swallowed the characters
// that followed it, line ends included; every cut must read as the whole.
TEST(Regresiones, Utf8MalformadoCortadoEntreLecturas) {
    const QByteArray archivo = "\xEF\xBB\xBF" "a\xE2\x82\r\nb\xF0\x9F\x98\nc\xC3\td\xE2\x82I\x91\r\n\xED\xA0\x80z\xC3";
    const QString r(QChar(0xFFFD));
    const std::vector<Fila> esperado{{"a" + r + r, "", ""},
                                     {"b" + r + r + r, "", ""},
                                     {"c" + r, "d" + r + r + "I" + r, ""},
                                     {r + r + r + "z" + r, "", ""}};
    for (const qint64 trozo : {1, 2, 3, 4, 5, 6, 7, 64}) {
        Troceado d(archivo, trozo);
        EXPECT_EQ(Leer(d), esperado) << trozo << " bytes per read";
    }
}

// A disk that fills up takes part of a write first and refuses only the next
// one: the reason was lost ("Unknown error") when the short write was taken
// for the failure.
class SeLlena : public QIODevice {
public:
    explicit SeLlena(qint64 capacidad) : capacidad_(capacidad) { open(WriteOnly | Unbuffered); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 n) override {
        if (usados_ == capacidad_) {
            setErrorString(QStringLiteral("No queda espacio en el disco"));
            return -1;
        }
        const qint64 tomados = std::min(n, capacidad_ - usados_);
        usados_ += tomados;
        return tomados;
    }

private:
    qint64 capacidad_, usados_ = 0;
};

TEST(Regresiones, EscrituraCortaYLuegoDiscoLleno) {
    for (const qint64 capacidad : {0, 10, 70000}) {
        SeLlena disco(capacidad);
        EscritorResultados escritor(disco);
        escritor.escribirCabecera(0);
        const std::array<QString, 3> fila{"123456", "1234566", "6"};
        for (int i = 0; i < 10000; ++i) escritor.escribirFila(fila);
        EXPECT_FALSE(escritor.terminar()) << capacidad;
        EXPECT_EQ(escritor.error(), "No queda espacio en el disco") << capacidad;
    }
}

}  // namespace
