#include "linerunner.h"

#include "core/cstring.h"
#include "core/errorcodes.h"
#include "interpreter/cinterpreter.h"
#include "statements/cstatement.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

std::string RunLines(CRecordingInterface& ui, std::initializer_list<const char*> lines) {
    for (const char* pchLine : lines) {
        CString line;
        line.Set(pchLine);
        try {
            std::unique_ptr<CStatement> poStatement(ui.GetInterpreter()->CreateStatement(&line));
            poStatement->SetProgramMode(false);
            poStatement->Link();
            poStatement->Execute();
        } catch (int nCode) {
            ReportError(nCode, &ui);
            ui.PrintText("\n");
        }
    }
    return ui.TakeOutput();
}

std::string WriteProgramFile(const char* pchName, const std::string& text) {
    // Tests run in parallel processes: each writes its own files.
    const ::testing::TestInfo* pTest = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string path =
        ::testing::TempDir() + pTest->test_suite_name() + "." + pTest->name() + "." + pchName;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}
