#pragma once

#include "crecordingwindow.h"
#include "enginetest.h"

#include "ui/csession.h"
#include "ui/cwindowinterface.h"

#include <optional>

// A window interface driving a recording window, as the main window's
// session holds one from one reset to the next. The recording window
// starts out as the reset left it.
class WindowInterfaceFixture : public EngineTest {
protected:
    void SetUp() override {
        session.emplace(&window, std::string());
        ASSERT_TRUE(session->Reset());
        poUI = session->GetInterface();
        window.SetInterface(poUI);
    }
    void TearDown() override {
        session.reset();
        poUI = nullptr;
        EngineTest::TearDown();
    }

    CRecordingWindow window;
    std::optional<CSession> session;
    CWindowInterface* poUI = nullptr;
};
