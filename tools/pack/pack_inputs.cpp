// tools/pack: gathering the inputs. Walks folders with std::filesystem; reads
// no file's contents.
#include "tools/pack/pack_inputs.h"

#include <algorithm>      // Required for: std::sort
#include <filesystem>     // Required for: std::filesystem
#include <system_error>   // Required for: std::error_code
#include <unordered_map>  // Required for: std::unordered_map
#include <utility>        // Required for: std::move

namespace fs = std::filesystem;

namespace {

constexpr size_t kLongestEntryName = 255;  // the directory stores the length in one byte

std::string lowerAscii(std::string name) {
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
    }
    return name;
}

// An entry name the runtime can find: a request's base name ends at "/" or "\".
bool checkEntryName(const std::string& path, const std::string& name, std::string& error) {
    if (name.empty() || name.size() > kLongestEntryName) {
        error = path + ": an entry name has 1 to 255 bytes";
        return false;
    }
    if (name.find('\\') != std::string::npos) {
        error = path + ": a name with \"\\\" could never be looked up";
        return false;
    }
    return true;
}

bool sameFile(const fs::path& a, const std::string& b) {
    std::error_code ignored;
    return !b.empty() && fs::equivalent(a, b, ignored);
}

// The regular files below a folder, sorted by path; links to folders are not entered.
bool filesBelow(const fs::path& folder, std::vector<fs::path>& files, std::string& error) {
    std::error_code failure;
    fs::recursive_directory_iterator walk(folder, failure);
    for (; !failure && walk != fs::recursive_directory_iterator(); walk.increment(failure)) {
        const fs::directory_entry& entry = *walk;
        std::error_code ignored;
        if (entry.is_directory(ignored)) continue;
        if (!entry.is_regular_file(ignored)) {
            error = entry.path().string() + ": not a regular file";
            return false;
        }
        files.push_back(entry.path());
    }
    if (failure) {
        error = folder.string() + ": " + failure.message();
        return false;
    }
    std::sort(files.begin(), files.end());
    return true;
}

}  // namespace

bool gatherPackInputs(const std::vector<std::string>& paths, const std::string& leaveOut,
                      std::vector<PackInput>& inputs, std::string& error) {
    std::vector<fs::path> files;
    for (const std::string& path : paths) {
        std::error_code failure;
        const fs::file_status status = fs::status(path, failure);
        if (fs::is_directory(status)) {
            if (!filesBelow(path, files, error)) return false;
        } else if (fs::is_regular_file(status)) {
            files.emplace_back(path);
        } else {
            error = path + (fs::exists(status) ? ": not a regular file or folder" : ": no such file or folder");
            return false;
        }
    }
    std::unordered_map<std::string, std::string> pathOfName;
    for (const fs::path& file : files) {
        if (sameFile(file, leaveOut)) continue;
        PackInput input{file.string(), file.filename().string()};
        if (!checkEntryName(input.path, input.entryName, error)) return false;
        const auto [earlier, added] = pathOfName.try_emplace(lowerAscii(input.entryName), input.path);
        if (!added) {
            error = "two files would be one entry: " + earlier->second + " and " + input.path +
                    " (entries are looked up by base name, without regard to case)";
            return false;
        }
        inputs.push_back(std::move(input));
    }
    return true;
}
