// vaviviv._vaviviv: the C library for Python, in two shapes. calcular,
// verificar and calcular_muchos give the bulk rules' cells through libvaviviv;
// calc_check_digits, validate and is_valid answer as python-stdnum's modules
// do, and for those the engine itself says what kind of fault a record has.
// Arguments are read by hand so that a wrong one gets a Spanish message.

#include <pybind11/pybind11.h>

#include <sys/mman.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <vaviviv/vaviviv.h>

#include "engine/caracteres.h"
#include "engine/catalogo.h"
#include "engine/fila.h"
#include "vaviviv_configuracion.h"

namespace py = pybind11;

namespace {

using namespace vaviviv;

// Made with the module, which is never unloaded: plain references are enough.
PyObject* gValidationError;
PyObject* gInvalidFormat;
PyObject* gInvalidLength;
PyObject* gInvalidChecksum;
PyTypeObject* gResultado;
PyObject* gEstados[3];  // by estado: VAVIVIV_CALCULADA, VAVIVIV_ERROR, VAVIVIV_CARACTER_NO_VALIDO
PyObject* gVacio;       // ""

[[noreturn]] void Lanzar(PyObject* tipo, const std::string& mensaje) {
    PyErr_SetString(tipo, mensaje.c_str());
    throw py::error_already_set();
}

std::string NombreDeTipo(py::handle o) { return Py_TYPE(o.ptr())->tp_name; }

// "registro 3: referencia" for a record of calcular_muchos (counted from 1).
std::string Donde(const char* nombre, Py_ssize_t registro) {
    return registro < 0 ? nombre : "registro " + std::to_string(registro + 1) + ": " + nombre;
}

// A str as UTF-8 without copying (NUL-terminated, as the C library wants it);
// valid as long as the object lives.
std::string_view Texto(py::handle o, const char* nombre, Py_ssize_t registro = -1) {
    if (!PyUnicode_Check(o.ptr()))
        Lanzar(PyExc_TypeError, Donde(nombre, registro) + ": se esperaba un texto (str), no " + NombreDeTipo(o));
    Py_ssize_t n = 0;
    const char* s = PyUnicode_AsUTF8AndSize(o.ptr(), &n);
    if (!s) {
        PyErr_Clear();
        Lanzar(PyExc_ValueError, Donde(nombre, registro) + ": el texto no es Unicode válido (tiene un sustituto suelto)");
    }
    // The C library reads up to the first NUL: one inside would cut the text.
    if (std::memchr(s, '\0', std::size_t(n)))
        Lanzar(PyExc_ValueError, Donde(nombre, registro) + ": el texto contiene el carácter nulo (U+0000)");
    return {s, std::size_t(n)};
}

std::string ListaDeCodigos() {
    std::string lista;
    for (const Algoritmo& a : Catalogo()) lista.append(lista.empty() ? "" : ", ").append(std::to_string(a.codigo));
    return lista;
}

int Codigo(py::handle o) {
    if (!PyLong_Check(o.ptr()) || PyBool_Check(o.ptr()))
        Lanzar(PyExc_TypeError, "codigo: se esperaba un número entero (int), no " + NombreDeTipo(o));
    int desborde = 0;
    const long codigo = PyLong_AsLongAndOverflow(o.ptr(), &desborde);
    if (desborde || codigo < 0 || codigo > 99 || !BuscarAlgoritmo(int(codigo)))
        Lanzar(PyExc_ValueError, "Código de algoritmo desconocido: " + py::str(o).cast<std::string>() +
                                     " (los códigos son " + ListaDeCodigos() + ")");
    return int(codigo);
}

// The C library's answers below zero; only the long result of code 02 can
// reach here from Python's texts.
void Comprobar(int estado, Py_ssize_t registro = -1) {
    switch (estado) {
    case VAVIVIV_RESULTADO_LARGO:
        Lanzar(PyExc_ValueError, Donde("referencia", registro) + ": la referencia completa pasa de " +
                                     std::to_string(sizeof(vaviviv_resultado::completa) - 1) + " bytes");
    case VAVIVIV_CODIGO_DESCONOCIDO: Lanzar(PyExc_ValueError, "Código de algoritmo desconocido");
    case VAVIVIV_TEXTO_NO_VALIDO: Lanzar(PyExc_ValueError, Donde("texto", registro) + ": no es UTF-8 válido");
    case VAVIVIV_ARGUMENTO_NULO: Lanzar(PyExc_TypeError, Donde("texto", registro) + ": falta");
    default: break;
    }
}

// Resultado: four texts, readable by name, by index and by unpacking. A
// million of them is what calcular_muchos costs, in memory first, so one is
// two texts and a few bytes (48 with the header): the estado as a number, the
// texts that are empty for its estado not held at all. A calculated record
// keeps its reference and makes its complete reference when first asked. Not
// collected by the cycle collector: it holds only str, so it can make no cycle.
struct ResultadoObjeto {
    PyObject_HEAD
    // calculada: the reference as given while fin >= 0, then the complete
    // reference; error: the error text; caracter_no_valido: the character.
    PyObject* texto;
    PyObject* digitos;      // calculada only; null otherwise
    std::int32_t inicio;    // the reference's characters without the
    std::int32_t fin;       // surrounding blanks; fin < 0 once completa is made
    unsigned char estado;   // VAVIVIV_CALCULADA, VAVIVIV_ERROR or VAVIVIV_CARACTER_NO_VALIDO
};

ResultadoObjeto* ComoResultado(PyObject* o) { return reinterpret_cast<ResultadoObjeto*>(o); }

// Where Resultados live: 2 MiB slabs the kernel may back with one huge page
// each. Most of calcular_muchos' time went to the faults of the fresh 4 KiB
// pages its million objects land on; a slab costs one. A slab hands out
// its freed places again before the next one is taken, and is given back
// when its last object goes (one empty slab is kept for the next call), so a
// few survivors pin memory as they would in Python's own allocator. The
// interpreter lock guards it all.
class Losas {
public:
    void* Tomar() {
        if (!actual_ || (!actual_->libres && actual_->tope == Fin(actual_))) {
            Losa* otra = conHueco_ ? conHueco_ : reserva_ ? reserva_ : Nueva();
            if (!otra) return nullptr;
            if (otra == conHueco_) Quitar(otra);
            if (otra == reserva_) reserva_ = nullptr;
            actual_ = otra;
        }
        Losa* l = actual_;
        ++l->vivos;
        if (Libre* libre = l->libres) {
            l->libres = libre->siguiente;
            return libre;
        }
        void* p = l->tope;
        l->tope += kObjeto;
        return p;
    }

    void Dar(void* p) {
        Losa* l = reinterpret_cast<Losa*>(reinterpret_cast<std::uintptr_t>(p) & ~(kLosa - 1));
        l->libres = new (p) Libre{l->libres};
        --l->vivos;
        if (l == actual_) return;
        if (l->vivos == 0) {
            if (l->enLista) Quitar(l);
            if (reserva_) {
                munmap(l, kLosa);
            } else {
                reserva_ = l;
            }
        } else if (!l->enLista) {
            l->anterior = nullptr;
            l->siguiente = conHueco_;
            if (conHueco_) conHueco_->anterior = l;
            conHueco_ = l;
            l->enLista = true;
        }
    }

private:
    static constexpr std::uintptr_t kLosa = std::uintptr_t(2) << 20;
    static constexpr std::size_t kObjeto = sizeof(ResultadoObjeto);
    struct Libre {
        Libre* siguiente;
    };
    struct alignas(64) Losa {
        Libre* libres;   // freed places, taken first
        char* tope;      // the first place never handed out
        std::size_t vivos;
        Losa *anterior, *siguiente;  // in conHueco_ while enLista
        bool enLista;
    };
    static_assert(kObjeto % alignof(std::max_align_t) == 0);

    static char* Fin(Losa* l) {
        return reinterpret_cast<char*>(l) + sizeof(Losa) + (kLosa - sizeof(Losa)) / kObjeto * kObjeto;
    }

    void Quitar(Losa* l) {
        (l->anterior ? l->anterior->siguiente : conHueco_) = l->siguiente;
        if (l->siguiente) l->siguiente->anterior = l->anterior;
        l->enLista = false;
    }

    // Aligned to its size, so an object finds its slab by masking its address.
    static Losa* Nueva() {
        void* p = mmap(nullptr, 2 * kLosa, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) return nullptr;
        const auto inicio = reinterpret_cast<std::uintptr_t>(p);
        const std::uintptr_t alineado = (inicio + kLosa - 1) & ~(kLosa - 1);
        if (alineado > inicio) munmap(p, alineado - inicio);
        munmap(reinterpret_cast<void*>(alineado + kLosa), inicio + kLosa - alineado);
        madvise(reinterpret_cast<void*>(alineado), kLosa, MADV_HUGEPAGE);
        Losa* l = new (reinterpret_cast<void*>(alineado)) Losa{};
        l->tope = reinterpret_cast<char*>(l) + sizeof(Losa);
        return l;
    }

    Losa* actual_ = nullptr;
    Losa* conHueco_ = nullptr;
    Losa* reserva_ = nullptr;
};

Losas gLosas;

// Error texts repeat: one str each for a whole calcular_muchos. The rules have
// a handful, so a short list searched in order beats hashing a key.
class TextosHechos {
public:
    PyObject* Texto(const char* texto) {
        for (const auto& [clave, hecho] : hechos_)
            if (clave == texto) return Py_NewRef(hecho.ptr());
        auto hecho = py::reinterpret_steal<py::object>(PyUnicode_FromString(texto));
        if (hecho && hechos_.size() < 32) hechos_.emplace_back(texto, hecho);
        return hecho.release().ptr();
    }

private:
    std::vector<std::pair<std::string, py::object>> hechos_;
};

// The check digits, ASCII: a digit alone is one of Python's shared texts.
PyObject* Cifras(const char* digitos) {
    const std::size_t n = std::strlen(digitos);
    if (n == 1) return PyUnicode_FromOrdinal(static_cast<unsigned char>(digitos[0]));
    PyObject* texto = PyUnicode_New(Py_ssize_t(n), 127);
    if (texto) std::memcpy(PyUnicode_1BYTE_DATA(texto), digitos, n);
    return texto;
}

// `referencia` is the str whose UTF-8 `utf8` went to the C library as the
// record's reference.
PyObject* NuevoResultado(const vaviviv_resultado& r, PyObject* referencia, std::string_view utf8,
                         TextosHechos* hechos = nullptr) {
    auto* o = static_cast<ResultadoObjeto*>(gLosas.Tomar());
    if (!o) {
        PyErr_NoMemory();
        throw py::error_already_set();
    }
    PyObject_Init(reinterpret_cast<PyObject*>(o), gResultado);
    o->estado = static_cast<unsigned char>(r.estado);
    o->digitos = nullptr;
    o->fin = -1;
    if (r.estado == VAVIVIV_CALCULADA) {
        o->digitos = Cifras(r.digitos);
        // The C library's complete reference is the trimmed reference and the
        // digits; blanks are one byte and one character, so the bytes trimmed
        // are the characters to cut. Anything else is taken as it came.
        const std::string_view recortada = RecortarEspacios(utf8);
        const Py_ssize_t largo = PyUnicode_GET_LENGTH(referencia);
        if (o->digitos && largo <= INT32_MAX &&
            std::strlen(r.completa) == recortada.size() + std::size_t(PyUnicode_GET_LENGTH(o->digitos))) {
            o->texto = Py_NewRef(referencia);
            o->inicio = std::int32_t(recortada.data() - utf8.data());
            o->fin = std::int32_t(largo - Py_ssize_t(utf8.size() - recortada.size()) + o->inicio);
        } else {
            o->texto = PyUnicode_FromString(r.completa);
        }
    } else if (r.estado == VAVIVIV_ERROR) {
        o->texto = hechos ? hechos->Texto(r.completa) : PyUnicode_FromString(r.completa);
    } else {
        o->texto = PyUnicode_FromString(r.caracter);
    }
    if (!o->texto || (r.estado == VAVIVIV_CALCULADA && !o->digitos)) {
        Py_DECREF(o);
        throw py::error_already_set();
    }
    return reinterpret_cast<PyObject*>(o);
}

// A borrowed reference, or null with the exception set.
PyObject* Completa(ResultadoObjeto* o) {
    if (o->estado == VAVIVIV_CARACTER_NO_VALIDO) return gVacio;
    if (o->fin >= 0) {
        const auto parte = py::reinterpret_steal<py::object>(PyUnicode_Substring(o->texto, o->inicio, o->fin));
        if (!parte) return nullptr;
        PyObject* completa = PyUnicode_Concat(parte.ptr(), o->digitos);
        if (!completa) return nullptr;
        Py_SETREF(o->texto, completa);
        o->fin = -1;
    }
    return o->texto;
}

void BorrarResultado(PyObject* o) {
    Py_XDECREF(ComoResultado(o)->texto);
    Py_XDECREF(ComoResultado(o)->digitos);
    PyTypeObject* tipo = Py_TYPE(o);
    gLosas.Dar(o);
    Py_DECREF(tipo);
}

Py_ssize_t LargoResultado(PyObject*) { return 4; }

// A borrowed reference to field i, or null with the exception set.
PyObject* Campo(PyObject* objeto, Py_ssize_t i) {
    ResultadoObjeto* o = ComoResultado(objeto);
    switch (i) {
    case 0: return gEstados[o->estado];
    case 1: return Completa(o);
    case 2: return o->digitos ? o->digitos : gVacio;
    default: return o->estado == VAVIVIV_CARACTER_NO_VALIDO ? o->texto : gVacio;
    }
}

PyObject* CampoResultado(PyObject* o, Py_ssize_t i) {
    if (i < 0 || i >= 4) {
        PyErr_SetString(PyExc_IndexError, "Resultado tiene 4 campos");
        return nullptr;
    }
    return Py_XNewRef(Campo(o, i));
}

PyObject* TuplaResultado(PyObject* o) {
    PyObject* completa = Campo(o, 1);
    return completa ? PyTuple_Pack(4, Campo(o, 0), completa, Campo(o, 2), Campo(o, 3)) : nullptr;
}

PyObject* ReprResultado(PyObject* o) {
    PyObject* completa = Campo(o, 1);
    if (!completa) return nullptr;
    return PyUnicode_FromFormat("vaviviv.Resultado(estado=%R, completa=%R, digitos=%R, caracter=%R)", Campo(o, 0),
                                completa, Campo(o, 2), Campo(o, 3));
}

// Equal to another Resultado, or to a tuple, with the same four texts.
PyObject* CompararResultado(PyObject* a, PyObject* b, int op) {
    if ((op != Py_EQ && op != Py_NE) || !(Py_TYPE(b) == gResultado || PyTuple_Check(b))) Py_RETURN_NOTIMPLEMENTED;
    const auto ta = py::reinterpret_steal<py::object>(TuplaResultado(a));
    const auto tb = py::reinterpret_steal<py::object>(Py_TYPE(b) == gResultado ? TuplaResultado(b) : Py_NewRef(b));
    if (!ta || !tb) return nullptr;
    return PyObject_RichCompare(ta.ptr(), tb.ptr(), op);
}

Py_hash_t HashResultado(PyObject* o) {
    const auto t = py::reinterpret_steal<py::object>(TuplaResultado(o));
    return t ? PyObject_Hash(t.ptr()) : -1;
}

template <int I>
PyObject* LeerCampo(PyObject* o, void*) {
    return CampoResultado(o, I);
}

PyGetSetDef kCamposResultado[] = {
    {"estado", LeerCampo<0>, nullptr, "'calculada', 'error' o 'caracter_no_valido'", nullptr},
    {"completa", LeerCampo<1>, nullptr, "calculada: la referencia y sus dígitos; error: el texto del error; si no, vacío",
     nullptr},
    {"digitos", LeerCampo<2>, nullptr, "calculada: los dígitos verificadores; si no, vacío", nullptr},
    {"caracter", LeerCampo<3>, nullptr, "caracter_no_valido: el carácter que el algoritmo no admite; si no, vacío",
     nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

PyType_Slot kRanurasResultado[] = {
    {Py_tp_doc, const_cast<char*>("Las celdas de un registro como las escribe «vaviviv-cli masivo» (estado, completa,\n"
                                  "digitos) y el carácter que los códigos 35 a 37 no admiten; se desempaqueta como\n"
                                  "una tupla de esos cuatro textos.")},
    {Py_tp_getset, kCamposResultado},
    {Py_tp_dealloc, reinterpret_cast<void*>(BorrarResultado)},
    {Py_tp_repr, reinterpret_cast<void*>(ReprResultado)},
    {Py_tp_richcompare, reinterpret_cast<void*>(CompararResultado)},
    {Py_tp_hash, reinterpret_cast<void*>(HashResultado)},
    {Py_sq_length, reinterpret_cast<void*>(LargoResultado)},
    {Py_sq_item, reinterpret_cast<void*>(CampoResultado)},
    {0, nullptr},
};
PyType_Spec kTipoResultado = {"vaviviv.Resultado", sizeof(ResultadoObjeto), 0,
                              Py_TPFLAGS_DEFAULT | Py_TPFLAGS_DISALLOW_INSTANTIATION, kRanurasResultado};

struct Registro {
    int codigo;
    std::string_view referencia, campo2, campo3;
};

Registro Leer(py::handle codigo, py::handle referencia, py::handle campo2, py::handle campo3,
              const char* nombre = "referencia") {
    return {Codigo(codigo), Texto(referencia, nombre), Texto(campo2, "campo2"), Texto(campo3, "campo3")};
}

py::object CalcularRegistro(py::handle codigo, py::handle referencia, py::handle campo2, py::handle campo3) {
    const Registro r = Leer(codigo, referencia, campo2, campo3);
    vaviviv_resultado resultado;
    Comprobar(vaviviv_calcular(r.codigo, r.referencia.data(), r.campo2.data(), r.campo3.data(), &resultado));
    return py::reinterpret_steal<py::object>(NuevoResultado(resultado, referencia.ptr(), r.referencia));
}

bool VerificarCompleta(py::handle codigo, py::handle completa, py::handle campo2, py::handle campo3) {
    const Registro r = Leer(codigo, completa, campo2, campo3, "completa");
    const int estado = vaviviv_verificar(r.codigo, r.referencia.data(), r.campo2.data(), r.campo3.data());
    Comprobar(estado);
    return estado == 1;
}

// Records are taken in blocks: read with the interpreter, calculated without
// it, answered with it; memory does not grow with the input. A block no larger
// than the input says it is, so a short call pays for no more; and a short
// block keeps the interpreter, whose release and retaking cost more than it.
constexpr std::size_t kBloque = 1024;
constexpr std::size_t kSinInterprete = 64;

py::list CalcularMuchos(py::handle codigo, py::handle filas) {
    const int c = Codigo(codigo);
    if (PyUnicode_Check(filas.ptr()) || PyBytes_Check(filas.ptr()))
        Lanzar(PyExc_TypeError, "filas: se esperaba un iterable de registros, no un texto");
    PyObject* iterador = PyObject_GetIter(filas.ptr());
    if (!iterador) {
        PyErr_Clear();
        Lanzar(PyExc_TypeError, "filas: se esperaba un iterable de registros, no " + NombreDeTipo(filas));
    }
    const auto filasIt = py::reinterpret_steal<py::object>(iterador);
    const Py_ssize_t pista = PyObject_LengthHint(filas.ptr(), kBloque);
    if (pista < 0) throw py::error_already_set();
    const std::size_t tope = std::clamp(std::size_t(pista), std::size_t(1), kBloque);
    // A list or tuple says how many results there will be: the list is made
    // that long at once, not grown, and cut if the input changed meanwhile.
    const Py_ssize_t previstos = PyList_CheckExact(filas.ptr())    ? PyList_GET_SIZE(filas.ptr())
                                 : PyTuple_CheckExact(filas.ptr()) ? PyTuple_GET_SIZE(filas.ptr())
                                                                   : 0;
    py::list salida(previstos);
    std::vector<py::object> vivos;      // every text a block points into
    std::vector<PyObject*> referencias;  // each record's reference, held in vivos
    TextosHechos hechos;
    std::vector<Registro> bloque;
    const auto resultados = std::make_unique_for_overwrite<vaviviv_resultado[]>(tope);
    const auto estados = std::make_unique_for_overwrite<int[]>(tope);
    vivos.reserve(tope);
    referencias.reserve(tope);
    bloque.reserve(tope);
    Py_ssize_t primero = 0;
    for (bool fin = false; !fin;) {
        while (bloque.size() < tope) {
            PyObject* siguiente = PyIter_Next(iterador);
            if (!siguiente) {
                if (PyErr_Occurred()) throw py::error_already_set();
                fin = true;
                break;
            }
            const auto fila = py::reinterpret_steal<py::object>(siguiente);
            const Py_ssize_t n = primero + Py_ssize_t(bloque.size());
            Registro r{c, {}, "", ""};
            if (PyUnicode_Check(fila.ptr())) {
                r.referencia = Texto(fila, "referencia", n);
                vivos.push_back(fila);
                referencias.push_back(fila.ptr());
            } else if (PyTuple_Check(fila.ptr()) || PyList_Check(fila.ptr())) {
                const Py_ssize_t campos = PySequence_Fast_GET_SIZE(fila.ptr());
                if (campos < 1 || campos > 3)
                    Lanzar(PyExc_ValueError, Donde("filas", n) + ": un registro tiene de 1 a 3 campos, no " +
                                                 std::to_string(campos));
                std::string_view* destino[] = {&r.referencia, &r.campo2, &r.campo3};
                const char* nombres[] = {"referencia", "campo2", "campo3"};
                for (Py_ssize_t i = 0; i < campos; ++i) {
                    // Held on its own: a list may change once the interpreter is let go.
                    vivos.push_back(py::reinterpret_borrow<py::object>(PySequence_Fast_GET_ITEM(fila.ptr(), i)));
                    *destino[i] = Texto(vivos.back(), nombres[i], n);
                    if (i == 0) referencias.push_back(vivos.back().ptr());
                }
            } else {
                Lanzar(PyExc_TypeError, Donde("filas", n) + ": se esperaba un texto o una tupla de 1 a 3 textos, no " +
                                            NombreDeTipo(fila));
            }
            bloque.push_back(r);
        }
        {
            std::optional<py::gil_scoped_release> sinInterprete;
            if (bloque.size() >= kSinInterprete) sinInterprete.emplace();
            for (std::size_t i = 0; i < bloque.size(); ++i) {
                const Registro& r = bloque[i];
                estados[i] = vaviviv_calcular(r.codigo, r.referencia.data(), r.campo2.data(), r.campo3.data(),
                                              &resultados[i]);
            }
        }
        for (std::size_t i = 0; i < bloque.size(); ++i) {
            Comprobar(estados[i], primero + Py_ssize_t(i));
            PyObject* resultado = NuevoResultado(resultados[i], referencias[i], bloque[i].referencia, &hechos);
            const Py_ssize_t puesto = primero + Py_ssize_t(i);
            if (puesto < previstos) {
                PyList_SET_ITEM(salida.ptr(), puesto, resultado);
                continue;
            }
            const int fallo = PyList_Append(salida.ptr(), resultado);
            Py_DECREF(resultado);
            if (fallo) throw py::error_already_set();
        }
        primero += Py_ssize_t(bloque.size());
        bloque.clear();
        vivos.clear();
        referencias.clear();
    }
    if (primero < previstos && PyList_SetSlice(salida.ptr(), primero, previstos, nullptr))
        throw py::error_already_set();
    return salida;
}

// The one place where a record the rules refuse becomes an exception: its
// kind as the engine names it, its message the text the rules give.
[[noreturn]] void Rechazar(std::string_view error, std::string_view caracter) {
    if (error.empty()) Lanzar(gInvalidFormat, MensajeCaracterNoValidoUtf8(caracter));  // codes 35-37
    Lanzar(FaltaDe(error) == Falta::Longitud ? gInvalidLength : gInvalidFormat, std::string(error).append(caracter));
}

py::str CalcCheckDigits(py::handle codigo, py::handle referencia, py::handle campo2, py::handle campo3) {
    const Registro r = Leer(codigo, referencia, campo2, campo3);
    const FilaCalculada f = CalcularFilaUtf8(r.codigo, r.referencia, r.campo2, r.campo3);
    if (f.desenlace != FilaCalculada::Desenlace::Calculada) Rechazar(f.error, f.caracter);
    return py::str(f.digitos.data(), f.digitos.size());
}

py::str Validate(py::handle codigo, py::handle numero, py::handle campo2, py::handle campo3) {
    const Registro r = Leer(codigo, numero, campo2, campo3, "numero");
    const Verificacion v = Verificar(r.codigo, r.referencia, r.campo2, r.campo3);
    using E = Verificacion::Estado;
    if (v.estado == E::NoValida) Lanzar(gInvalidChecksum, "Dígitos verificadores no válidos: se esperaba " + v.esperada());
    if (v.estado != E::Valida) Rechazar(v.error, v.caracter);
    const std::string_view limpio = RecortarEspacios(r.referencia);
    return py::str(limpio.data(), limpio.size());
}

PyObject* NuevaExcepcion(py::module_& m, const char* nombre, PyObject* base, const char* doc) {
    PyObject* tipo = PyErr_NewExceptionWithDoc((std::string("vaviviv.") + nombre).c_str(), doc, base, nullptr);
    if (!tipo) throw py::error_already_set();
    m.add_object(nombre, py::reinterpret_borrow<py::object>(tipo));
    return tipo;
}

}  // namespace

PYBIND11_MODULE(_vaviviv, m) {
    // Each docstring starts with its own signature, which inspect and help() read.
    py::options opciones;
    opciones.disable_function_signatures();
    const auto texto = py::arg("campo2") = "", texto3 = py::arg("campo3") = "";

    m.attr("__version__") = VAVIVIV_VERSION;
    py::tuple codigos(Catalogo().size());
    for (const Algoritmo& a : Catalogo()) codigos[Posicion(a)] = a.codigo;
    m.attr("CODIGOS") = codigos;

    gValidationError = NuevaExcepcion(m, "ValidationError", PyExc_ValueError,
                                      "El número no es válido para el algoritmo; el mensaje dice por qué.");
    gInvalidFormat = NuevaExcepcion(m, "InvalidFormat", gValidationError,
                                    "Un carácter, un campo o una fecha que el algoritmo no admite.");
    gInvalidLength = NuevaExcepcion(m, "InvalidLength", gValidationError,
                                    "La referencia, la sucursal o la cuenta pasan de su largo (o la fecha del 02 no llega).");
    gInvalidChecksum = NuevaExcepcion(m, "InvalidChecksum", gValidationError,
                                      "Los dígitos verificadores no son los que corresponden.");

    gResultado = reinterpret_cast<PyTypeObject*>(PyType_FromSpec(&kTipoResultado));
    if (!gResultado) throw py::error_already_set();
    m.add_object("Resultado", py::reinterpret_steal<py::object>(reinterpret_cast<PyObject*>(gResultado)));
    const char* estados[] = {"calculada", "error", "caracter_no_valido"};
    for (int i = 0; i < 3; ++i) gEstados[i] = PyUnicode_InternFromString(estados[i]);
    gVacio = PyUnicode_FromString("");

    m.def("calcular", &CalcularRegistro, py::arg("codigo"), py::arg("referencia"), texto, texto3,
          R"(calcular(codigo, referencia, campo2='', campo3='')
--

Calcula un registro con las reglas del cálculo masivo y devuelve un
Resultado con las mismas celdas que «vaviviv-cli masivo». campo2 y campo3 son
sucursal y cuenta (código 6) o importe y fecha DD/MM/AAAA (código 10).

>>> calcular(0, '123456')
vaviviv.Resultado(estado='calculada', completa='1234566', digitos='6', caracter='')
>>> calcular(0, '12a')
vaviviv.Resultado(estado='error', completa='Error: Referencia no válida.', digitos='', caracter='')
>>> calcular(35, 'AB-1')
vaviviv.Resultado(estado='caracter_no_valido', completa='', digitos='', caracter='-')
)");
    m.def("verificar", &VerificarCompleta, py::arg("codigo"), py::arg("completa"), texto, texto3,
          R"(verificar(codigo, completa, campo2='', campo3='')
--

True si la referencia completa termina con los dígitos que le corresponden
(8 para el código 10; 2 para 4, 6 y 37; 1 para los demás).

>>> verificar(0, '1234566'), verificar(0, '1234567')
(True, False)
)");
    m.def("calcular_muchos", &CalcularMuchos, py::arg("codigo"), py::arg("filas"),
          R"(calcular_muchos(codigo, filas)
--

Una lista de Resultado, uno por registro: cada fila es un texto (la
referencia) o una tupla de 1 a 3 textos. El cálculo corre sin el bloqueo del
intérprete.

>>> [r.completa for r in calcular_muchos(6, [('1', '123', '4567'), ('1', '12x', '4567')])]
['151', 'Error: Sucursal no válida.']
)");
    m.def("calc_check_digits", &CalcCheckDigits, py::arg("codigo"), py::arg("referencia"), texto, texto3,
          R"(calc_check_digits(codigo, referencia, campo2='', campo3='')
--

Los dígitos verificadores de la referencia; si las reglas no la admiten,
InvalidFormat o InvalidLength con el texto del error.

>>> calc_check_digits(0, '123456')
'6'
>>> calc_check_digits(2, '2412319')
'2'
>>> calc_check_digits(3, '123456')
'7'
>>> calc_check_digits(4, '123456')
'93'
>>> calc_check_digits(6, '123456', '1234', '5678')
'07'
>>> calc_check_digits(10, '123456', '1500.50', '31/12/2013')
'96711287'
>>> calc_check_digits(35, 'ABC123')
'8'
>>> calc_check_digits(36, 'ABC123')
'2'
>>> calc_check_digits(37, 'ABC123')
'03'
>>> calc_check_digits(0, '12345678901234567890')
Traceback (most recent call last):
    ...
vaviviv.InvalidLength: Error: Referencia mayor a 19 dígitos.
)");
    m.def("validate", &Validate, py::arg("codigo"), py::arg("numero"), texto, texto3,
          R"(validate(codigo, numero, campo2='', campo3='')
--

El número sin los blancos de sus extremos si sus dígitos verificadores son
los que corresponden; si no, InvalidChecksum, y si las reglas no admiten la
referencia, InvalidFormat o InvalidLength.

>>> validate(0, ' 1234566 ')
'1234566'
>>> validate(0, '1234567')
Traceback (most recent call last):
    ...
vaviviv.InvalidChecksum: Dígitos verificadores no válidos: se esperaba 1234566
>>> validate(35, 'AB-10')
Traceback (most recent call last):
    ...
vaviviv.InvalidFormat: Caracter no Válido en la referencia: ' - '
)");
    m.def("is_valid", &VerificarCompleta, py::arg("codigo"), py::arg("numero"), texto, texto3,
          R"(is_valid(codigo, numero, campo2='', campo3='')
--

True si validate aceptaría el número.

>>> is_valid(10, '123456' + calc_check_digits(10, '123456', '1500.50', '31/12/2013'), '1500.50', '31/12/2013')
True
>>> is_valid(0, '12a4')
False
)");
    m.attr("__all__") = py::make_tuple("calcular", "verificar", "calcular_muchos", "calc_check_digits", "validate",
                                       "is_valid", "Resultado", "ValidationError", "InvalidFormat", "InvalidLength",
                                       "InvalidChecksum", "CODIGOS");
}
