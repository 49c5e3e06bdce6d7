#include "core/cstring.h"
#include "core/errorcodes.h"
#include "crecordinginterface.h"
#include "enginetest.h"
#include "interpreter/cinterpreter.h"
#include "statements/cstatement.h"

#include <memory>
#include <string>
#include <utility>

namespace {

class RecognitionTest : public EngineTest {
protected:
    ELineType TypeOf(const char* pchLine) {
        CString line;
        line.Set(pchLine);
        return _poUI->GetInterpreter()->GetLineType(&line);
    }
    // The class number of the statement recognised, or the code raised.
    int Recognise(const char* pchLine) {
        CString line;
        line.Set(pchLine);
        int nResult = 0;
        const int nCode = RaisedCode([&] {
            std::unique_ptr<CStatement> poStatement(
                _poUI->GetInterpreter()->CreateStatement(&line));
            nResult = poStatement->GetClassNumber();
        });
        return nCode != 0 ? nCode : nResult;
    }
    void SetUp() override { _poUI = std::make_unique<CRecordingInterface>(); }
    void TearDown() override {
        _poUI.reset();
        EngineTest::TearDown();
    }
    std::unique_ptr<CRecordingInterface> _poUI;
};

TEST_F(RecognitionTest, LineTypesInTheirOrder) {
    const std::pair<const char*, ELineType> cases[] = {
        {"", LT_NONE},
        {"   ", LT_NONE},
        {"// note", LT_NONE},
        {"' note", LT_NONE},
        {"REM note", LT_SIMPLE},
        {"dim x", LT_DECLARE},
        {"STATIC X(1 TO 2)", LT_DECLARE},
        {"LET X", LT_ASSIGN},
        {"CONST A = 1", LT_CONST},
        {"PRINT \"a = b\"", LT_PRINT_TEXT},
        {"PRINT A = B", LT_SIMPLE},
        {"?A=B", LT_SIMPLE},
        {"DELETE X", LT_DELETE},
        {"IF X THEN PRINT 1", LT_IF_LINE},
        {"IF X THEN", LT_IF},
        {"IF X", LT_SIMPLE},
        {"IF THEN X", LT_SIMPLE},
        {"FOR I=1 TO 3 DO PRINT I", LT_FOR_LINE},
        {"FOR I=1 TO 3", LT_FOR},
        {"FOR I=1 TO 3 STEP 2", LT_FOR},
        {"FOR I=1 TO 3 STEP 2 DO PRINT I", LT_FOR_LINE},
        {"FUNCTION F(X) = X", LT_FUNCTION_LINE},
        {"FUNCTION F(X)", LT_FUNCTION},
        {"SUB S(X)", LT_SUB},
        {"RUNFILE \"a.bas\"", LT_RUNFILE},
        {"FINDZEROS F,0,1", LT_FINDZEROS},
        {"FINDEXTREMA F,0,1", LT_FINDEXTREMA},
        {"PLOTXY 0,1,F", LT_PLOT},
        {"PLOTTXY 0,1,F,G", LT_PLOT},
        {"ELSEIF X THEN", LT_ELSEIF},
        {"ELSE", LT_ELSE},
        {"ELSE PRINT 1", LT_SIMPLE},
        {"END IF", LT_END_IF},
        {"ENDIF", LT_SIMPLE},
        {"EXIT LOOP", LT_EXIT_LOOP},
        {"EXIT FUNCTION", LT_EXIT_FUNCTION},
        {"EXIT SUB", LT_EXIT_FUNCTION},
        {"END FUNCTION", LT_END_FUNCTION},
        {"END SUB", LT_END_SUB},
        {"NEXT", LT_NEXT},
        {"NEXT I", LT_NEXT},
        {"NEXTI", LT_SIMPLE},
        {"DO", LT_DO},
        {"DO WHILE X", LT_DO},
        {"DO UNTIL X", LT_DO},
        {"DOX", LT_SIMPLE},
        {"LOOP", LT_LOOP},
        {"LOOP WHILE X", LT_LOOP},
        {"LOOP UNTIL X", LT_LOOP},
        {"X = 1", LT_ASSIGN},
        {"CLS", LT_CALL},
        {"SHOWTOOLBAR 0", LT_CALL},
        {"CALL ANYTHING", LT_CALL},
        {"1+2", LT_SIMPLE},
    };
    for (const auto& [pchLine, type] : cases) {
        EXPECT_EQ(TypeOf(pchLine), type) << pchLine;
    }
}

TEST_F(RecognitionTest, EachRuleAndItsNearMiss) {
    const std::pair<const char*, int> cases[] = {
        {"REM note", CN_DONOTHING},
        {"REM", CN_PRINTEXPRESSION},
        {"IF 1 THEN PRINT 1", CN_BRANCH},
        {"IF(X>1) THEN PRINT 1", CN_PRINTEXPRESSION},
        {"FOR I=1 TO 2 DO PRINT I", CN_REPEAT},
        {"FOR I=1 TO 2 STEP 2 DO PRINT I", CN_REPEAT},
        {"DIM X = SIN(1)", CN_DECLARECONSTORVAR},
        {"DIM X(1 TO 2)", CN_DECLAREARRAY},
        {"STATIC X = SIN(1)", ERR_ARRAY_DECLARATION},
        {"STATIC X = 5", CN_DECLARECONSTORVAR},
        {"CONST A = 1", CN_DECLARECONSTORVAR},
        {"FUNCTION F(X) = X", CN_DEFINEFUNCTION},
        {"PRINT \"x\"", CN_PRINTTEXT},
        {"PRINT A=B", CN_PRINTEXPRESSION},
        {"CLS", CN_CALLSUB},
        {"CALL S(1, 2)", CN_CALLSUB},
        {"DELETE X", CN_DELETESYMBOL},
        {"RUNFILE \"a.bas\"", CN_RUNFILE},
        {"FINDEXTREMA SIN,0,1", CN_FINDEXTREMA},
        {"FINDEXTREMASIN,0,1", CN_PRINTEXPRESSION},
        {"SETYRANGE AUTO", CN_SETYRANGE},
        {"SETYRANGEAUTO", CN_PRINTEXPRESSION},
        {"EXIT LOOP", CN_EXITLOOP},
        {"EXIT  LOOP", CN_PRINTEXPRESSION},
        {"EXIT FUNCTION", CN_EXITFUNCTION},
        {"EXIT SUB", CN_EXITFUNCTION},
        {"?1", CN_PRINTEXPRESSION},
        {"X = 1", CN_ASSIGNVARIABLE},
        {"LET X(1) = 1", CN_ASSIGNARRAY},
        {"X = A(2)", CN_ASSIGNVARIABLE},
        {"X(1 = 2)", ERR_SYNTAX},
        {"2*PI", CN_PRINTEXPRESSION},
    };
    for (const auto& [pchLine, nExpected] : cases) {
        EXPECT_EQ(Recognise(pchLine), nExpected) << pchLine;
    }
}

TEST_F(RecognitionTest, SplitErrors) {
    EXPECT_EQ(Recognise("IF X THEN"), ERR_IF_SYNTAX);
    EXPECT_EQ(Recognise("IF X PRINT 1"), ERR_EXPECTED_THEN);
    EXPECT_EQ(Recognise("FOR I=1"), ERR_EXPECTED_TO);
    EXPECT_EQ(Recognise("FOR I=1 TO 2 STEP"), ERR_FOR_SYNTAX);
    EXPECT_EQ(Recognise("FOR I=1 TO 2 STEP   DO PRINT I"), ERR_FOR_SYNTAX);
    EXPECT_EQ(Recognise("FUNCTION F"), ERR_EXPECTED_LEFT_BRACKET);
    EXPECT_EQ(Recognise("FUNCTION (X) = 1"), ERR_EXPECTED_LEFT_BRACKET);
    EXPECT_EQ(Recognise("FUNCTION F(X = 1"), ERR_EXPECTED_RIGHT_BRACKET);
    EXPECT_EQ(Recognise("CONST X"), ERR_CONSTANT_NOT_INITIALISED);
    EXPECT_EQ(Recognise("DIM X(1 5)"), ERR_ARRAY_DECLARATION);
    EXPECT_EQ(Recognise("DIM X(1 TO 5"), ERR_EXPECTED_RIGHT_BRACKET);
    EXPECT_EQ(Recognise("RUNFILE x.bas"), ERR_RUNFILE_QUOTES);
}

} // namespace
