#include "interpreter/cprogram.h"

#include "core/cstring.h"
#include "core/errorcodes.h"
#include "crecordinginterface.h"
#include "enginetest.h"
#include "symbols/cfunction.h"

namespace {

class CNamedFunction : public CFunction {
public:
    CNamedFunction(CProgram* pProg, const char* pchName, Extended value)
        : CFunction(pProg), _value(value) {
        Init(nullptr, false);
        SetName(pchName);
    }
    Extended GetValue() override { return _value; }

private:
    Extended _value;
};

using ProgramTest = EngineTest;

TEST_F(ProgramTest, PollAsksTheInterfaceEveryThousandthCall) {
    CRecordingInterface ui;
    ui.SetInterrupted(true);
    CProgram* pProgram = ui.GetProgram();
    for (int i = 1; i < 1000; ++i) {
        pProgram->PollInterrupt();
    }
    EXPECT_EQ(RaisedCode([&] { pProgram->PollInterrupt(); }), ERR_INTERRUPTED);
    ui.SetInterrupted(false);
    for (int i = 0; i < 1000; ++i) {
        pProgram->PollInterrupt();
    }
    ui.SetInterrupted(true);
    for (int i = 1; i < 1000; ++i) {
        pProgram->PollInterrupt();
    }
    EXPECT_EQ(RaisedCode([&] { pProgram->PollInterrupt(); }), ERR_INTERRUPTED);
}

TEST_F(ProgramTest, FindFunctionPrefersUserFunctions) {
    CRecordingInterface ui;
    CProgram* pProgram = ui.GetProgram();
    pProgram->GetLibraryFunctions()->AddLast(new CNamedFunction(pProgram, "G", 1));
    CString name;
    name.Set("G");
    EXPECT_EQ(pProgram->FindFunction(&name)->GetValue(), 1);
    pProgram->GetUserFunctions()->AddLast(new CNamedFunction(pProgram, "G", 2));
    EXPECT_EQ(pProgram->FindFunction(&name)->GetValue(), 2);
    name.Set("H");
    EXPECT_EQ(pProgram->FindFunction(&name), nullptr);
}

} // namespace
