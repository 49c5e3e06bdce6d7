// ostrel: the calculator in its window. `ostrel FILE.bas ...` runs the files
// after the start-up file, once the window is up, so that a plot in them
// draws on the pane as the user sees it.

#include "uFrmCalc.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <clocale>
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
            QMessageBox::critical(nullptr, QStringLiteral("Ostrel 1.0"),
                                  QString::fromLocal8Bit(e.what()));
        } catch (...) {
            QMessageBox::critical(nullptr, QStringLiteral("Ostrel 1.0"),
                                  QStringLiteral("An unexpected error occurred."));
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ostrel"));
    std::setlocale(LC_NUMERIC, "C");
    const QStringList files = QCoreApplication::arguments().mid(1);
    TfrmCalc frmCalc;
    frmCalc.show();
    QTimer::singleShot(0, &frmCalc, [&frmCalc, files] {
        for (const QString& file : files) {
            frmCalc.RunFile(file);
        }
    });
    return app.exec();
}
