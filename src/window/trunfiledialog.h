#pragma once

#include "tnameiconprovider.h"

#include <QFileDialog>

// The "Run file" dialog. A name typed without a suffix finds its file under
// either case of the suffix, which the dialog's default suffix cannot do.
class TRunFileDialog final : public QFileDialog {
    Q_OBJECT

public:
    explicit TRunFileDialog(QWidget* pParent);

    // The program file that a name typed without a suffix means: NAME.bas,
    // else NAME.BAS, where one exists; any other name as it is.
    static QString ProgramFileName(const QString& fileName);

    void accept() override;

private:
    TNameIconProvider _iconProvider;
};
