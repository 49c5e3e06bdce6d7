#pragma once

#include <QDialog>
#include <QPoint>
#include <QUrl>

class QTextBrowser;

// The help window: the reference page in a browser, not modal, so that it
// stays open beside the calculator while the user types.
class THelpWindow final : public QDialog {
    Q_OBJECT

public:
    explicit THelpWindow(QWidget* pMainWindow);

    // Shows the section of a control's help context (1 input line, 2 output
    // pane, 3 graph pane, 5 function buttons; 0 is the contents), placed beside the main
    // window when it was not open yet.
    void ShowSection(int nHelpContext);

    // The section of the help page for a help context, empty for the top.
    static QString HelpSection(int nHelpContext);
    // The help page: beside the program, else where it is installed, else
    // the copy built into the program.
    static QUrl HelpFileUrl();
    // Where the help window of that outer size goes: beside the main
    // window where the screen has room, else where it covers least of it.
    static QPoint HelpWindowPosition(const QRect& mainFrame, const QSize& helpFrame,
                                     const QRect& screen);

private:
    void PlaceBesideMainWindow();

    QTextBrowser* _pBrowser;
};
