// Hostile files through the bulk window's own loading and storing: whatever
// the file holds, it loads without a word and stores what vaviviv-cli masivo
// stores; a file that cannot be read or written is named in a box with the
// system's reason, and neither the grid nor the earlier file loses anything.

#include "reglas/archivo_entrada.h"
#include "platform/aplicacion.h"
#include "ventana_masivo.h"

#include <QDir>
#include <QFileInfo>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace vaviviv;
using namespace vaviviv::prueba;

namespace {

// Root passes every permission check. While one of these lives, the calling
// thread (the one the window does its file work on) goes without the
// capabilities that bypass file permissions; they stay permitted and come back.
class SinSaltarPermisos {
public:
    SinSaltarPermisos() { cambiar(false); }
    ~SinSaltarPermisos() { cambiar(true); }

private:
    static void cambiar(bool activas) {
        __user_cap_header_struct cabecera{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct datos[2]{};
        if (::syscall(SYS_capget, &cabecera, datos) != 0) return;
        for (unsigned cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
            const unsigned bit = 1u << (cap % 32);
            if (activas) datos[cap / 32].effective |= datos[cap / 32].permitted & bit;
            else datos[cap / 32].effective &= ~bit;
        }
        ::syscall(SYS_capset, &cabecera, datos);
    }
};

void Permisos(const QString& ruta, mode_t modo) { QCOMPARE(::chmod(QFile::encodeName(ruta).constData(), modo), 0); }

}  // namespace

class PruebaMasivoHostiles : public VentanaMasivo {
    Q_OBJECT

    // The box of a failed store, answered with Cancel, with Qt's Spanish text for the system's reason.
    void guardarFalla(const QString& destino, const QString& motivo) {
        dialogos->olvidar();
        if (QFileInfo(destino).exists() && !QFileInfo(destino).isDir()) dialogos->responderCon(Respuesta::Si);  // overwrite
        w->GuardarResultados(destino);
        const Caja& caja = dialogos->cajas().back();
        QCOMPARE(caja.botones, Botones::ReintentarCancelar);
        QCOMPARE(caja.titulo, kTituloArchivo);
        QVERIFY2(caja.texto.startsWith(QStringLiteral("Error : ")) && caja.texto.endsWith(motivo), qPrintable(caja.texto));
        QVERIFY(sinGuardar());
    }

private slots:
    void initTestCase() { PrepararAplicacion(*qApp); }
    void init() { nueva(); }

    void contenido_data() {
        QTest::addColumn<int>("codigo");
        QTest::addColumn<QByteArray>("entrada");
        QTest::addColumn<int>("registros");
        QTest::addColumn<QString>("primera");  // the first row's first cell
        const int kMega = 1 << 20;
        QTest::newRow("0 bytes") << 6 << QByteArray() << 0 << QString();
        QTest::newRow("solo fines de línea") << 0 << QByteArray("\r\n\n\n\r\r\n") << 5 << QString();
        QTest::newRow("binario con NUL") << 0 << QByteArray("123456\0\r\n\0\0\0\r\n\x01\x02\xFE\xFF\0\t\0\r\n7992739871\0\r\n123456", 42)
                                         << 5 << QString::fromLatin1("123456\0", 7);
        const QByteArray mega = "141118" + QByteArray(kMega - 6, '0');
        QTest::newRow("una línea de 1 MB") << 2 << mega + "\r\n141118ABC" << 2 << QString::fromLatin1(mega);
        QTest::newRow("100.000 tabuladores") << 6 << "890\t123\t4567" + QByteArray(100000 - 2, '\t') + "\r\n" + QByteArray(100000, '\t')
                                             << 2 << QStringLiteral("890");
        QTest::newRow("CR, LF y CR LF") << 0 << QByteArray("123456\r7992739871\n1\r\n\n\r2") << 6 << QStringLiteral("123456");
        // One line per sixteen byte values, 0xE0 first (Windows-1252 and Latin-1 agree there).
        QByteArray altos;
        for (int b : {0xE0, 0x80, 0x90, 0xA0, 0xB0, 0xC0, 0xD0, 0xF0}) {
            for (int i = b; i < b + 16; ++i) altos.append(char(i));
            altos += "\r\n";
        }
        QTest::newRow("bytes 0x80-0xFF") << 0 << altos << 8 << QString::fromLatin1(altos.left(16));
        QTest::newRow("UTF-8 con marca de orden") << 6 << QByteArray("\xEF\xBB\xBF" "A\xC3\x91O\t\xCE\xA9\t1\r\n890\t123\t4567\r\n")
                                                  << 2 << QString::fromUtf8("AÑO");
    }

    // Loaded without a box, every record a row; calculated and stored byte for
    // byte as the command-line tool stores it.
    void contenido() {
        QFETCH(int, codigo);
        QFETCH(QByteArray, entrada);
        QFETCH(int, registros);
        QFETCH(QString, primera);
        elegir(codigo);
        QVERIFY(cargar(entrada));
        QCOMPARE(filasDeDatos(), registros);
        if (registros > 0) QCOMPARE(fila(1)[0], primera);
        calcular();
        guardar("ventana.txt");
        QCOMPARE(dialogos->textos(), QStringList{kAlmacenado});
        QCOMPARE(Leer(ruta("ventana.txt")), segunLaLineaDeOrdenes(codigo, ruta("entrada.txt")));
    }

    // Opened and stored through the file explorer, the names as typed.
    void rutaConEspaciosYAcentos() {
        const QString dentro = ruta(QString::fromUtf8("carpeta con espacios/año ñandú é"));
        QVERIFY(QDir().mkpath(dentro));
        const QString entrada = dentro + QString::fromUtf8("/entrada ñ.txt");
        Escribir(entrada, "123456\r\n7992739871\r\n");
        elegir(0);
        boton("cmdAbrir")->click();
        confirmarEnExplorador(QString::fromUtf8("entrada ñ.txt"), dentro);
        QCOMPARE(filas(), (Filas{{"123456", "", ""}, {"7992739871", "", ""}}));
        calcular();
        boton("cmdGuardar")->click();
        confirmarEnExplorador(QString::fromUtf8("resultados año.txt"), dentro);
        QCOMPARE(dialogos->textos(), (QStringList{"Archivo cargado Exitosamente !!!", kAlmacenado}));
        QCOMPARE(Leer(dentro + QString::fromUtf8("/resultados año.txt")), segunLaLineaDeOrdenes(0, entrada));
        QCOMPARE(QDir(dentro).entryList(QDir::Files).size(), 2);
    }

    // Missing, a folder, or not readable: the system's error in a box, the rows
    // already in the grid kept, nothing added, no success message.
    void noSePuedeLeer() {
        QVERIFY(QDir().mkpath(ruta("carpeta.txt")));
        Escribir(ruta("secreto.txt"), "123456\r\n");
        Permisos(ruta("secreto.txt"), 0);
        elegir(0);
        QVERIFY(cargar("1\r\n"));
        SinSaltarPermisos sinPermisos;
        for (const QString nombre : {"no-existe.txt", "carpeta.txt", "secreto.txt"}) {
            QFile intento(ruta(nombre));
            QVERIFY(!intento.open(QIODevice::ReadOnly));
            dialogos->olvidar();
            dialogos->responderCon(Respuesta::Si);  // keep the row
            boton("cmdAbrir")->click();
            confirmarEnExplorador(nombre);
            QCOMPARE(dialogos->textos().mid(1),
                     QStringList{QStringLiteral("Error : %1 %2").arg(int(QFileDevice::OpenError)).arg(intento.errorString())});
            QCOMPARE(dialogos->cajas()[1].icono, Icono::Critico);
            QCOMPARE(filas(), (Filas{{"1", "", ""}}));
        }
        QCOMPARE(dialogos->textos().last(), QStringLiteral("Error : 5 Permiso denegado"));

        // No line end for megabytes: not a list of references, and no end to the memory it would take.
        Escribir(ruta("sin fines.txt"), "123456\r\n" + QByteArray(kLineaMaxima + 1, '\0'));
        dialogos->responderCon(Respuesta::Si);
        boton("cmdAbrir")->click();
        confirmarEnExplorador("sin fines.txt");
        QCOMPARE(dialogos->textos().last(), QString::fromUtf8("Error : 1 La línea 2 pasa de 8,388,608 caracteres; el archivo no parece de texto."));
        QCOMPARE(filas(), (Filas{{"1", "", ""}}));
    }

    // A folder given as the file, a read-only folder (its file and a new name),
    // a full device: a box each, Cancel stores nothing, what was there stays.
    void noSePuedeGuardar() {
        elegir(0);
        QVERIFY(cargar("123456\r\n"));
        calcular();
        QVERIFY(QDir().mkpath(ruta("carpeta")));
        guardarFalla(ruta("carpeta"), QStringLiteral("El nombre de archivo se refiere a un directorio"));
        QVERIFY(QFileInfo(ruta("carpeta")).isDir() && QDir(ruta("carpeta")).isEmpty());

        const QString soloLectura = ruta("solo lectura");
        QVERIFY(QDir().mkpath(soloLectura));
        Escribir(soloLectura + "/r.txt", "anterior\r\n");
        Permisos(soloLectura, 0555);
        {
            SinSaltarPermisos sinPermisos;
            guardarFalla(soloLectura + "/r.txt", QStringLiteral("Permiso denegado"));
            guardarFalla(soloLectura + "/nuevo.txt", QStringLiteral("Permiso denegado"));
        }
        Permisos(soloLectura, 0755);
        QCOMPARE(Leer(soloLectura + "/r.txt"), QByteArray("anterior\r\n"));
        QCOMPARE(QDir(soloLectura).entryList(QDir::Files | QDir::Hidden), QStringList{"r.txt"});

        // Enough rows that the first buffer already fails.
        QVERIFY(cargar(QByteArray("123456\r\n").repeated(20000)));
        calcular();
        guardarFalla(QStringLiteral("/dev/full"), QStringLiteral("No queda espacio en el dispositivo"));
        struct stat st {};
        QVERIFY(::stat("/dev/full", &st) == 0 && S_ISCHR(st.st_mode));
    }
};

QTEST_MAIN(PruebaMasivoHostiles)

#include "frmMasivo_hostiles_test.moc"
