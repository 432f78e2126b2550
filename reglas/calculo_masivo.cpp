#include "reglas/calculo_masivo.h"

#include <QtGlobal>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>

#include "engine/catalogo.h"
#include "reglas/reglas_fila.h"
#include "reglas/texto.h"

#ifdef Q_OS_UNIX
#include <pthread.h>
#endif

namespace vaviviv {

namespace {

// What memory holds is bounded by design, whatever the input. A block is at
// most kLineasBloque whole lines of at most 288 KiB (a line of kLineaMaxima
// four-byte characters still pending, and one read), so its results take at
// most 2 x 288 KiB + 8192 x kMasPorFila, about 1.3 MB. Memory holds two
// blocks more than threads, with their results, and a row's work on each
// thread: four threads keep the whole under 20 MB. Blocks this large are
// handed between threads a few hundred times for millions of lines.
constexpr int kHilosMaximos = 4;
constexpr qsizetype kBloqueMasivo = qsizetype(1) << 17;  // reads
constexpr qsizetype kLineasBloque = 8192;  // a read of empty lines, each row an error text, would be 65,536

}  // namespace

qsizetype CotaResultados(std::string_view bloque) {
    const auto bytes = qsizetype(bloque.size());
    return 2 * bytes + kMasPorFila * std::min(bytes + 1, kLineasBloque);
}

CalculoBloque::CalculoBloque(int codigo, bool utf8, char separador)
    : codigo_(codigo),
      algoritmo_(BuscarAlgoritmo(codigo)),
      cincoColumnas_(TomaDosCamposMas(codigo)),
      decodificador_(utf8),
      partidor_(separador),
      lineas_(generales_) {}

// Error texts are few: a row finds its own among them by its address.
std::string_view TextosEnCodigo::operator()(std::string_view texto) {
    for (const auto& [visto, bytes] : textos_)
        if (visto.data() == texto.data() && visto.size() == texto.size()) return Vista(bytes);
    QByteArray bytes;
    codificador_.codificar(DesdeUtf8(texto), bytes);
    textos_.emplace_back(texto, std::move(bytes));
    return Vista(textos_.back().second);
}

void CalculoBloque::calcular(std::string_view bloque, QByteArray& salida, CuentasMasivo& cuentas) {
    using D = FilaCalculada::Desenlace;
    const auto general = [&](const LineaBytes& linea) -> const QByteArray& {
        filaGeneral(linea, cuentas);
        return generales_;
    };
    EscribirBloque(partidor_, bloque, salida, cuentas, general, [&](const LineaBytes& linea, Cursor& cursor) {
        const auto& [c0, c1, c2] = linea.campos;
        const FilaCalculada f = algoritmo_ ? CalcularFilaUtf8(*algoritmo_, c0, c1, c2) : FilaCalculada{};
        // The "Referencia Completa" cell, in two parts.
        std::string_view completa, tras;
        switch (f.desenlace) {
        case D::Calculada: completa = f.referencia, tras = f.digitos; break;
        case D::Error: completa = enCodigo_(f.error), tras = f.caracter; break;  // an ASCII row's character
        case D::CaracterNoValido:
            cuentas.avisos.push_back({cuentas.registros, QString::fromLatin1(f.caracter.data(), qsizetype(f.caracter.size()))});
            break;
        case D::Vacia: break;
        }
        if (f.digitos.empty()) ++cuentas.errores;
        cursor.asegurar(c0.size() + c1.size() + c2.size() + completa.size() + tras.size() + f.digitos.size() + 7);
        // The cells as they stand in the file: ASCII is the same in the code page.
        cursor.poner(c0);
        cursor.poner(kTrasCelda);
        if (cincoColumnas_) {
            cursor.poner(c1);
            cursor.poner(kTrasCelda);
            cursor.poner(c2);
            cursor.poner(kTrasCelda);
        }
        cursor.poner(completa);
        cursor.ponerCorto(tras);
        cursor.poner(kTrasCelda);
        cursor.ponerCorto(f.digitos);
        cursor.poner(kTrasCelda);
        cursor.poner(kFinDeLinea);
    });
}

// Decoded, calculated and written exactly as the bulk window's rows are.
void CalculoBloque::filaGeneral(const LineaBytes& linea, CuentasMasivo& cuentas) {
    std::array<QString, 3> c;
    for (std::size_t i = 0; i < 3; ++i) c[i] = decodificador_(linea.campos[i], false);
    const ResultadoFila f = CalcularFila(codigo_, c[0], c[1], c[2]);
    if (f.digitos.isEmpty()) ++cuentas.errores;
    if (!f.caracterNoValido.isEmpty()) cuentas.avisos.push_back({cuentas.registros, f.caracterNoValido});
    generales_.truncate(0);
    if (cincoColumnas_)
        lineas_.fila(std::array<QStringView, 5>{c[0], c[1], c[2], f.resultado, f.digitos});
    else
        lineas_.fila(std::array<QStringView, 3>{c[0], f.resultado, f.digitos});
}

namespace {

// A calculating thread. A block's work needs little stack: the system's
// default, 8 MB a thread on Linux, would count whole against a limit on the
// process's data, and four of them would be more than all the blocks.
constexpr std::size_t kPilaHilo = std::size_t(1) << 19;

#ifdef Q_OS_UNIX
class Hilo {
public:
    // False when no thread could be started (a limit on processes, say).
    bool arrancar(std::function<void()>& trabajo) {
        pthread_attr_t atributos;
        if (pthread_attr_init(&atributos) != 0) return false;
        const bool arrancado = pthread_attr_setstacksize(&atributos, kPilaHilo) == 0 &&
                               pthread_create(&id_, &atributos, &Hilo::correr, &trabajo) == 0;
        pthread_attr_destroy(&atributos);
        return arrancado;
    }
    void unir() { pthread_join(id_, nullptr); }

private:
    static void* correr(void* trabajo) {
        (*static_cast<std::function<void()>*>(trabajo))();
        return nullptr;
    }
    pthread_t id_{};
};
#else
class Hilo {
public:
    bool arrancar(std::function<void()>& trabajo) {
        try {
            hilo_ = std::thread(trabajo);
            return true;
        } catch (const std::system_error&) {
            return false;
        }
    }
    void unir() { hilo_.join(); }

private:
    std::thread hilo_;
};
#endif

// A block on its way: read, calculated, then written in its turn.
struct Tarea {
    QByteArray entrada;
    QByteArray salida;
    CuentasMasivo cuentas;
    bool utf8 = false;
    char separador = '\t';
    bool lista = false;

    // Its results, by a calculation made for the file's encoding on first use.
    void calcular(std::unique_ptr<CalculoDeBloques>& calculo, const FabricaCalculo& fabrica) {
        if (!calculo) calculo = fabrica(utf8, separador);
        salida.truncate(0);
        cuentas = {};
        calculo->calcular(Vista(entrada), salida, cuentas);
    }
};

// Hands the calculated blocks to `entregar` in input order; `leer` fills the
// next one. False, having read nothing, when no thread could be started (a
// limit on processes, say).
template <typename Leer, typename Entregar>
bool EnParalelo(const FabricaCalculo& fabrica, int hilos, Leer leer, Entregar entregar) {
    std::mutex m;
    std::condition_variable hayTrabajo, hayListas;
    std::deque<Tarea*> cola;
    bool terminar = false;
    std::function<void()> trabajar = [&] {
        std::unique_ptr<CalculoDeBloques> calculo;
        for (;;) {
            Tarea* t;
            {
                std::unique_lock l(m);
                hayTrabajo.wait(l, [&] { return terminar || !cola.empty(); });
                if (cola.empty()) return;
                t = cola.front();
                cola.pop_front();
            }
            t->calcular(calculo, fabrica);
            {
                std::lock_guard l(m);
                t->lista = true;
            }
            hayListas.notify_one();
        }
    };
    std::vector<Hilo> trabajadores(static_cast<std::size_t>(hilos));
    std::size_t arrancados = 0;
    while (arrancados < trabajadores.size() && trabajadores[arrancados].arrancar(trabajar)) ++arrancados;
    if (arrancados == 0) return false;
    trabajadores.resize(arrancados);  // those started will do
    const int enVuelo = int(trabajadores.size()) + 2;  // the calculating threads never wait for input
    std::vector<Tarea> tareas(static_cast<std::size_t>(enVuelo));
    qint64 leidas = 0, escritas = 0;
    for (bool agotada = false;;) {
        while (!agotada && leidas - escritas < enVuelo) {
            Tarea& t = tareas[std::size_t(leidas % enVuelo)];
            if (!leer(t)) {
                agotada = true;
                break;
            }
            {
                std::lock_guard l(m);
                t.lista = false;
                cola.push_back(&t);
            }
            hayTrabajo.notify_one();
            ++leidas;
        }
        if (escritas == leidas) break;
        Tarea& t = tareas[std::size_t(escritas % enVuelo)];
        {
            std::unique_lock l(m);
            hayListas.wait(l, [&] { return t.lista; });
        }
        ++escritas;
        if (!entregar(t)) break;
    }
    {
        std::lock_guard l(m);
        terminar = true;
        cola.clear();
    }
    hayTrabajo.notify_all();
    for (Hilo& h : trabajadores) h.unir();
    return true;
}

}  // namespace

ResumenMasivo ProcesarArchivo(QIODevice& entrada, QIODevice& salida, const QString& cabecera, const FabricaCalculo& fabrica,
                              const std::function<void(const AvisoCaracter&)>& aviso, int hilos, bool csv) {
    if (hilos < 0) {
        // Measured on two cores: one calculating thread beside the reader
        // gains little, one per core nearly doubles the pace.
        const int nucleos = int(std::thread::hardware_concurrency());
        hilos = nucleos > 1 ? std::min(nucleos, kHilosMaximos) : 0;
    }
    ResumenMasivo r;
    LectorBloques lector(entrada, kBloqueMasivo, kLineasBloque, csv);
    EscritorResultados escritor(salida);
    escritor.escribirCabecera(cabecera);
    const auto leer = [&lector](Tarea& t) {
        if (!lector.siguiente(t.entrada)) return false;
        t.utf8 = lector.utf8();
        t.separador = lector.separador();
        return true;
    };
    const auto entregar = [&](Tarea& t) {
        escritor.escribirLineas(t.salida);
        for (AvisoCaracter& a : t.cuentas.avisos) {
            a.registro += r.cuentas.registros;
            aviso(a);
        }
        r.cuentas.registros += t.cuentas.registros;
        r.cuentas.errores += t.cuentas.errores;
        r.cuentas.noValidas += t.cuentas.noValidas;
        return escritor.error().isEmpty();
    };
    if (hilos == 0 || !EnParalelo(fabrica, hilos, leer, entregar)) {
        Tarea t;
        std::unique_ptr<CalculoDeBloques> calculo;
        while (leer(t)) {
            t.calcular(calculo, fabrica);
            if (!entregar(t)) break;
        }
    }
    const bool escrito = escritor.terminar();
    r.errorLectura = lector.error(r.cuentas.registros);
    if (!escrito) {
        r.errorEscritura = escritor.error();
        r.numeroEscritura = escritor.numero();
    }
    return r;
}

ResumenMasivo CalcularArchivo(int codigo, QIODevice& entrada, QIODevice& salida,
                              const std::function<void(const AvisoCaracter&)>& aviso, int hilos, bool csv) {
    const FabricaCalculo fabrica = [codigo](bool utf8, char separador) {
        return std::make_unique<CalculoBloque>(codigo, utf8, separador);
    };
    return ProcesarArchivo(entrada, salida, CabeceraResultados(codigo), fabrica, aviso, hilos, csv);
}

}  // namespace vaviviv
