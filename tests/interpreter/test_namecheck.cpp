#include "core/cstring.h"
#include "core/errorcodes.h"
#include "crecordinginterface.h"
#include "enginetest.h"
#include "interpreter/cinterpreter.h"
#include "interpreter/namecheck.h"

#include <memory>
#include <string>

namespace {

constexpr SNameErrorCodes CONSTANT_CODES = {ERR_DUPLICATE_CONSTANT, ERR_ILLEGAL_CONSTANT};
constexpr SNameErrorCodes FUNCTION_CODES = {ERR_DUPLICATE_FUNCTION, ERR_ILLEGAL_FUNCTION};

class NameCheckTest : public EngineTest {
protected:
    void TearDown() override {
        _poUI.reset();
        EngineTest::TearDown();
    }

    int Check(const std::string& name, bool bDuplicate,
              SNameErrorCodes codes = CONSTANT_CODES) const {
        CString text;
        text.Set(name.c_str());
        return RaisedCode([&] { CheckNewName(_poUI->GetProgram(), &text, bDuplicate, codes); });
    }

    std::string KeptName() const { return _poUI->GetInterpreter()->GetErrorName()->GetData(); }

    bool IsReserved(const char* pchName) const {
        CString text;
        text.Set(pchName);
        return IsReservedWord(_poUI->GetProgram(), &text);
    }

    std::unique_ptr<CRecordingInterface> _poUI = std::make_unique<CRecordingInterface>();
};

TEST_F(NameCheckTest, LegalNewNamesPass) {
    EXPECT_EQ(Check("X", false), 0);
    EXPECT_EQ(Check("_A1", false), 0);
    EXPECT_EQ(Check("IFFY", false), 0);
    EXPECT_EQ(Check(std::string(255, 'N'), false), 0);
    EXPECT_EQ(_poUI->GetInterpreter()->GetErrorName(), nullptr);
}

TEST_F(NameCheckTest, DuplicateRaisesTheStatementsCode) {
    EXPECT_EQ(Check("PI", true), ERR_DUPLICATE_CONSTANT);
    EXPECT_EQ(KeptName(), "PI");
    EXPECT_EQ(Check("SIN", true, FUNCTION_CODES), ERR_DUPLICATE_FUNCTION);
    EXPECT_EQ(KeptName(), "SIN");
}

TEST_F(NameCheckTest, IllegalNamesRaiseTheStatementsCode) {
    EXPECT_EQ(Check("1A", false), ERR_ILLEGAL_CONSTANT);
    EXPECT_EQ(KeptName(), "1A");
    EXPECT_EQ(Check("A-B", false, FUNCTION_CODES), ERR_ILLEGAL_FUNCTION);
    EXPECT_EQ(Check("", false), ERR_ILLEGAL_CONSTANT);
    EXPECT_EQ(KeptName(), "");
    EXPECT_EQ(Check(std::string(256, 'N'), false), ERR_ILLEGAL_CONSTANT);
}

TEST_F(NameCheckTest, ReservedWordsAreRefusedLast) {
    EXPECT_EQ(Check("IF", false), ERR_RESERVED_WORD);
    EXPECT_EQ(KeptName(), "IF");
    EXPECT_EQ(Check("NOW", false, FUNCTION_CODES), ERR_RESERVED_WORD);
}

TEST_F(NameCheckTest, DuplicateComesBeforeLegalityAndReservedWords) {
    EXPECT_EQ(Check("1A", true), ERR_DUPLICATE_CONSTANT);
    EXPECT_EQ(Check("IF", true), ERR_DUPLICATE_CONSTANT);
    EXPECT_EQ(Check(std::string(256, 'N'), true), ERR_DUPLICATE_CONSTANT);
}

TEST_F(NameCheckTest, MessageQuotesTheName) {
    EXPECT_EQ(Check("IF", false), ERR_RESERVED_WORD);
    ReportError(ERR_RESERVED_WORD, _poUI.get());
    EXPECT_EQ(_poUI->TakeOutput(), "ERROR! Cannot use reserved word as symbol name: \"IF\".");
    EXPECT_EQ(Check("1A", false), ERR_ILLEGAL_CONSTANT);
    ReportError(ERR_ILLEGAL_CONSTANT, _poUI.get());
    EXPECT_EQ(_poUI->TakeOutput(), "ERROR! Illegal symbol name: \"1A\".");
}

TEST_F(NameCheckTest, ReservedWordLookupIsExact) {
    EXPECT_TRUE(IsReserved("REM"));
    EXPECT_TRUE(IsReserved("NOW"));
    EXPECT_TRUE(IsReserved("GOTO"));
    EXPECT_FALSE(IsReserved("now"));
    EXPECT_FALSE(IsReserved("MOD"));
    EXPECT_FALSE(IsReserved("SIN"));
    EXPECT_FALSE(IsReserved("PI"));
}

} // namespace
