#include "tgraphviewdialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TGraphViewDialog::TGraphViewDialog(QWidget* pParent, const Texts& texts, Apply apply)
    : QDialog(pParent), _apply(std::move(apply)) {
    setObjectName(QStringLiteral("dlgView"));
    setWindowTitle(tr("View"));
    auto* pForm = new QFormLayout;
    const QString captions[4] = {tr("x from:"), tr("x to:"), tr("y from:"), tr("y to:")};
    const char* const names[4] = {"editXFrom", "editXTo", "editYFrom", "editYTo"};
    for (std::size_t i = 0; i < _edits.size(); ++i) {
        _edits[i] = new QLineEdit(texts[i], this);
        _edits[i]->setObjectName(QLatin1String(names[i]));
        pForm->addRow(captions[i], _edits[i]);
    }
    _pMessage = new QLabel(this);
    _pMessage->setObjectName(QStringLiteral("labelMessage"));
    _pMessage->setWordWrap(true);
    _pMessage->hide();
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* pHome = pButtons->addButton(tr("Home"), QDialogButtonBox::ResetRole);
    pHome->setObjectName(QStringLiteral("cmdHome"));
    connect(pButtons, &QDialogButtonBox::accepted, this, &TGraphViewDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &TGraphViewDialog::reject);
    connect(pHome, &QPushButton::clicked, this, [this] { done(HOME); });
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addWidget(_pMessage);
    pLayout->addWidget(pButtons);
    // A fixed dialog: nothing to minimise or maximise.
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setSizeGripEnabled(false);
}

void TGraphViewDialog::accept() {
    Texts texts;
    for (std::size_t i = 0; i < _edits.size(); ++i) {
        texts[i] = _edits[i]->text();
    }
    const QString message = _apply ? _apply(texts) : QString();
    if (!message.isEmpty()) {
        _pMessage->setText(message);
        _pMessage->show();
        return;
    }
    QDialog::accept();
}
