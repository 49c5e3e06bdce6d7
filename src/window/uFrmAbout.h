#pragma once

#include <QDialog>
#include <QPixmap>

class QPushButton;

// The about box: product icon, name with the platform and an OK button.
class TfrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TfrmAbout(QWidget* pParent);

    // The product icon, a small framed graph, drawn rather than shipped.
    static QPixmap ProductIcon();
    // The platform the program runs on, as the about box names it.
    static QString PlatformName();

private:
    void cmdOKClick();

    QPushButton* cmdOK = nullptr;
};
