#include "cli/senales.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <pthread.h>
#include <unistd.h>

namespace vaviviv::cli {

namespace {

constexpr int kSenales[] = {SIGINT, SIGTERM, SIGHUP};

// The handler may touch nothing but these: no allocation, no lock.
char gTemporal[4096];
volatile sig_atomic_t gHayTemporal = 0;

extern "C" void AlRecibir(int senal) {
    const int numero = errno;
    if (gHayTemporal) ::unlink(gTemporal);
    // Blocked while this runs, the signal is delivered again on return, now
    // with the default action.
    ::signal(senal, SIG_DFL);
    ::raise(senal);
    errno = numero;
}

sigset_t Conjunto() {
    sigset_t conjunto;
    sigemptyset(&conjunto);
    for (int s : kSenales) sigaddset(&conjunto, s);
    return conjunto;
}

}  // namespace

void InstalarSenales() {
    struct sigaction accion{};
    accion.sa_handler = AlRecibir;
    sigemptyset(&accion.sa_mask);
    for (int s : kSenales) sigaddset(&accion.sa_mask, s);
    for (int s : kSenales) {
        // A signal the caller chose to ignore (nohup, a background job) stays ignored.
        struct sigaction antes{};
        if (::sigaction(s, nullptr, &antes) == 0 && antes.sa_handler == SIG_IGN) continue;
        ::sigaction(s, &accion, nullptr);
    }
}

SenalesEnEspera::SenalesEnEspera() {
    const sigset_t conjunto = Conjunto();
    pthread_sigmask(SIG_BLOCK, &conjunto, nullptr);
}

SenalesEnEspera::~SenalesEnEspera() {
    const sigset_t conjunto = Conjunto();
    pthread_sigmask(SIG_UNBLOCK, &conjunto, nullptr);
}

bool VigilarTemporal(const QByteArray& ruta) {
    gHayTemporal = 0;
    if (ruta.isEmpty()) return true;
    if (ruta.size() >= qsizetype(sizeof gTemporal)) return false;
    std::memcpy(gTemporal, ruta.constData(), size_t(ruta.size()) + 1);
    gHayTemporal = 1;
    return true;
}

}  // namespace vaviviv::cli
