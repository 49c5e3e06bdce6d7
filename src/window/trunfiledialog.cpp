#include "trunfiledialog.h"

#include <QFileInfo>

#include <algorithm>

TRunFileDialog::TRunFileDialog(QWidget* pParent) : QFileDialog(pParent, tr("Run file")) {
    setObjectName(QStringLiteral("dlgOpen"));
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    setNameFilter(QStringLiteral("*.bas *.BAS"));
    setIconProvider(&_iconProvider);
}

QString TRunFileDialog::ProgramFileName(const QString& fileName) {
    const QFileInfo info(fileName);
    if (!info.suffix().isEmpty() || info.isDir()) {
        return fileName;
    }
    const QStringList candidates = {fileName + QStringLiteral(".bas"),
                                    fileName + QStringLiteral(".BAS")};
    const auto found = std::find_if(candidates.cbegin(), candidates.cend(),
                                    [](const QString& name) { return QFileInfo::exists(name); });
    return found != candidates.cend() ? *found : fileName;
}

void TRunFileDialog::accept() {
    const QStringList files = selectedFiles();
    if (files.size() == 1) {
        selectFile(ProgramFileName(files.constFirst()));
    }
    QFileDialog::accept();
}
