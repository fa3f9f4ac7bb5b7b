// Built into the recording variant of the module only: hands the calls the
// recording GDI+ stand-in saw to the benchmark that loaded the module.
#include "gdiplus_recorder.h"

#define RECORDING_EXPORT extern "C" __attribute__((visibility("default")))

// The calls recorded since the last RadarForgetRecordedCalls, as a
// const std::vector<recorder::Call>*.
RECORDING_EXPORT const void* RadarRecordedCalls() { return &recorder::Calls(); }

RECORDING_EXPORT void RadarForgetRecordedCalls() { recorder::Clear(); }
