#pragma once

#include "core/cbase.h"
#include "core/cleanupstack.h"

#include <gtest/gtest.h>

#include <string>

// Every engine test ends with the cleanup stack empty and every instance
// counter back at zero: nothing leaked, nothing was destroyed twice.
class EngineTest : public ::testing::Test {
protected:
    void TearDown() override {
        EXPECT_EQ(CleanupStack::GetCount(), 0);
        for (int i = 0; i < OBJECT_COUNTERS; ++i) {
            EXPECT_EQ(ObjectCount[i], 0) << "class number " << i;
        }
    }
};

// Runs the call and returns the code it raised, or 0 when it raised nothing.
template <class F> int RaisedCode(F&& call) {
    try {
        call();
    } catch (int nCode) {
        return nCode;
    }
    return 0;
}
