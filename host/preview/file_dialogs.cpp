#include "file_dialogs.h"

#include <commdlg.h>

#include <algorithm>

#include <vector>

namespace preview {
namespace {

constexpr DWORD kLongestPath = 32768;

OPENFILENAMEA DialogFor(HWND owner, std::vector<char>& path, const char* filter, const char* extension) {
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = extension;
    return dialog;
}

}  // namespace

std::string ChooseScenarioFile(HWND owner) {
    std::vector<char> path(kLongestPath, '\0');
    OPENFILENAMEA dialog = DialogFor(owner, path, "Scenarios (*.txt)\0*.txt\0All files\0*.*\0", "txt");
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    return GetOpenFileNameA(&dialog) ? std::string(path.data()) : std::string();
}

std::string ChoosePictureFile(HWND owner, const std::string& suggested_name) {
    std::vector<char> path(kLongestPath, '\0');
    suggested_name.copy(path.data(), std::min<std::size_t>(suggested_name.size(), path.size() - 1));
    OPENFILENAMEA dialog = DialogFor(owner, path, "PNG pictures (*.png)\0*.png\0", "png");
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    return GetSaveFileNameA(&dialog) ? std::string(path.data()) : std::string();
}

}  // namespace preview
