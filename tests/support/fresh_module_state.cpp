// Every unit test starts in a module as freshly loaded, whichever tests ran
// before it in the same process and in whatever order: before each test the
// module's state is made anew (module/module_state.h), through the
// recording GDI+ that made its objects, and the recording is then emptied.
// After each test the state is renewed once more, so that no gauge object
// or GDI+ object of the module outlives the test into the program's exit.
#include <gtest/gtest.h>

#include "gdiplus_recorder.h"
#include "module/module_state.h"

namespace {

class FreshModuleState : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override {
        module::RenewModule();
        recorder::Reset();
    }
    void OnTestEnd(const ::testing::TestInfo&) override { module::RenewModule(); }
};

// Appended when the test program starts, before any test runs; the listener
// list owns it. The recording is made first, so that it outlives anything
// the module still holds at exit.
const bool kInstalled = [] {
    recorder::Calls();
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshModuleState);
    return true;
}();

}  // namespace
