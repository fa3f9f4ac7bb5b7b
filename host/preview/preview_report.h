// Lines on what the preview shows, for whoever drives it (the tests): the
// module, the sky and the run's notes, where each gauge and the notes sit
// in the client area, every frame in the panel host's "frame N t=... |
// Name=value ..." form, each picture put on the screen, the status in full
// when it is asked for, errors, and at the end how fast it went. Each line
// is flushed as it is written.
#pragma once

#include <cstdio>
#include <string>

namespace preview {

class PreviewReport {
public:
    PreviewReport() = default;
    ~PreviewReport();
    PreviewReport(const PreviewReport&) = delete;
    PreviewReport& operator=(const PreviewReport&) = delete;

    // A file, or standard output for "-". False with `error` when the file
    // cannot be written; without Open the report writes nothing.
    bool Open(const std::string& path, std::string* error);
    void Line(const std::string& line);

private:
    std::FILE* file_ = nullptr;
    bool owned_ = false;
};

}  // namespace preview
