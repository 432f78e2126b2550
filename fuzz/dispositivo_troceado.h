#pragma once
// A read-only device that hands out at most `trozo` bytes per read, as a pipe
// or socket may: the reader must give the same records however its input is cut.

#include <QByteArray>
#include <QIODevice>
#include <algorithm>
#include <cstring>

namespace vaviviv::fuzz {

class DispositivoTroceado : public QIODevice {
public:
    DispositivoTroceado(QByteArray datos, qint64 trozo) : datos_(std::move(datos)), trozo_(trozo) { open(ReadOnly | Unbuffered); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* destino, qint64 maximo) override {
        const qint64 n = std::min({maximo, trozo_, qint64(datos_.size()) - leidos_});
        std::memcpy(destino, datos_.constData() + leidos_, std::size_t(n));
        leidos_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray datos_;
    qint64 trozo_, leidos_ = 0;
};

}  // namespace vaviviv::fuzz
