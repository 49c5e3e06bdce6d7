#include "ui/csession.h"

#include "crecordingwindow.h"
#include "enginetest.h"
#include "linerunner.h"

#include "interpreter/cprogram.h"

#include <string>

namespace {

class SessionTest : public EngineTest {
protected:
    CRecordingWindow window;
};

TEST_F(SessionTest, ResetGivesTheWindowItsDefaultsAndAnEmptyOutputPane) {
    CSession session(&window, "? 6*7");
    EXPECT_EQ(session.GetInterface(), nullptr);
    window.output = "left over";
    window.captions[2] = "old";
    ASSERT_TRUE(session.Reset());
    ASSERT_NE(session.GetInterface(), nullptr);
    EXPECT_EQ(window.nCheckedGraphicsFormat, GF_MEDIUM);
    EXPECT_EQ(window.nCheckedNumberFormat, NF_GENERAL);
    EXPECT_EQ(window.captions[2], "");
    EXPECT_TRUE(window.bButtonsVisible);
    EXPECT_EQ(window.output, "");
}

TEST_F(SessionTest, StartupLineRunsOnlyWhenAsked) {
    CSession session(&window, "? 6*7");
    ASSERT_TRUE(session.Reset());
    EXPECT_EQ(window.output, "");
    EXPECT_TRUE(session.RunStartupFile());
    EXPECT_EQ(window.output, "42\r\n");
}

TEST_F(SessionTest, ResetForgetsWhatTheOldInterfaceKnew) {
    CSession session(&window, "");
    ASSERT_TRUE(session.Reset());
    ASSERT_TRUE(session.GetInterface()->ExecuteLine("DIM A = 5"));
    ASSERT_TRUE(session.Reset());
    window.output.clear();
    EXPECT_FALSE(session.GetInterface()->ExecuteLine("? A"));
    EXPECT_EQ(window.output.find('5'), std::string::npos) << window.output;
}

TEST_F(SessionTest, ResetReturnsPlotXYToTheAutomaticYRange) {
    CSession session(&window, "");
    ASSERT_TRUE(session.Reset());
    session.GetInterface()->GetProgram()->SetPlotYRange(-1, 1);
    ASSERT_NE(session.GetInterface()->GetProgram()->GetPlotYRange(), nullptr);
    ASSERT_TRUE(session.Reset());
    EXPECT_EQ(session.GetInterface()->GetProgram()->GetPlotYRange(), nullptr);
}

TEST_F(SessionTest, LeakReportShowsWhatOutlivedTheOldInterface) {
    CSession session(&window, "");
    AddInstance(CN_STRING);
    ASSERT_TRUE(session.Reset());
    RemoveInstance(CN_STRING);
    EXPECT_NE(window.output.find("ObjectCount[35] = 1\r\n"), std::string::npos) << window.output;
}

TEST_F(SessionTest, CountsAsTheMainWindowWhileItLives) {
    {
        CSession session(&window);
        EXPECT_EQ(n_ivcInstance, 1);
    }
    EXPECT_EQ(n_ivcInstance, 0);
}

TEST_F(SessionTest, RunFileCommandQuotesTheName) {
    EXPECT_EQ(CSession::RunFileCommand("my prog.bas"), "runfile \"my prog.bas\"");
    EXPECT_EQ(CSession::DefaultStartupLine(), "runfile \"autoexec.bas\"");
}

TEST_F(SessionTest, RunFileRunsTheFileAndRefusesANameWithAQuote) {
    CSession session(&window, "");
    ASSERT_TRUE(session.Reset());
    const std::string path = WriteProgramFile("prog.bas", "PRINT 3+4\n");
    EXPECT_TRUE(session.RunFile(path));
    EXPECT_NE(window.output.find('7'), std::string::npos) << window.output;
    window.output.clear();
    EXPECT_FALSE(session.RunFile("a\"b.bas"));
    EXPECT_NE(window.output.find("ERROR"), std::string::npos) << window.output;
}

} // namespace
