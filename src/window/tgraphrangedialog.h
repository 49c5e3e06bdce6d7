#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;

// A small dialog of the graph pane that asks for numbers: the ranges of
// View..., the x of "Value at x..." or the ends of an area. OK hands the
// texts to the window, which answers with a message when it cannot use
// them, and the dialog then stays open with that message; the optional
// "Home" button ends it with HOME.
class TGraphRangeDialog final : public QDialog {
    Q_OBJECT

public:
    static constexpr int HOME = 2;
    // Empty when the texts could be used, else why not.
    using Apply = std::function<QString(const QStringList&)>;

    // One line edit per caption, named as in names, filled with texts.
    TGraphRangeDialog(QWidget* pParent, const QString& title, const QStringList& captions,
                      const QStringList& names, const QStringList& texts, bool bHome, Apply apply);

    void accept() override;

private:
    std::vector<QLineEdit*> _edits;
    QLabel* _pMessage = nullptr;
    Apply _apply;
};
