#pragma once
// A read-only device that hands out at most `trozo` bytes per read, as a pipe
// or socket may: the reader must give the same records however its input is
// cut. With `falla`, reads fail once the data is out, with kFalloLectura.

#include <QByteArray>
#include <QIODevice>
#include <algorithm>
#include <cstring>

namespace vaviviv::fuzz {

inline const char* const kFalloLectura = "Fallo de lectura simulado";

class DispositivoTroceado : public QIODevice {
public:
    DispositivoTroceado(QByteArray datos, qint64 trozo, bool falla = false)
        : datos_(std::move(datos)), trozo_(trozo), falla_(falla) { open(ReadOnly | Unbuffered); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* destino, qint64 maximo) override {
        const qint64 n = std::min({maximo, trozo_, qint64(datos_.size()) - leidos_});
        if (n == 0 && falla_) return setErrorString(kFalloLectura), -1;
        std::memcpy(destino, datos_.constData() + leidos_, std::size_t(n));
        leidos_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray datos_;
    qint64 trozo_, leidos_ = 0;
    bool falla_;
};

}  // namespace vaviviv::fuzz
