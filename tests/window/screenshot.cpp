// ostrel_screenshot INPUT OUTPUT.png [X,Y]: starts the calculator's window,
// types each line of INPUT into the input line with Enter, optionally moves
// the pointer to pixel X,Y of the graph pane, and saves a picture of the
// window. The README's screenshot is made this way (make_screenshot.sh).

#include "uFrmCalc.h"
#include "windowchildren.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTextStream>

#include <cstdio>

namespace {

// "X,Y" as a point; false when it is not two whole numbers.
bool ParsePoint(const char* pchText, QPoint* pPoint) {
    const QStringList parts = QString::fromLocal8Bit(pchText).split(QLatin1Char(','));
    bool bX = false;
    bool bY = false;
    if (parts.size() == 2) {
        *pPoint = QPoint(parts[0].toInt(&bX), parts[1].toInt(&bY));
    }
    return bX && bY;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QPoint pointer;
    const bool bPointer = argc == 4;
    if ((argc != 3 && argc != 4) || (bPointer && !ParsePoint(argv[3], &pointer))) {
        std::fputs("Usage: ostrel_screenshot INPUT OUTPUT.png [X,Y]\n", stderr);
        return 2;
    }
    QFile input(QString::fromLocal8Bit(argv[1]));
    if (!input.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "ostrel_screenshot: cannot read %s\n", argv[1]);
        return 1;
    }
    TfrmCalc frmCalc;
    frmCalc.show();
    frmCalc.resize(745, 360);
    if (!QTest::qWaitForWindowExposed(&frmCalc)) {
        std::fputs("ostrel_screenshot: the window did not show\n", stderr);
        return 1;
    }
    QTest::qWait(100);
    InputLine(&frmCalc)->setFocus();
    QTextStream lines(&input);
    while (!lines.atEnd()) {
        const QString line = lines.readLine();
        InputLine(&frmCalc)->clear();
        QTest::keyClicks(InputLine(&frmCalc), line);
        QTest::keyClick(InputLine(&frmCalc), Qt::Key_Return);
        QTest::qWait(20);
    }
    if (bPointer) {
        QTest::mouseMove(GraphPane(&frmCalc), pointer);
        QTest::qWait(20);
    }
    if (!frmCalc.grab().save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "ostrel_screenshot: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
