#include "uFrmCalc.h"

#include "tgraphrangedialog.h"
#include "ui/cgraphpicture.h"
#include "ui/cwindowinterface.h"

#include <QMenu>

// The graph pane's answers: the context menu's questions about the curve
// under the pointer, and the keys that ask them about the traced curve.

QMenu* TfrmCalc::CreateGraphMenu(QPoint point) {
    auto* pMenu = new QMenu(this);
    pMenu->setObjectName(QStringLiteral("mnuGraphPane"));
    SGraphProbe probe{};
    const bool bCurve = _nRunning == 0 && Interface() && Interface()->CanAnswerGraphQuestions() &&
                        Interface()->ProbeGraph(point.x(), point.y(), &probe) && probe.bSample;
    if (bCurve) {
        AddQuestions(pMenu, probe.iCurve, probe.x);
        pMenu->addSeparator();
    }
    pMenu->addActions({mnuCopyGraph, mnuSaveGraph, mnuViewGraph});
    return pMenu;
}

void TfrmCalc::AddQuestions(QMenu* pMenu, int iCurve, Extended x) {
    const std::vector<CPlotScene::SCurve>& curves =
        Interface()->GetGraphPicture().GetScene()->GetCurves();
    const auto add = [&](QMenu* pTo, const QString& text, const char* pchName,
                         const std::function<void()>& ask) {
        QAction* pAction = pTo->addAction(text);
        pAction->setObjectName(QLatin1String(pchName));
        connect(pAction, &QAction::triggered, this, ask);
    };
    add(pMenu, tr("Zero here"), "mnuZeroHere", [=, this] { Ask({GQ_ZERO, iCurve, 0, x, 0}); });
    add(pMenu, tr("Minimum here"), "mnuMinimumHere", [=, this] {
        Ask({GQ_MINIMUM, iCurve, 0, x, 0});
    });
    add(pMenu, tr("Maximum here"), "mnuMaximumHere", [=, this] {
        Ask({GQ_MAXIMUM, iCurve, 0, x, 0});
    });
    QMenu* pOthers = pMenu->addMenu(tr("Intersection with"));
    pOthers->setObjectName(QStringLiteral("mnuIntersection"));
    for (int iOther = 0; iOther < static_cast<int>(curves.size()); ++iOther) {
        if (iOther != iCurve) {
            add(pOthers, QString::fromStdString(curves[static_cast<std::size_t>(iOther)].name),
                "mnuIntersectionWith", [=, this] {
                    Ask({GQ_INTERSECTION, iCurve, iOther, x, 0});
                });
        }
    }
    pOthers->setEnabled(curves.size() > 1);
    add(pMenu, tr("Value at x..."), "mnuValueAt", [=, this] { AskValue(iCurve, x); });
    add(pMenu, tr("Area from ... to ..."), "mnuArea", [=, this] { AskArea(iCurve); });
}

QString TfrmCalc::Ask(const SGraphQuestion& question) {
    char pchMessage[160] = "";
    bool bAnswered = false;
    if (_nRunning == 0 && Interface()) {
        RunBusy([&] { bAnswered = Interface()->AnswerGraphQuestion(question, pchMessage); });
    }
    QString message = bAnswered ? QString() : QString::fromUtf8(pchMessage);
    // Nothing to find: the pane says so where the pointer's texts stand.
    if (!message.isEmpty()) {
        SGraphOverlay overlay = pbGraph->GetOverlay();
        overlay.note = message;
        pbGraph->SetOverlay(overlay);
    }
    return message;
}

void TfrmCalc::AskValue(int iCurve, Extended x) {
    const auto apply = [=, this](const QStringList& texts) {
        std::vector<Extended> values;
        const QString error = EvaluateTexts(texts, &values);
        return error.isEmpty() ? Ask({GQ_VALUE, iCurve, 0, values[0], 0}) : error;
    };
    TGraphRangeDialog dlgValue(this, tr("Value at x"), {tr("x:")}, {QStringLiteral("editX")},
                               {ViewNumberText(x)}, false, apply);
    dlgValue.exec();
}

void TfrmCalc::AskArea(int iCurve) {
    const SPlotRange span = Interface()->GetAreaSpan();
    const auto apply = [=, this](const QStringList& texts) {
        std::vector<Extended> values;
        const QString error = EvaluateTexts(texts, &values);
        return error.isEmpty() ? Ask({GQ_AREA, iCurve, 0, values[0], values[1]}) : error;
    };
    TGraphRangeDialog dlgArea(this, tr("Area"), {tr("from x:"), tr("to x:")},
                              {QStringLiteral("editXFrom"), QStringLiteral("editXTo")},
                              {ViewNumberText(span.lo), ViewNumberText(span.hi)}, false, apply);
    dlgArea.exec();
}

void TfrmCalc::AskByKey(int nKey) {
    if (_nRunning > 0 || !Interface() || !Interface()->CanAnswerGraphQuestions()) {
        return;
    }
    // The traced sample, or the middle of the first curve's view.
    SGraphProbe probe{};
    if (!Interface()->ProbeSample(_iTraceCurve, _iTraceSample, &probe)) {
        SPlotView view{};
        Interface()->GetGraphView(&view);
        probe.iCurve = 0;
        probe.xSample = (view.x.lo + view.x.hi) / 2;
    }
    const int iCurve = probe.iCurve;
    const Extended x = probe.xSample;
    switch (nKey) {
    case Qt::Key_Z:
        Ask({GQ_ZERO, iCurve, 0, x, 0});
        break;
    case Qt::Key_M:
        Ask({GQ_MAXIMUM, iCurve, 0, x, 0});
        break;
    case Qt::Key_N:
        Ask({GQ_MINIMUM, iCurve, 0, x, 0});
        break;
    case Qt::Key_I:
        // With the other curve nearest there.
        Ask({GQ_INTERSECTION, iCurve, -1, x, 0});
        break;
    case Qt::Key_A:
        AskArea(iCurve);
        break;
    default:
        break;
    }
}
