#include "core/cstring.h"
#include "crecordinginterface.h"
#include "enginetest.h"
#include "expression/clibraryfunction.h"
#include "interpreter/cprogram.h"
#include "symbols/cnamedconstant.h"

#include <memory>
#include <string>
#include <vector>

namespace {

class BuiltInsTest : public EngineTest {
protected:
    void TearDown() override {
        _poUI.reset();
        EngineTest::TearDown();
    }

    CProgram* Program() const { return _poUI->GetProgram(); }

    // The names of a list, in order.
    static std::vector<std::string> NamesOf(CSymbolList* pList) {
        std::vector<std::string> names;
        if (pList->GetCount() == 0) {
            return names;
        }
        for (pList->GoToStart(); pList->GetCurrent(); pList->GoToNext()) {
            names.emplace_back(pList->GetCurrent()->GetName()->GetData());
        }
        return names;
    }

    std::string Printed(Extended value) {
        _poUI->PrintNumber(value);
        return _poUI->TakeOutput();
    }

    std::unique_ptr<CRecordingInterface> _poUI = std::make_unique<CRecordingInterface>();
};

TEST_F(BuiltInsTest, ConstantsInOrderWithTheirValues) {
    const struct {
        const char* pchName;
        Extended value;
    } expected[] = {
        {"PI", 3.1415926535897932385L},
        {"DEG", 0.017453292519943295769L},
        {"E", 2.7182818284590452354L},
        {"CLOCKS_PER_SEC", 1000},
        {"NF_GENERAL", 1},
        {"NF_FIXED", 2},
        {"NF_SCIENTIFIC", 3},
        {"TRUE", 1},
        {"FALSE", 0},
        {"GF_NONE", 0},
        {"GF_MEDIUM", 1},
        {"GF_LARGE", 2},
        {"INT_MAX", 2147483647.0L},
        {"INT_MIN", -2147483648.0L},
    };
    CSymbolList* pList = Program()->GetBuiltInConstants();
    ASSERT_EQ(pList->GetCount(), 14);
    pList->GoToStart();
    for (const auto& constant : expected) {
        CNamedNumeric* pConstant = pList->GetCurrent();
        EXPECT_STREQ(pConstant->GetName()->GetData(), constant.pchName);
        EXPECT_EQ(pConstant->GetClassNumber(), CN_NAMEDCONSTANT);
        EXPECT_EQ(pConstant->GetValue(), constant.value) << constant.pchName;
        pList->GoToNext();
    }
}

TEST_F(BuiltInsTest, OneDegreeTimes180PrintsAsPi) {
    CString deg;
    deg.Set("DEG");
    CString pi;
    pi.Set("PI");
    CSymbolList* pList = Program()->GetBuiltInConstants();
    const Extended degValue = pList->FindByName(&deg)->GetValue();
    const Extended piValue = pList->FindByName(&pi)->GetValue();
    EXPECT_EQ(Printed(degValue * 180), Printed(piValue));
}

TEST_F(BuiltInsTest, LibraryFunctionsInNumberOrder) {
    CSymbolList* pList = Program()->GetLibraryFunctions();
    ASSERT_EQ(pList->GetCount(), LF_COUNT);
    pList->GoToStart();
    for (int nFunction = 0; nFunction < LF_COUNT; ++nFunction) {
        const SLibraryEntry& entry = LIBRARY_TABLE[nFunction];
        auto* pFunction = static_cast<CLibraryFunction*>(pList->GetCurrent());
        ASSERT_EQ(pFunction->GetClassNumber(), CN_LIBRARYFUNCTION);
        EXPECT_STREQ(pFunction->GetName()->GetData(), entry.pchName);
        EXPECT_EQ(pFunction->GetFunctionNumber(), nFunction);
        EXPECT_EQ(pFunction->GetParamCount(), entry.nParam) << entry.pchName;
        EXPECT_EQ(pFunction->GetParams()->GetCount(), entry.nParam) << entry.pchName;
        EXPECT_EQ(pFunction->IsSubroutine(), entry.kind == LK_SUBROUTINE) << entry.pchName;
        pList->GoToNext();
    }
}

// A few entries as the language documents them, against the table itself.
TEST_F(BuiltInsTest, LibraryTableEntries) {
    EXPECT_EQ(LF_COUNT, 23);
    EXPECT_STREQ(LIBRARY_TABLE[LF_ACOS].pchName, "ACOS");
    EXPECT_STREQ(LIBRARY_TABLE[LF_LOG10].pchName, "LOG10");
    EXPECT_EQ(LIBRARY_TABLE[LF_RND].nParam, 0);
    EXPECT_EQ(LIBRARY_TABLE[LF_RND].kind, LK_FUNCTION);
    EXPECT_EQ(LIBRARY_TABLE[LF_CLS].nParam, 0);
    EXPECT_EQ(LIBRARY_TABLE[LF_CLS].kind, LK_SUBROUTINE);
    EXPECT_STREQ(LIBRARY_TABLE[LF_SETGRAPHICSFRAME].pchName, "SETGRAPHICSFRAME");
    EXPECT_EQ(LIBRARY_TABLE[LF_SETGRAPHICSFRAME].nParam, 1);
    EXPECT_EQ(LIBRARY_TABLE[LF_SETGRAPHICSFRAME].kind, LK_SUBROUTINE);
    for (const SLibraryEntry& entry : LIBRARY_TABLE) {
        EXPECT_NE(entry.pRoutine, nullptr) << entry.pchName;
    }
}

TEST_F(BuiltInsTest, FindFunctionReachesTheLibrary) {
    CString name;
    name.Set("SQR");
    CFunction* pFunction = Program()->FindFunction(&name);
    ASSERT_NE(pFunction, nullptr);
    pFunction->BeforeCall();
    pFunction->ResetParamCursor();
    pFunction->SetParam(16, 1);
    EXPECT_EQ(pFunction->GetValue(), 4);
}

TEST_F(BuiltInsTest, ReservedWordsInOrder) {
    const std::vector<std::string> expected = {"REM",
                                               "SHELL",
                                               "DIM",
                                               "STATIC",
                                               "CONST",
                                               "LET",
                                               "GET",
                                               "SET",
                                               "ARRAY",
                                               "LBOUND",
                                               "UBOUND",
                                               "REDIM",
                                               "PRESERVE",
                                               "COLLECTION",
                                               "DELETE",
                                               "NEW",
                                               "CLASS",
                                               "APP",
                                               "PRIVATE",
                                               "PUBLIC",
                                               "PROPERTY",
                                               "INTEGER",
                                               "SINGLE",
                                               "DOUBLE",
                                               "BOOLEAN",
                                               "STRING",
                                               "AS",
                                               "LCASE",
                                               "UCASE",
                                               "MID",
                                               "TRIM",
                                               "LTRIM",
                                               "RTRIM",
                                               "LEFT",
                                               "RIGHT",
                                               "LEN",
                                               "FUNCTION",
                                               "SUB",
                                               "END",
                                               "EXIT",
                                               "IF",
                                               "THEN",
                                               "ELSE",
                                               "ELSEIF",
                                               "ENDIF",
                                               "FOR",
                                               "TO",
                                               "STEP",
                                               "EACH",
                                               "NEXT",
                                               "SELECT",
                                               "CASE",
                                               "SWITCH",
                                               "PRINT",
                                               "PRINTER",
                                               "CALL",
                                               "DO",
                                               "LOOP",
                                               "WHILE",
                                               "UNTIL",
                                               "AND",
                                               "OR",
                                               "NOT",
                                               "NAND",
                                               "NOR",
                                               "XOR",
                                               "LIKE",
                                               "IS",
                                               "SETFUNCTIONBUTTON",
                                               "CLEARFUNCTIONBUTTON",
                                               "PLOTXY",
                                               "PLOTTXY",
                                               "PLOTXYZ",
                                               "PLOTPHIR",
                                               "SETYRANGE",
                                               "INTEGRATE",
                                               "FINDZEROS",
                                               "FINDEXTREMA",
                                               "FILE",
                                               "OPEN",
                                               "CLOSE",
                                               "RESET",
                                               "READ",
                                               "WRITE",
                                               "ACCESS",
                                               "APPEND",
                                               "BINARY",
                                               "INPUT",
                                               "OUTPUT",
                                               "RANDOM",
                                               "DIR",
                                               "PUT",
                                               "KILL",
                                               "NAME",
                                               "ON",
                                               "ERROR",
                                               "GOTO",
                                               "GOSUB",
                                               "RETURN",
                                               "LINE",
                                               "CIRCLE",
                                               "PSET",
                                               "INPUTBOX",
                                               "MSGBOX",
                                               "TIME",
                                               "DATE",
                                               "NOW"};
    ASSERT_EQ(expected.size(), 107U);
    CSymbolList* pList = Program()->GetReservedWords();
    EXPECT_EQ(NamesOf(pList), expected);
    for (pList->GoToStart(); pList->GetCurrent(); pList->GoToNext()) {
        EXPECT_EQ(pList->GetCurrent()->GetValue(), 0);
        EXPECT_EQ(pList->GetCurrent()->GetClassNumber(), CN_NAMEDCONSTANT);
    }
}

TEST_F(BuiltInsTest, UserListsStartEmpty) {
    EXPECT_EQ(Program()->GetVariables()->GetCount(), 0);
    EXPECT_EQ(Program()->GetConstants()->GetCount(), 0);
    EXPECT_EQ(Program()->GetArrays()->GetCount(), 0);
    EXPECT_EQ(Program()->GetUserFunctions()->GetCount(), 0);
}

TEST_F(BuiltInsTest, DefiningAgainStartsAfresh) {
    AddNamedConstant(Program()->GetConstants(), 3, "K");
    Program()->DefineBuiltIns();
    EXPECT_EQ(Program()->GetConstants()->GetCount(), 0);
    EXPECT_EQ(Program()->GetBuiltInConstants()->GetCount(), 14);
    EXPECT_EQ(Program()->GetLibraryFunctions()->GetCount(), 23);
    EXPECT_EQ(Program()->GetReservedWords()->GetCount(), 107);
}

} // namespace
