#include "tgraphrangedialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TGraphRangeDialog::TGraphRangeDialog(QWidget* pParent, const QString& title,
                                     const QStringList& captions, const QStringList& names,
                                     const QStringList& texts, bool bHome, Apply apply)
    : QDialog(pParent), _apply(std::move(apply)) {
    Q_ASSERT(captions.size() == names.size() && captions.size() == texts.size());
    setWindowTitle(title);
    auto* pForm = new QFormLayout;
    for (qsizetype i = 0; i < captions.size(); ++i) {
        auto* pEdit = new QLineEdit(texts[i], this);
        pEdit->setObjectName(names[i]);
        pForm->addRow(captions[i], pEdit);
        _edits.push_back(pEdit);
    }
    _pMessage = new QLabel(this);
    _pMessage->setObjectName(QStringLiteral("labelMessage"));
    _pMessage->setWordWrap(true);
    _pMessage->hide();
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    if (bHome) {
        QPushButton* pHome = pButtons->addButton(tr("Home"), QDialogButtonBox::ResetRole);
        pHome->setObjectName(QStringLiteral("cmdHome"));
        connect(pHome, &QPushButton::clicked, this, [this] { done(HOME); });
    }
    connect(pButtons, &QDialogButtonBox::accepted, this, &TGraphRangeDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &TGraphRangeDialog::reject);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pForm);
    pLayout->addWidget(_pMessage);
    pLayout->addWidget(pButtons);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

void TGraphRangeDialog::accept() {
    QStringList texts;
    for (const QLineEdit* pEdit : _edits) {
        texts << pEdit->text();
    }
    const QString message = _apply ? _apply(texts) : QString();
    if (!message.isEmpty()) {
        _pMessage->setText(message);
        _pMessage->show();
        return;
    }
    QDialog::accept();
}
