#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;

// "View..." of the graph pane: the ranges the picture shows, x from, x to,
// y from and y to, to be edited. OK hands the four texts to the window,
// which answers with a message when it cannot show them, and the dialog
// stays open with that message; "Home" returns to the plot's own view.
class TGraphViewDialog final : public QDialog {
    Q_OBJECT

public:
    // The dialog's result when "Home" was pressed.
    static constexpr int HOME = 2;
    using Texts = std::array<QString, 4>;
    // Empty when the view could be shown, else why not.
    using Apply = std::function<QString(const Texts&)>;

    TGraphViewDialog(QWidget* pParent, const Texts& texts, Apply apply);

    void accept() override;

private:
    std::array<QLineEdit*, 4> _edits{};
    QLabel* _pMessage = nullptr;
    Apply _apply;
};
