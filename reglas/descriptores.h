#pragma once
// Standard descriptors a caller left closed are opened on /dev/null at start,
// so that no file the program opens takes their number: a results file read
// back as standard input, messages written into it.

namespace vaviviv {

struct DescriptoresCerrados {
    bool entrada = false;
    bool salida = false;
    bool errores = false;
};

// Which of 0, 1 and 2 were closed; they are open on /dev/null now.
DescriptoresCerrados AbrirDescriptoresEstandar();

}  // namespace vaviviv
