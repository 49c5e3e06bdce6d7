#include "thelpwindow.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

THelpWindow::THelpWindow(QWidget* pMainWindow)
    : QDialog(pMainWindow), _pBrowser(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(tr("Ostrel Help"));
    resize(640, 480);
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* pLayout = new QVBoxLayout(this);
    _pBrowser->setObjectName(QStringLiteral("helpBrowser"));
    pLayout->addWidget(_pBrowser);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    pLayout->addWidget(pButtons);
}

void THelpWindow::ShowSection(int nHelpContext) {
    QUrl url = HelpFileUrl();
    const QString section = HelpSection(nHelpContext);
    if (!section.isEmpty()) {
        url.setFragment(section);
    }
    _pBrowser->setSource(url);
    if (section.isEmpty()) {
        _pBrowser->verticalScrollBar()->setValue(0);
    }
    if (!isVisible()) {
        PlaceBesideMainWindow();
    }
    show();
    raise();
}

QString THelpWindow::HelpSection(int nHelpContext) {
    switch (nHelpContext) {
    case 1:
        return QStringLiteral("input-line");
    case 2:
        return QStringLiteral("output-pane");
    case 3:
        return QStringLiteral("graph-pane");
    case 5:
        return QStringLiteral("function-buttons");
    default:
        return {};
    }
}

QUrl THelpWindow::HelpFileUrl() {
    const QString dir = QCoreApplication::applicationDirPath();
    for (const QString& name : {dir + QStringLiteral("/ostrel.html"),
                                dir + QStringLiteral("/../share/ostrel/ostrel.html")}) {
        if (QFileInfo::exists(name)) {
            return QUrl::fromLocalFile(QFileInfo(name).canonicalFilePath());
        }
    }
    return QUrl(QStringLiteral("qrc:/help/ostrel.html"));
}

void THelpWindow::PlaceBesideMainWindow() {
    const QWidget* pMain = parentWidget();
    // A window not yet shown has no frame; the main window's is the same.
    const QSize frame = pMain->frameGeometry().size() - pMain->geometry().size();
    move(HelpWindowPosition(pMain->frameGeometry(), size() + frame,
                            pMain->screen()->availableGeometry()));
}

QPoint THelpWindow::HelpWindowPosition(const QRect& mainFrame, const QSize& helpFrame,
                                       const QRect& screen) {
    const int xMax = std::max(screen.left(), screen.right() + 1 - helpFrame.width());
    const int yMax = std::max(screen.top(), screen.bottom() + 1 - helpFrame.height());
    const int y = std::clamp(mainFrame.top(), screen.top(), yMax);
    const int xRight = mainFrame.right() + 1;
    if (xRight <= xMax) {
        return {xRight, y};
    }
    const int xLeft = mainFrame.left() - helpFrame.width();
    if (xLeft >= screen.left()) {
        return {xLeft, y};
    }
    auto covered = [&](QPoint position) {
        const QRect overlap = QRect(position, helpFrame) & mainFrame;
        return static_cast<long long>(overlap.width()) * overlap.height();
    };
    QPoint best(xMax, y);
    for (const int x : {xMax, screen.left()}) {
        for (const int yCandidate : {y, screen.top(), yMax}) {
            if (covered({x, yCandidate}) < covered(best)) {
                best = {x, yCandidate};
            }
        }
    }
    return best;
}
