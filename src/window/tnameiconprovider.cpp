#include "tnameiconprovider.h"

#include <QApplication>
#include <QFileInfo>
#include <QStyle>

QIcon TNameIconProvider::icon(IconType type) const {
    const QStyle* pStyle = QApplication::style();
    switch (type) {
    case Computer:
        return pStyle->standardIcon(QStyle::SP_ComputerIcon);
    case Drive:
        return pStyle->standardIcon(QStyle::SP_DriveHDIcon);
    case Folder:
        return pStyle->standardIcon(QStyle::SP_DirIcon);
    default:
        return pStyle->standardIcon(QStyle::SP_FileIcon);
    }
}

QIcon TNameIconProvider::icon(const QFileInfo& info) const {
    return icon(info.isDir() ? Folder : File);
}

QString TNameIconProvider::type(const QFileInfo& info) const {
    if (info.isDir()) {
        return QApplication::translate("TNameIconProvider", "Folder");
    }
    const QString suffix = info.suffix();
    return suffix.isEmpty()
               ? QApplication::translate("TNameIconProvider", "File")
               : QApplication::translate("TNameIconProvider", "%1 file").arg(suffix.toUpper());
}
