#include "platform/lista_con_nombre.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>

namespace vaviviv {

namespace {

class AccesoLista final : public QAccessibleWidget {
public:
    explicit AccesoLista(QComboBox* lista) : QAccessibleWidget(lista, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Value ? lista()->currentText() : QAccessibleWidget::text(t);
    }
    // Its one child is the popup's list of entries, as with Qt's own list boxes.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int i) const override {
        return i == 0 ? QAccessible::queryAccessibleInterface(lista()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* hijo) const override {
        return hijo && hijo->object() == lista()->view() ? 0 : -1;
    }
    QAccessible::State state() const override {
        QAccessible::State estado = QAccessibleWidget::state();
        estado.expandable = true;
        estado.expanded = lista()->view()->isVisible();
        estado.collapsed = !estado.expanded;
        return estado;
    }
    QStringList actionNames() const override { return QStringList{showMenuAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString& accion) override {
        if (accion == showMenuAction()) lista()->showPopup();
        else QAccessibleWidget::doAction(accion);
    }

private:
    QComboBox* lista() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* AccesoDeLista(const QString& clase, QObject* objeto) {
    if (clase != QLatin1String(ListaConNombre::staticMetaObject.className())) return nullptr;
    return new AccesoLista(static_cast<ListaConNombre*>(objeto));
}

}  // namespace

ListaConNombre::ListaConNombre(QWidget* contenedor) : QComboBox(contenedor) {
    [[maybe_unused]] static const bool instalado = (QAccessible::installFactory(AccesoDeLista), true);
    // The reader finds the entry as the selected one of the popup's list, which Qt
    // otherwise updates only when the popup opens (not after the wheel or an arrow key).
    connect(this, &QComboBox::currentIndexChanged, this, &ListaConNombre::SeguirEntrada);
}

// A list filled with its signals blocked (a window's drive list, say) changed
// its entry unannounced.
void ListaConNombre::showEvent(QShowEvent* evento) {
    QComboBox::showEvent(evento);
    SeguirEntrada();
}

void ListaConNombre::SeguirEntrada() {
    view()->setCurrentIndex(model()->index(currentIndex(), modelColumn(), rootModelIndex()));
}

}  // namespace vaviviv
