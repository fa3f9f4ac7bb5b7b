// Every unit test starts in a module as freshly loaded, whichever tests ran
// before it in the same process and in whatever order: before each test the
// module's shared state is reset (module/module_state.h), through the
// recording GDI+ that made its objects, and the recording is then emptied.
// After each test the state is reset once more, so that no module-wide GDI+
// object outlives the test into the program's exit.
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
    void OnTestEnd(const ::testing::TestInfo&) override { module::ResetModuleState(); }
};

// Appended when the test program starts, before any test runs; the listener
// list owns it. The recording is made first: the module's records, made by
// the first reset, then go before it at exit, and any object they still hold
// is deleted through a recording that is still there.
const bool kInstalled = [] {
    recorder::Calls();
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshModuleState);
    return true;
}();

}  // namespace
