#pragma once

#include "tgraphpaintbox.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBrowser>

// The main window's controls and menu items, found as a user's tools find
// them: by the object names of the window's design. Null when missing.
template <class T> T* WindowChild(const QObject* pWindow, const QString& name) {
    return pWindow->findChild<T*>(name);
}

inline QLineEdit* InputLine(const QObject* pWindow) {
    return WindowChild<QLineEdit>(pWindow, QStringLiteral("editInput"));
}

inline QPlainTextEdit* OutputPane(const QObject* pWindow) {
    return WindowChild<QPlainTextEdit>(pWindow, QStringLiteral("memoOutput"));
}

inline TGraphPaintBox* GraphPane(const QObject* pWindow) {
    return WindowChild<TGraphPaintBox>(pWindow, QStringLiteral("pbGraph"));
}

// Function button iButton, 1 to 4.
inline QPushButton* FunctionButton(const QObject* pWindow, int iButton) {
    return WindowChild<QPushButton>(pWindow, QStringLiteral("cmdF%1").arg(iButton));
}

inline QMenu* Menu(const QObject* pWindow, const char* pchName) {
    return WindowChild<QMenu>(pWindow, QLatin1String(pchName));
}

inline QAction* MenuItem(const QObject* pWindow, const char* pchName) {
    return WindowChild<QAction>(pWindow, QLatin1String(pchName));
}

// The help window and its browser: none before help was first shown.
inline QDialog* HelpWindow(const QObject* pWindow) {
    return WindowChild<QDialog>(pWindow, QStringLiteral("frmHelp"));
}

inline QTextBrowser* HelpBrowser(const QObject* pWindow) {
    return WindowChild<QTextBrowser>(pWindow, QStringLiteral("helpBrowser"));
}
