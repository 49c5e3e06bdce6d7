#pragma once

#include "core/cstring.h"
#include "crecordinginterface.h"
#include "enginetest.h"
#include "expression/cexpression.h"

#include <memory>

// An expression prepared the way a statement at top level prepares it:
// code set, names linked against the program, tree built.
inline std::unique_ptr<CExpression> BuildExpression(CProgram* pProgram, const char* pchText) {
    auto poExpr = std::make_unique<CExpression>(pProgram);
    CString text;
    text.Set(pchText);
    poExpr->SetCode(&text);
    poExpr->Link(nullptr, nullptr, nullptr, nullptr);
    poExpr->BuildTree();
    return poExpr;
}

// Tests of expressions in a calculator of their own, released before the
// instance counters are checked.
class ExpressionFixture : public EngineTest {
protected:
    void TearDown() override {
        _poUI.reset();
        EngineTest::TearDown();
    }

    std::unique_ptr<CExpression> Build(const char* pchText) {
        return BuildExpression(_poUI->GetProgram(), pchText);
    }
    Extended Value(const char* pchText) { return Build(pchText)->Evaluate(); }
    // The code raised while preparing or evaluating the text, 0 if none.
    int Failure(const char* pchText) {
        return RaisedCode([&] { Build(pchText)->Evaluate(); });
    }

    std::unique_ptr<CRecordingInterface> _poUI = std::make_unique<CRecordingInterface>();
};
