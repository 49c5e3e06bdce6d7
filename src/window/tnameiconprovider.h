#pragma once

#include <QAbstractFileIconProvider>

// Icons and type names for the file dialogs that go by a file's name and
// kind alone. Qt's own provider reads a file's first bytes to guess its
// type, on the window's thread; a path such as /proc/kmsg never answers and
// would freeze the window for good.
class TNameIconProvider final : public QAbstractFileIconProvider {
public:
    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};
