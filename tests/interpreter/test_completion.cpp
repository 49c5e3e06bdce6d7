#include "interpreter/completion.h"
#include "linerunner.h"
#include "windowinterfacetest.h"

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

class CompletionTest : public WindowInterfaceFixture {
protected:
    // Completes the word before the caret, which is at the end of the line
    // unless the line marks it with "|".
    SCompletion Complete(std::string line) const {
        const std::size_t iBar = line.find('|');
        if (iBar == std::string::npos) {
            return CompleteWord(poUI->GetProgram(), line, static_cast<int>(line.size()));
        }
        line.erase(iBar, 1);
        return CompleteWord(poUI->GetProgram(), line, static_cast<int>(iBar));
    }
    Names Candidates(const std::string& line) const { return Complete(line).candidates; }
};

TEST_F(CompletionTest, KeywordsInAlphabeticalOrder) {
    EXPECT_EQ(Candidates("PLOT"), (Names{"PLOTPHIR", "PLOTTXY", "PLOTXY", "PLOTXYZ"}));
    EXPECT_EQ(Candidates("ENDI"), (Names{"ENDIF"}));
    EXPECT_EQ(Complete("SETY").commonPrefix, "SETYRANGE");
    EXPECT_EQ(Candidates("FIND"), (Names{"FINDEXTREMA", "FINDZEROS"}));
}

TEST_F(CompletionTest, LibraryFunctionsEndWithABracket) {
    EXPECT_EQ(Candidates("LOG"), (Names{"LOG(", "LOG10("}));
    // A reserved word and library functions mixed.
    EXPECT_EQ(Candidates("SET"), (Names{"SET", "SETFUNCTIONBUTTON", "SETGRAPHICSFRAME(",
                                        "SETNUMBERFORMAT(", "SETYRANGE"}));
}

TEST_F(CompletionTest, BuiltInConstants) {
    EXPECT_EQ(Candidates("NF_"), (Names{"NF_FIXED", "NF_GENERAL", "NF_SCIENTIFIC"}));
}

TEST_F(CompletionTest, UserNamesFromTheMomentTheyAreDeclared) {
    EXPECT_TRUE(Candidates("ZET").empty());
    poUI->ExecuteLine("DIM ZETA = 1");
    poUI->ExecuteLine("CONST ZETCONST = 2");
    poUI->ExecuteLine("DIM ZETARRAY(1 TO 3)");
    poUI->ExecuteLine("FUNCTION ZETF(X) = X * 2");
    EXPECT_EQ(Candidates("ZET"), (Names{"ZETA", "ZETARRAY", "ZETCONST", "ZETF("}));
}

TEST_F(CompletionTest, SubroutinesCompleteLikeFunctions) {
    const std::string path =
        WriteProgramFile("completion.bas", "DIM S\nSUB ZADD(X)\nS = S + X\nEND SUB\n");
    poUI->ExecuteLine(("RUNFILE \"" + path + "\"").c_str());
    EXPECT_EQ(Candidates("ZA"), (Names{"ZADD("}));
}

TEST_F(CompletionTest, DeletedNamesAreGone) {
    poUI->ExecuteLine("DIM ZETA = 1");
    poUI->ExecuteLine("FUNCTION ZETF(X) = X");
    poUI->ExecuteLine("DELETE ZETA");
    EXPECT_EQ(Candidates("ZET"), (Names{"ZETF("}));
    poUI->ExecuteLine("DELETE ZETF");
    EXPECT_TRUE(Candidates("ZET").empty());
}

TEST_F(CompletionTest, LowerCaseWordGivesLowerCaseCandidates) {
    poUI->ExecuteLine("dim zeta");
    EXPECT_EQ(Candidates("ze"), (Names{"zeta"}));
    EXPECT_EQ(Candidates("plotx"), (Names{"plotxy", "plotxyz"}));
    // Any capital makes them upper case; so does a word without letters.
    EXPECT_EQ(Candidates("Ze"), (Names{"ZETA"}));
    EXPECT_EQ(Complete("_").commonPrefix, "_");
}

TEST_F(CompletionTest, WordBeforeTheCaretInTheMiddleOfALine) {
    const SCompletion completion = Complete("? 2 * SQ|(4) + 1");
    EXPECT_EQ(completion.iWordStart, 6);
    EXPECT_EQ(completion.nWordLength, 2);
    EXPECT_EQ(completion.candidates, (Names{"SQR("}));
    // Only the part before the caret counts.
    EXPECT_EQ(Candidates("? COS|H(1)"), (Names{"COS(", "COSH("}));
}

TEST_F(CompletionTest, NothingInsideQuotesOrForAnEmptyWord) {
    EXPECT_TRUE(Candidates("PRINT \"PLOT").empty());
    EXPECT_TRUE(Candidates("PRINT \"a\" + \"PLOT").empty());
    EXPECT_EQ(Candidates("PRINT \"a\" + PLOTPH"), (Names{"PLOTPHIR"}));
    EXPECT_TRUE(Candidates("").empty());
    EXPECT_TRUE(Candidates("? 1 + ").empty());
    EXPECT_EQ(Complete("? 1 + ").nWordLength, 0);
    // A number is not a name.
    EXPECT_TRUE(Candidates("? 1E").empty());
}

TEST_F(CompletionTest, CommonPrefixOfTheCandidates) {
    EXPECT_EQ(Complete("PLOTX").commonPrefix, "PLOTXY");
    EXPECT_EQ(Complete("plotx").commonPrefix, "plotxy");
    EXPECT_EQ(Complete("SQ").commonPrefix, "SQR(");
    EXPECT_EQ(Complete("CO").commonPrefix, "CO");
    // Without candidates the word stays.
    EXPECT_EQ(Complete("QQQ").commonPrefix, "QQQ");
}

TEST_F(CompletionTest, CaretOutsideTheLineIsHeldToIt) {
    EXPECT_EQ(CompleteWord(poUI->GetProgram(), "PLOTPH", 99).candidates, (Names{"PLOTPHIR"}));
    EXPECT_TRUE(CompleteWord(poUI->GetProgram(), "PLOTPH", -3).candidates.empty());
}

} // namespace
