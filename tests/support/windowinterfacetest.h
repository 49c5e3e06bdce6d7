#pragma once

#include "crecordingwindow.h"
#include "enginetest.h"

#include "ui/cwindowinterface.h"

// A window interface driving a recording window, as the main window holds
// one from one reset to the next.
class WindowInterfaceFixture : public EngineTest {
protected:
    void SetUp() override {
        poUI = new CWindowInterface;
        poUI->Initialise();
        window.SetInterface(poUI);
        poUI->AttachWindow(&window);
    }
    void TearDown() override {
        delete poUI;
        poUI = nullptr;
        EngineTest::TearDown();
    }

    CRecordingWindow window;
    CWindowInterface* poUI = nullptr;
};
