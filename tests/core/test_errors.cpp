#include "core/cstring.h"
#include "core/errorcodes.h"
#include "crecordinginterface.h"
#include "enginetest.h"
#include "interpreter/cinterpreter.h"
#include "symbols/cnamedconstant.h"

#include <cstring>
#include <string>

namespace {

class ErrorReportTest : public EngineTest {
protected:
    std::string Report(int nCode) {
        CRecordingInterface ui;
        ReportError(nCode, &ui);
        return ui.TakeOutput();
    }
};

TEST_F(ErrorReportTest, PlainMessagesArePrefixed) {
    EXPECT_EQ(Report(-41), "ERROR! Division by zero.");
    EXPECT_EQ(Report(-2055), "ERROR! Expected comma \",\".");
    EXPECT_EQ(Report(-2040), "ERROR! Syntax for printing text is\nPRINT \"Text\"   (adds "
                             "newline)\nor\nPrint \"Text\";   (does not add newline)");
}

TEST_F(ErrorReportTest, InterruptionHasNoPrefix) {
    EXPECT_EQ(Report(-2067), "Execution interrupted by user.");
}

TEST_F(ErrorReportTest, CodesWithoutMessageUseTheGenericText) {
    EXPECT_EQ(Report(-2034), "ERROR! Code -2034: no error message exists for this error code.");
    EXPECT_EQ(Report(15), "ERROR! Code 15: no error message exists for this error code.");
    EXPECT_EQ(Report(-19), "ERROR! Code -19: no error message exists for this error code.");
}

TEST_F(ErrorReportTest, NamedErrorsQuoteTheKeptName) {
    CRecordingInterface ui;
    CString name;
    name.Set("q");
    for (int nCode : {-2027, -2028}) {
        EXPECT_EQ(RaisedCode([&] { ui.GetInterpreter()->RaiseNamedError(&name, nCode); }), nCode);
        ReportError(nCode, &ui);
        EXPECT_EQ(ui.TakeOutput(), "ERROR! Unknown symbol: \"q\".");
    }
    name.Set("");
    RaisedCode([&] { ui.GetInterpreter()->RaiseNamedError(&name, -2001); });
    ReportError(-2001, &ui);
    EXPECT_EQ(ui.TakeOutput(), "ERROR! Illegal symbol name: \"\".");
    name.Set("ACOS");
    RaisedCode([&] { ui.GetInterpreter()->RaiseNamedError(&name, -2048); });
    ReportError(-2048, &ui);
    EXPECT_EQ(ui.TakeOutput(), "ERROR! Cannot use reserved word as symbol name: \"ACOS\".");
}

TEST_F(ErrorReportTest, EveryCodeOfTheTableHasItsMessage) {
    EXPECT_STREQ(FindErrorMessage(-2046)->pchText,
                 "The syntax for Integrate is \nINTEGRATE F,A,B,VAR\nwhere F is the function "
                 "being integrated, A and B are expressions defining the integration interval "
                 "endpoints and VAR is the name of an existing variable.");
    EXPECT_STREQ(FindErrorMessage(-1008)->pchText, "STEP must not be zero.");
    EXPECT_STREQ(FindErrorMessage(-2016)->pchText, "Could not open file \"");
    EXPECT_STREQ(FindErrorMessage(-2016)->pchAfterName, "\".");
    EXPECT_EQ(FindErrorMessage(-2044), nullptr);
    EXPECT_EQ(FindErrorMessage(-2011), nullptr);
    EXPECT_EQ(FindErrorMessage(0), nullptr);
    int nWithMessage = 0;
    for (int nCode = -2100; nCode <= 20; ++nCode) {
        nWithMessage += FindErrorMessage(nCode) ? 1 : 0;
    }
    EXPECT_EQ(nWithMessage, 84);
}

class LeakReportTest : public EngineTest {
protected:
    void TearDown() override {
        n_ivcInstance = 0;
        SnapshotCounts();
        EngineTest::TearDown();
    }
};

// The reset's order: the old interface goes, the counters are copied, the
// new interface reports.
TEST_F(LeakReportTest, NothingPrintedWithoutLeaks) {
    n_ivcInstance = 1;
    delete new CRecordingInterface;
    SnapshotCounts();
    CRecordingInterface ui;
    EXPECT_FALSE(ReportLeaks(&ui));
    EXPECT_EQ(ui.TakeOutput(), "");
}

TEST_F(LeakReportTest, LeakedObjectIsListedByClass) {
    auto* poLeak = new CVariable(false, 1);
    SnapshotCounts();
    delete poLeak;
    CRecordingInterface ui;
    n_ivcInstance = 1;
    EXPECT_TRUE(ReportLeaks(&ui));
    EXPECT_EQ(ui.TakeOutput(),
              "ObjectCount[0] = 1\nObjectCount[3] = 1\nObjectCount[26] = 1\n"
              "ObjectCount[27] = 1\nObjectCount[28] = 1\nObjectCount[62] = 1\n"
              "Some objects were not deleted properly, which means there is a memory leak (an "
              "internal logic error). Please notify software manufacturer.\n");
    n_ivcInstance = 0;
    EXPECT_TRUE(ReportLeaks(&ui));
    EXPECT_NE(ui.TakeOutput().find(
                  "ObjectCount[28] = 1\nObjectCount[62] = 1\nn_ivcInstance = 0\nOops! If you get "
                  "this message, please let the manufacturer know. It means there's an "
                  "unidentified internal error.\n"),
              std::string::npos);
    n_ivcInstance = 2;
    EXPECT_FALSE(ReportLeaks(&ui));
    EXPECT_EQ(ui.TakeOutput(), "");
}

TEST_F(EngineTest, ObjectsCountOnceUnderEachClassOfTheirChain) {
    {
        CVariable variable(false, 0);
        for (int i : {0, 3, 26, 27, 28, 62}) {
            EXPECT_EQ(ObjectCount[i], 1) << i;
        }
        EXPECT_EQ(variable.GetClassNumber(), 28);
    }
    EXPECT_EQ(ObjectCount[28], 0);
}

} // namespace
