// Every unit test starts in a module as freshly loaded, whichever tests ran
// before it in the same process and in whatever order: before each test the
// module's state is made anew (module/module_state.h), through the
// recording GDI+ that made its objects, and the recording is then emptied.
// After each test the state is renewed once more, so that no gauge object
// or GDI+ object of the module outlives the test into the program's exit.
// And every test fails that handed GDI+ a number that is not one (NaN or
// an infinity), listing those calls: no test needs to ask.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "gdiplus_recorder.h"
#include "module/module_state.h"

namespace {

void FailOnNonFiniteCalls(const char* when) {
    const recorder::NonFiniteCalls calls = recorder::TakeNonFiniteCalls();
    if (calls.empty()) return;
    std::ostringstream list;
    for (const std::string& described : calls.first) list << "\n  " << described;
    if (calls.count > calls.first.size()) list << "\n  and " << calls.count - calls.first.size() << " more";
    ADD_FAILURE() << calls.count << " GDI+ call(s) " << when << " given NaN or an infinity:" << list.str();
}

class FreshModuleState : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override {
        module::RenewModule();
        recorder::Reset();
        FailOnNonFiniteCalls("before the test");
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        module::RenewModule();
        FailOnNonFiniteCalls("of the test");
    }
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
