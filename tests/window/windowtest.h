#pragma once

#include "crecordingwindow.h"
#include "enginetest.h"
#include "uFrmCalc.h"
#include "windowchildren.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

// Each test gets a main window of its own, started in an empty directory,
// and must leave every instance counter at zero once the window is gone.
class WindowTest : public EngineTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(_directory.isValid());
        _previous = QDir::currentPath();
        QDir::setCurrent(_directory.path());
        frm = std::make_unique<TfrmCalc>();
    }
    void TearDown() override {
        frm.reset();
        QDir::setCurrent(_previous);
        EngineTest::TearDown();
    }

    // What a line prints through a window interface of its own, as the
    // output pane shows it: the reference for lines whose messages belong
    // to the interpreter.
    static QString ReferenceOutput(const char* pchLine) {
        auto* poUI = new CWindowInterface;
        poUI->Initialise();
        CRecordingWindow window(poUI);
        poUI->AttachWindow(&window);
        poUI->ExecuteLine(pchLine);
        delete poUI;
        return QString::fromStdString(window.output).remove(QLatin1Char('\r'));
    }

    QString Output() const;

    std::unique_ptr<TfrmCalc> frm;

private:
    QTemporaryDir _directory;
    QString _previous;
};

inline QString WindowTest::Output() const {
    return OutputPane(frm.get())->toPlainText();
}

// Answers the next modal file dialog by choosing the file, as the user
// would; the timer must live until the dialog has opened.
inline void ChooseFileWhenAsked(QTimer* pTimer, const QString& fileName) {
    pTimer->setSingleShot(true);
    QObject::connect(pTimer, &QTimer::timeout, [fileName] {
        auto* pDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(pDialog, nullptr);
        pDialog->selectFile(fileName);
        QMetaObject::invokeMethod(pDialog, &QDialog::accept);
    });
    pTimer->start(0);
}

// The pixels of the colour in the image.
inline int CountColor(const QImage& image, QRgb color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += (image.pixel(x, y) & 0xFFFFFF) == color ? 1 : 0;
        }
    }
    return n;
}

// A canvas colour (red in the low byte) as the pane's image holds it.
inline QRgb Rgb(int nColor) {
    return qRgb(nColor & 0xFF, (nColor >> 8) & 0xFF, (nColor >> 16) & 0xFF) & 0xFFFFFF;
}

// The main window shown at its design size, lines typed into the input
// line and run with Enter's menu item, as the user would.
class ShownWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        frm->show();
        frm->resize(745, 241);
        QApplication::processEvents();
    }
    void Type(const char* pchLine) {
        InputLine(frm.get())->setText(pchLine);
        MenuItem(frm.get(), "mnuExecute")->trigger();
    }
    QRgb Pixel(int x, int y) const {
        return GraphPane(frm.get())->GetImage().pixel(x, y) & 0xFFFFFF;
    }
};
