#include "preview_report.h"

namespace preview {

PreviewReport::~PreviewReport() {
    if (owned_ && file_ != nullptr) std::fclose(file_);
}

bool PreviewReport::Open(const std::string& path, std::string* error) {
    if (path == "-") {
        file_ = stdout;
        return true;
    }
    file_ = std::fopen(path.c_str(), "w");
    if (file_ == nullptr) {
        if (error) *error = "cannot write the report " + path;
        return false;
    }
    owned_ = true;
    return true;
}

void PreviewReport::Line(const std::string& line) {
    if (file_ == nullptr) return;
    std::fputs(line.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

}  // namespace preview
