#include "archivo/listas_archivo.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>
#include <vector>

namespace vaviviv {

namespace {

constexpr int kRuta = Qt::UserRole;
constexpr int kNivel = Qt::UserRole + 1;

QString Limpia(const QString& carpeta) { return QDir::cleanPath(QDir(carpeta).absolutePath()); }

// Each level of a folder is drawn three blanks further right. Blanks typed
// into the name would be read out by a screen reader and would defeat the
// search by first letters.
class Sangria final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& opcion, const QModelIndex& entrada) const override {
        return QStyledItemDelegate::sizeHint(opcion, entrada) + QSize(Ancho(opcion, entrada), 0);
    }

protected:
    void initStyleOption(QStyleOptionViewItem* opcion, const QModelIndex& entrada) const override {
        QStyledItemDelegate::initStyleOption(opcion, entrada);
        opcion->rect.setLeft(opcion->rect.left() + Ancho(*opcion, entrada));
    }

private:
    static int Ancho(const QStyleOptionViewItem& opcion, const QModelIndex& entrada) {
        return entrada.data(kNivel).toInt() * opcion.fontMetrics.horizontalAdvance(QStringLiteral("   "));
    }
};

}  // namespace

QString UnidadDe(const QString& carpeta) {
    const QStorageInfo volumen(carpeta);
    return volumen.isValid() ? Limpia(volumen.rootPath()) : QDir::rootPath();
}

void LlenarUnidades(QComboBox& lista, const QString& carpeta) {
    struct Unidad {
        QString raiz, texto;
    };
    std::vector<Unidad> unidades;
    const QString propia = UnidadDe(carpeta);
    bool hayPropia = false;
    for (const QStorageInfo& volumen : QStorageInfo::mountedVolumes()) {
        if (!volumen.isValid() || !volumen.isReady()) continue;
        const QString raiz = Limpia(volumen.rootPath());
        if (std::any_of(unidades.begin(), unidades.end(), [&](const Unidad& u) { return u.raiz == raiz; }))
            continue;
        QString texto = QDir::toNativeSeparators(raiz);
        if (!volumen.name().isEmpty()) texto += QStringLiteral("  [%1]").arg(volumen.name());
        unidades.push_back({raiz, texto});
        hayPropia = hayPropia || raiz == propia;
    }
    if (!hayPropia) unidades.push_back({propia, QDir::toNativeSeparators(propia)});
    std::stable_sort(unidades.begin(), unidades.end(), [&](const Unidad& a, const Unidad& b) {
        if ((a.raiz == propia) != (b.raiz == propia)) return a.raiz == propia;
        return a.raiz < b.raiz;
    });
    lista.clear();
    for (const Unidad& u : unidades) lista.addItem(u.texto, u.raiz);
    lista.setCurrentIndex(0);
}

ListaCarpetas::ListaCarpetas(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new Sangria(this));
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* entrada) { setPath(CarpetaDe(*entrada)); });
}

QString ListaCarpetas::CarpetaDe(const QListWidgetItem& entrada) { return entrada.data(kRuta).toString(); }

bool ListaCarpetas::setPath(const QString& carpeta) {
    const QString ruta = Limpia(carpeta);
    const bool cambia = ruta != ruta_;
    ruta_ = ruta;
    llenar();
    if (cambia) emit Change();
    return cambia;
}

void ListaCarpetas::llenar() {
    clear();
    QStringList camino;
    for (QDir d(ruta_);; ) {
        camino.prepend(d.absolutePath());
        if (d.isRoot() || !d.cdUp()) break;
    }
    const QIcon abierta = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon cerrada = style()->standardIcon(QStyle::SP_DirClosedIcon);
    QListWidgetItem* actual = nullptr;
    for (int nivel = 0; nivel < camino.size(); ++nivel) {
        const QFileInfo info(camino[nivel]);
        const QString nombre = nivel == 0 ? QDir::toNativeSeparators(camino[nivel]) : info.fileName();
        auto* entrada = new QListWidgetItem(abierta, nombre, this);
        entrada->setData(kRuta, camino[nivel]);
        entrada->setData(kNivel, nivel);
        actual = entrada;
    }
    const int nivel = int(camino.size());
    const QFileInfoList subcarpetas =
        QDir(ruta_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    for (const QFileInfo& sub : subcarpetas) {
        auto* entrada = new QListWidgetItem(cerrada, sub.fileName(), this);
        entrada->setData(kRuta, Limpia(sub.absoluteFilePath()));
        entrada->setData(kNivel, nivel);
    }
    if (actual) setCurrentItem(actual);
}

ListaArchivos::ListaArchivos(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void ListaArchivos::setPath(const QString& carpeta) {
    ruta_ = Limpia(carpeta);
    llenar();
}

void ListaArchivos::setPattern(const QString& patron) {
    if (patron == patron_) return;
    patron_ = patron;
    llenar();
}

void ListaArchivos::llenar() {
    clear();
    if (ruta_.isEmpty()) return;
    QStringList filtros;
    for (const QString& parte : patron_.split(u';', Qt::SkipEmptyParts))
        if (!parte.trimmed().isEmpty()) filtros << parte.trimmed();
    // Without QDir::CaseSensitive the wildcards ignore case: A.TXT is a text file too.
    addItems(QDir(ruta_).entryList(filtros, QDir::Files, QDir::Name | QDir::IgnoreCase | QDir::LocaleAware));
}

}  // namespace vaviviv
