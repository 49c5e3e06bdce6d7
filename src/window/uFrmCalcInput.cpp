#include "uFrmCalc.h"

#include "core/cassert.h"
#include "interpreter/completion.h"
#include "ui/cwindowinterface.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringListModel>

#include <algorithm>

// The input line: Tab completion, the history of entered lines, and the
// keys that the window handles there itself.

int TfrmCalc::CharIndex(const QByteArray& utf8, int iByte) {
    return static_cast<int>(QString::fromUtf8(utf8.left(iByte)).size());
}

int TfrmCalc::ByteIndex(const QString& text, int iChar) {
    return static_cast<int>(text.left(iChar).toUtf8().size());
}

bool TfrmCalc::IsCompletionKey(const QEvent* pEvent) {
    const auto* pKey = static_cast<const QKeyEvent*>(pEvent);
    return pKey->key() == Qt::Key_Tab && pKey->modifiers() == Qt::NoModifier;
}

void TfrmCalc::CreateCompleter() {
    _pCompletionModel = new QStringListModel(this);
    _pCompleter = new QCompleter(_pCompletionModel, this);
    _pCompleter->setObjectName(QStringLiteral("completer"));
    _pCompleter->setWidget(editInput);
    _pCompleter->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    _pCompleter->popup()->setObjectName(QStringLiteral("lstCompletions"));
    _pCompleter->popup()->installEventFilter(this);
    connect(_pCompleter, qOverload<const QString&>(&QCompleter::activated), this,
            [this](const QString& candidate) { ReplaceInputWord(QueryCompletion(), candidate); });
    connect(editInput, &QLineEdit::textEdited, this, &TfrmCalc::RefreshCompletions);
}

bool TfrmCalc::FilterInputKey(const QKeyEvent* pKey) {
    if (IsCompletionKey(pKey)) {
        CompleteInput();
        return true;
    }
    if (pKey->key() == Qt::Key_Up || pKey->key() == Qt::Key_Down) {
        RecallInput(pKey->key() == Qt::Key_Up ? -1 : 1);
        return true;
    }
    // The input line runs its line when Enter goes up again.
    if (pKey->key() == Qt::Key_Return || pKey->key() == Qt::Key_Enter) {
        if (!pKey->isAutoRepeat()) {
            _bReturnDown = true;
        }
        return true;
    }
    return false;
}

void TfrmCalc::editInputKeyUp(QKeyEvent* pEvent) {
    if (pEvent->isAutoRepeat()) {
        return;
    }
    const int nKey = pEvent->key();
    const bool bKeypad = (pEvent->modifiers() & Qt::KeypadModifier) != 0;
    if (bKeypad && (nKey == Qt::Key_Period || nKey == Qt::Key_Comma)) {
        // The keypad's decimal key types the regional separator; the
        // language wants ".".
        const int iCaret = editInput->cursorPosition();
        if (iCaret > 0) {
            editInput->setSelection(iCaret - 1, 1);
            editInput->insert(QStringLiteral("."));
        }
    } else if (nKey == Qt::Key_Return || nKey == Qt::Key_Enter) {
        // Only an Enter that went down here: the one that closed a dialog
        // must not run the line.
        if (_bReturnDown) {
            _bReturnDown = false;
            mnuExecuteClick();
        }
    }
}

void TfrmCalc::RememberInput(const QString& text) {
    // The same line entered again and again is one entry to walk past.
    if (!text.isEmpty() && (_inputHistory.isEmpty() || _inputHistory.constLast() != text)) {
        _inputHistory.append(text);
    }
    _iHistory = static_cast<int>(_inputHistory.size());
    _historyDraft.clear();
}

void TfrmCalc::RecallInput(int nStep) {
    const int nEntries = static_cast<int>(_inputHistory.size());
    const int iNew = std::clamp(_iHistory + nStep, 0, nEntries);
    if (iNew == _iHistory) {
        return;
    }
    if (_iHistory == nEntries) {
        // Leaving the line being typed: it comes back below the newest.
        _historyDraft = editInput->text();
    }
    _iHistory = iNew;
    editInput->setText(iNew == nEntries ? _historyDraft : _inputHistory[iNew]);
}

void TfrmCalc::CompleteInput() {
    if (_nRunning > 0 || !Interface()) {
        return;
    }
    const SCompletion completion = QueryCompletion();
    if (completion.candidates.empty()) {
        return;
    }
    ReplaceInputWord(completion, QString::fromStdString(completion.commonPrefix));
    if (completion.candidates.size() > 1) {
        ShowCompletions(completion.candidates);
    }
}

SCompletion TfrmCalc::QueryCompletion() const {
    const QString text = editInput->text();
    return _session.Complete(text.toStdString(), ByteIndex(text, editInput->cursorPosition()));
}

void TfrmCalc::ReplaceInputWord(const SCompletion& completion, const QString& replacement) {
    const QByteArray line = editInput->text().toUtf8();
    const int iStart = CharIndex(line, completion.iWordStart);
    const int iEnd = CharIndex(line, completion.iWordStart + completion.nWordLength);
    editInput->setSelection(iStart, iEnd - iStart);
    editInput->insert(replacement);
}

void TfrmCalc::ShowCompletions(const std::vector<std::string>& candidates) {
    QStringList list;
    for (const std::string& candidate : candidates) {
        list << QString::fromStdString(candidate);
    }
    _pCompletionModel->setStringList(list);
    _pCompleter->complete();
}

void TfrmCalc::RefreshCompletions() {
    if (!_pCompleter->popup()->isVisible()) {
        return;
    }
    const SCompletion completion = QueryCompletion();
    if (completion.candidates.size() > 1) {
        ShowCompletions(completion.candidates);
    } else {
        _pCompleter->popup()->hide();
    }
}

bool TfrmCalc::FilterCompletionPopup(QEvent* pEvent) {
    // The list holds the keys while it is open: Tab steps through it
    // rather than out of the input line.
    if (pEvent->type() != QEvent::KeyPress || !IsCompletionKey(pEvent)) {
        return false;
    }
    // The list opens on the first candidate, not yet chosen.
    QAbstractItemView* pList = _pCompleter->popup();
    const QModelIndex current = pList->currentIndex();
    const bool bChosen = pList->selectionModel()->isSelected(current);
    const int nRows = pList->model()->rowCount();
    const int iNext = bChosen ? (current.row() + 1) % nRows : std::max(current.row(), 0);
    pList->setCurrentIndex(pList->model()->index(iNext, 0));
    return true;
}

void TfrmCalc::SetInputText(const char* pchText) {
    editInput->setText(QString::fromUtf8(pchText));
}

void TfrmCalc::SetInputCaret(int iChar) {
    const QString text = editInput->text();
    const QByteArray utf8 = text.toUtf8();
    OSTREL_ASSERT(iChar >= 0 && iChar <= utf8.size());
    editInput->setFocus();
    const int iPosition = std::min(CharIndex(utf8, iChar), static_cast<int>(text.size()));
    if (iPosition > 0 && text[iPosition - 1] == QLatin1Char('?')) {
        // A template's "?" stands for what the user types next; the caret
        // stays after it.
        editInput->setSelection(iPosition - 1, 1);
    } else {
        editInput->setCursorPosition(iPosition);
    }
}
