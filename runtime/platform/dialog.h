// platform: the desktop's file dialog for opening or saving one file. Runs
// zenity or kdialog when one is installed; without one the dialog counts as
// cancelled. A test installs its own dialog.
#pragma once

#include <functional>  // Required for: std::function
#include <optional>    // Required for: std::optional
#include <string>      // Required for: std::string
#include <vector>      // Required for: std::vector

namespace platform {

enum class FileDialogMode { open, save };

// One entry of the dialog's type list: a description and its patterns, e.g.
// "Pictures" with {"*.png", "*.bmp"}.
struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;
};

struct FileDialogRequest {
    FileDialogMode mode = FileDialogMode::open;
    std::vector<FileFilter> filters;
    std::string initialFolder;
};

// The chosen path, or nullopt when cancelled or no dialog could be shown.
std::optional<std::string> runFileDialog(const FileDialogRequest& request);

// Test seam: replaces the dialog until reset (empty = the desktop's dialog).
using FileDialogHook = std::function<std::optional<std::string>(const FileDialogRequest&)>;
void setFileDialogHook(FileDialogHook hook);

}  // namespace platform
