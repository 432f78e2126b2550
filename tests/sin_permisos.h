#pragma once
// Root passes every permission check. While a SinSaltarPermisos lives, the
// calling thread goes without that (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH), so
// a 0555 folder refuses it new entries as it would any user; the capabilities
// stay permitted and come back when it ends.

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vaviviv::prueba {

inline void SaltarPermisos(bool saltar) {
    __user_cap_header_struct cabecera{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct datos[2]{};
    if (::syscall(SYS_capget, &cabecera, datos) != 0) return;
    const unsigned bits = 1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH;
    datos[0].effective = saltar ? datos[0].effective | (datos[0].permitted & bits) : datos[0].effective & ~bits;
    ::syscall(SYS_capset, &cabecera, datos);
}

struct SinSaltarPermisos {
    SinSaltarPermisos() { SaltarPermisos(false); }
    ~SinSaltarPermisos() { SaltarPermisos(true); }
    SinSaltarPermisos(const SinSaltarPermisos&) = delete;
    SinSaltarPermisos& operator=(const SinSaltarPermisos&) = delete;
};

}  // namespace vaviviv::prueba
