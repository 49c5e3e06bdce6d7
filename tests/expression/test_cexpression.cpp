#include "expression/cexpression.h"

#include "core/cstring.h"
#include "core/errorcodes.h"
#include "crecordinginterface.h"
#include "enginetest.h"
#include "expressiontest.h"
#include "interpreter/cinterpreter.h"
#include "interpreter/cprogram.h"
#include "symbols/carray.h"
#include "symbols/cfunction.h"
#include "symbols/cnamedconstant.h"

#include <cmath>
#include <memory>
#include <string>

namespace {

// A function of the tests: the sum of its parameters, or 0 as a
// subroutine; it counts its calls.
class CSumFunction : public CFunction {
public:
    CSumFunction(CProgram* pProg, const char* pchName, int nParams, bool bSubroutine)
        : CFunction(pProg) {
        Init(nullptr, bSubroutine);
        SetName(pchName);
        for (int i = 0; i < nParams; ++i) {
            GetParams()->AddLast(new CVariable(true, 0));
        }
        SetParamCount(nParams);
    }
    Extended GetValue() override {
        ++nCalls;
        Extended sum = 0;
        if (GetParamCount() > 0) {
            for (GetParams()->GoToStart(); GetParams()->GetCurrent(); GetParams()->GoToNext()) {
                sum += GetParams()->GetCurrent()->GetValue();
            }
        }
        return sum;
    }
    void BeforeCall() override { ++nBeforeCalls; }

    int nCalls = 0;
    int nBeforeCalls = 0;
};

class ExpressionTest : public ExpressionFixture {
protected:
    void SetUp() override {
        CProgram* pProgram = _poUI->GetProgram();
        _pX = new CVariable(false, 0);
        _pX->SetName("X");
        pProgram->GetVariables()->AddLast(_pX);
        AddNamedConstant(pProgram->GetConstants(), 2, "K");
        auto* pArray = new CArray(false);
        CString name;
        name.Set("A");
        const int limits[] = {1, 10};
        pArray->Dimension(&name, limits, 1);
        pProgram->GetArrays()->AddLast(pArray);
        _pF = new CSumFunction(pProgram, "F", 2, false);
        pProgram->GetUserFunctions()->AddLast(_pF);
        pProgram->GetLibraryFunctions()->AddLast(new CSumFunction(pProgram, "ONE", 1, false));
        pProgram->GetLibraryFunctions()->AddLast(new CSumFunction(pProgram, "NOARG", 0, false));
        pProgram->GetLibraryFunctions()->AddLast(new CSumFunction(pProgram, "SUBR", 0, true));
    }
    std::string KeptName() const { return _poUI->GetInterpreter()->GetErrorName()->GetData(); }

    CVariable* _pX = nullptr;
    CSumFunction* _pF = nullptr;
};

TEST_F(ExpressionTest, PrioritiesAndAssociativity) {
    EXPECT_EQ(Value("2+3*4"), 14);
    EXPECT_EQ(Value("(2+3)*4"), 20);
    EXPECT_EQ(Value("-2^2"), -4);
    EXPECT_EQ(Value("2*-3"), -6);
    EXPECT_EQ(Value("8-3-2"), 3);
    EXPECT_EQ(Value("2^3^2"), 64);
    EXPECT_EQ(Value("2^(-3)"), 0.125L);
    EXPECT_EQ(Value("2**3"), 8);
    EXPECT_EQ(Value("1 2"), 12);
    EXPECT_EQ(Value("12.5/.5"), 25);
    EXPECT_EQ(Value("((((7))))"), 7);
}

TEST_F(ExpressionTest, OperatorPlacementErrors) {
    for (const char* pch : {"2^-3", "--3", "+3", "3+", "2(3)", "1,2", ",", "()", "X<>-1", "3!"}) {
        EXPECT_EQ(Failure(pch), ERR_EXPRESSION) << pch;
    }
    EXPECT_EQ(Value("X=-1"), 0);
    EXPECT_EQ(Value("X<-1"), 0);
    EXPECT_EQ(Failure("   "), ERR_EXPRESSION_EMPTY);
}

TEST_F(ExpressionTest, ExponentSignsStayInTheNumeral) {
    EXPECT_EQ(Value("1E+3"), 1000);
    EXPECT_EQ(Value("1.5E-1*2"), 0.3L);
    EXPECT_EQ(Value("2-1E-1"), 1.9L);
    EXPECT_EQ(Value("-.5E+2+1"), -49);
    EXPECT_EQ(Value("1E 2"), 100);
    EXPECT_EQ(Value("2E2^2"), 40000);
    EXPECT_EQ(Value("(1E-1)"), 0.1L);
    // A name ending in E, or an E not followed by a digit, keeps the sign
    // an operator.
    _pX->SetValue(1);
    EXPECT_EQ(Value("X+1E+1"), 11);
    EXPECT_EQ(Value("2*E"), 2 * Value("E"));
    EXPECT_EQ(Failure("1E+X"), ERR_UNKNOWN_SYMBOL);
    EXPECT_EQ(KeptName(), "1E");
    EXPECT_EQ(Failure("1E+"), ERR_UNKNOWN_SYMBOL);
    EXPECT_EQ(KeptName(), "1E");
    EXPECT_EQ(Failure("E5"), ERR_UNKNOWN_SYMBOL);
    EXPECT_EQ(KeptName(), "E5");
    EXPECT_EQ(Failure("X1E+2"), ERR_UNKNOWN_SYMBOL);
    EXPECT_EQ(KeptName(), "X1E");
    EXPECT_EQ(Failure(".E+2"), ERR_UNKNOWN_SYMBOL);
    EXPECT_EQ(KeptName(), ".E");
    EXPECT_EQ(Failure("1E--2"), ERR_UNKNOWN_SYMBOL);
    EXPECT_EQ(KeptName(), "1E");
}

TEST_F(ExpressionTest, WordOperatorsNeedBlanks) {
    EXPECT_EQ(Value("5 MOD 3"), 2);
    EXPECT_EQ(Failure("5MOD3"), ERR_UNKNOWN_SYMBOL);
    EXPECT_EQ(KeptName(), "5MOD3");
    EXPECT_EQ(Value("NOT 2 = 3"), 1);
    EXPECT_EQ(Value("1 AND NOT 0"), 1);
    EXPECT_EQ(Value("NOT(0)"), 1);
    EXPECT_EQ(Value("(NOT(1)) OR (NOT 0)"), 1);
    EXPECT_EQ(Value("1 <= 1"), 1);
    EXPECT_EQ(Value("2 =< 1"), 0);
    EXPECT_EQ(Value("2 => 1"), 1);
    EXPECT_EQ(Value("1 >< 1"), 0);
}

TEST_F(ExpressionTest, LogicalAndComparisonValues) {
    EXPECT_EQ(Value("3 = 3"), 1);
    EXPECT_EQ(Value("3 <> 3"), 0);
    EXPECT_EQ(Value("NOT 0"), 1);
    EXPECT_EQ(Value("NOT 5"), 0);
    EXPECT_EQ(Value("2 AND 3"), 1);
    EXPECT_EQ(Value("0 OR 0"), 0);
    EXPECT_EQ(Value("1 XOR 1"), 0);
    EXPECT_EQ(Value("1 XOR 0"), 1);
    EXPECT_EQ(Value("1 NAND 0"), 1);
    EXPECT_EQ(Value("1 NAND 1"), 0);
    EXPECT_EQ(Value("0 NOR 0"), 1);
    EXPECT_EQ(Value("1 NOR 0"), 0);
    EXPECT_EQ(Value("2 >= 3"), 0);
    EXPECT_EQ(Value("2 < 3"), 1);
}

TEST_F(ExpressionTest, ArithmeticFailures) {
    EXPECT_EQ(Value("7 MOD 3"), 1);
    EXPECT_EQ(Value("-7 MOD 3"), -1);
    EXPECT_EQ(Value("7 MOD -3"), 1);
    EXPECT_EQ(Value("7.6 MOD 2.5"), 2);
    EXPECT_EQ(Value("(0-2147483648) MOD (0-1)"), 0);
    EXPECT_EQ(Failure("5 MOD 0.4"), ERR_DIVISION_BY_ZERO);
    EXPECT_EQ(Failure("1/0"), ERR_DIVISION_BY_ZERO);
    EXPECT_EQ(Failure("5 MOD 3000000000"), ERR_ILLEGAL_PARAMETER);
    EXPECT_EQ(Value("0/5"), 0);
    EXPECT_EQ(Value("2^0.5"), std::sqrt(2.0L));
    EXPECT_EQ(Failure("(0-8)^(1/3)"), ERR_ILLEGAL_PARAMETER);
}

TEST_F(ExpressionTest, BracketErrors) {
    EXPECT_EQ(Failure("(1+2"), ERR_RIGHT_BRACKET_MISSING);
    EXPECT_EQ(Failure("1+2)"), ERR_LEFT_BRACKET_MISSING);
    EXPECT_EQ(Failure("ONE"), ERR_EXPECTED_LEFT_BRACKET);
    EXPECT_EQ(Failure("ONE()"), ERR_EXPECTED_RIGHT_BRACKET);
    EXPECT_EQ(Failure("ONE(1,2)"), ERR_EXPECTED_RIGHT_BRACKET);
    EXPECT_EQ(Failure("ONE(1"), ERR_RIGHT_BRACKET_MISSING);
    EXPECT_EQ(Failure("A()"), ERR_EXPECTED_RIGHT_BRACKET);
    EXPECT_EQ(Failure("A(1,2)"), ERR_EXPECTED_RIGHT_BRACKET);
    EXPECT_EQ(Failure("F(1)"), ERR_EXPECTED_COMMA);
    EXPECT_EQ(Failure("NOARG(1)"), ERR_EXPECTED_RIGHT_BRACKET);
    EXPECT_EQ(Failure("A"), ERR_EXPECTED_LEFT_BRACKET);
}

TEST_F(ExpressionTest, NamesResolveInScopeOrder) {
    EXPECT_EQ(Failure("1Q5"), ERR_UNKNOWN_SYMBOL);
    EXPECT_EQ(KeptName(), "1Q5");
    EXPECT_EQ(Failure("X+Q+R"), ERR_UNKNOWN_SYMBOL);
    EXPECT_EQ(KeptName(), "Q");
    // A built-in constant hides a local one of the same name.
    CLinkedList<CNamedNumeric> locals;
    AddNamedConstant(&locals, 99, "PI");
    AddNamedConstant(&locals, 5, "K");
    auto poExpr = std::make_unique<CExpression>(_poUI->GetProgram());
    CString text;
    text.Set("PI+K");
    poExpr->SetCode(&text);
    poExpr->Link(nullptr, nullptr, nullptr, &locals);
    poExpr->BuildTree();
    EXPECT_EQ(poExpr->Evaluate(), 4 * std::atan(1.0L) + 5);
}

TEST_F(ExpressionTest, VariablesAreReadAtEveryEvaluation) {
    auto poExpr = Build("X*K");
    _pX->SetValue(3);
    EXPECT_EQ(poExpr->Evaluate(), 6);
    _pX->SetValue(4);
    EXPECT_EQ(poExpr->Evaluate(), 8);
    EXPECT_EQ(_pX->GetReferenceCount(), 1);
    poExpr.reset();
    EXPECT_EQ(_pX->GetReferenceCount(), 0);
}

TEST_F(ExpressionTest, CallsPassArgumentsInOrder) {
    _pX->SetValue(2);
    EXPECT_EQ(Value("-2^2+F(1,X*3)"), 3);
    EXPECT_EQ(_pF->nBeforeCalls, 1);
    EXPECT_EQ(Value("F(F(1,2),ONE(10))"), 13);
    EXPECT_EQ(Value("NOARG()"), 0);
    EXPECT_EQ(Value("A(3)+A(10.4)"), 0);
    EXPECT_EQ(Failure("A(11)"), ERR_ILLEGAL_PARAMETER);
}

TEST_F(ExpressionTest, SubroutinesOnlyAsTheWholeExpression) {
    EXPECT_TRUE(Build("SUBR()")->IsSubroutineCall());
    EXPECT_FALSE(Build("ONE(1)")->IsSubroutineCall());
    EXPECT_EQ(Failure("1+SUBR()"), ERR_SUB_IN_EXPRESSION);
}

TEST_F(ExpressionTest, PrintShowsTheCodeWithoutBlanks) {
    auto poExpr = std::make_unique<CExpression>(_poUI->GetProgram());
    CString text;
    text.Set(" 1 + X MOD 2");
    poExpr->SetCode(&text);
    poExpr->Print();
    EXPECT_EQ(_poUI->TakeOutput(), "\nSymbol\nSymbol\nSymbol\nSymbol\nSymbol\nSymbol\nSymbol");
    poExpr->Link(nullptr, nullptr, nullptr, nullptr);
    poExpr->BuildTree();
    poExpr->Print();
    EXPECT_EQ(_poUI->TakeOutput(), "1+X%2");
}

TEST_F(ExpressionTest, DeepNestingNeedsNoRecursion) {
    std::string text;
    for (int i = 0; i < 100000; ++i) {
        text += "-(1+";
    }
    text += "1";
    text += std::string(100000, ')');
    EXPECT_EQ(Value(text.c_str()), 1);
    std::string unbalanced(50000, '(');
    EXPECT_EQ(Failure(unbalanced.c_str()), ERR_RIGHT_BRACKET_MISSING);
}

} // namespace
