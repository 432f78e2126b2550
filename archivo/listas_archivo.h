#pragma once
// The three lists of the file explorer: drives (mounted volumes), the
// folders on the way to the current folder with its subfolders, and the
// files of a folder that match a pattern.

#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QStringList>

namespace vaviviv {

// Fills `lista` with the mounted volumes that can be read, each carrying its
// root folder as item data; the volume that holds `carpeta` comes first and
// is selected.
void LlenarUnidades(QComboBox& lista, const QString& carpeta);

// The root folder of the volume that holds `carpeta`.
QString UnidadDe(const QString& carpeta);

// Folders from the file system's root down to the current one (open), then
// the current one's subfolders, each indented by its depth. A double click or
// Enter on an entry makes it the current folder.
class ListaCarpetas final : public QListWidget {
    Q_OBJECT

public:
    explicit ListaCarpetas(QWidget* parent = nullptr);

    QString Path() const { return ruta_; }
    // Lists the folder again; raises Change and returns true when it differs
    // from the current one.
    bool setPath(const QString& carpeta);
    // The folder that an entry stands for.
    static QString CarpetaDe(const QListWidgetItem& entrada);

signals:
    void Change();

private:
    void llenar();

    QString ruta_;
};

// The files of one folder whose names match the pattern: one or more
// wildcards separated by ";", compared without regard to case.
class ListaArchivos final : public QListWidget {
    Q_OBJECT

public:
    explicit ListaArchivos(QWidget* parent = nullptr);

    QString Path() const { return ruta_; }
    // Lists the folder again.
    void setPath(const QString& carpeta);
    QString Pattern() const { return patron_; }
    void setPattern(const QString& patron);

private:
    void llenar();

    QString ruta_;
    QString patron_ = QStringLiteral("*.*");
};

}  // namespace vaviviv
