// ostrel: the calculator in its window. `ostrel FILE.bas ...` runs the files
// after the start-up file, once the window is up.

#include "uFrmCalc.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>

#include <exception>

namespace {

// A failure that is not an error code and reaches the event loop is shown,
// and the calculator goes on.
class TApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* pReceiver, QEvent* pEvent) override {
        try {
            return QApplication::notify(pReceiver, pEvent);
        } catch (const std::exception& e) {
            QMessageBox::critical(nullptr, tr("Ostrel 1.0"), QString::fromLocal8Bit(e.what()));
        } catch (...) {
            QMessageBox::critical(nullptr, tr("Ostrel 1.0"), tr("An unexpected error occurred."));
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ostrel"));
    const QStringList files = QCoreApplication::arguments().mid(1);
    TfrmCalc frmCalc;
    frmCalc.show();
    frmCalc.RunFilesWhenShown(files);
    return app.exec();
}
