// Every unit test starts in a module as freshly loaded, whichever tests ran
// before it in the same process and in whatever order: before each test the
// module's shared state is reset (module/module_state.h), through the
// recording GDI+ that made its objects, and the recording is then emptied.
#include <gtest/gtest.h>

#include "gdiplus_recorder.h"
#include "module/module_state.h"

namespace {

class FreshModuleState : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override {
        module::ResetModuleState();
        recorder::Reset();
    }
};

// Appended when the test program starts, before any test runs; the listener
// list owns it.
const bool kInstalled = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshModuleState);
    return true;
}();

}  // namespace
