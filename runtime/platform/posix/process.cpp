// platform/posix: command-line splitting and starting programs without a shell.
#include "runtime/platform/process.h"

#include "runtime/platform/posix/child_process.h"

namespace platform {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Characters a backslash escapes inside double quotes.
bool escapableInDoubleQuotes(char c) { return c == '$' || c == '`' || c == '"' || c == '\\' || c == '\n'; }

}  // namespace

std::optional<std::vector<std::string>> splitCommandLine(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    std::size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (isBlank(c)) {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
            ++i;
            continue;
        }
        inWord = true;
        if (c == '\\') {
            if (i + 1 >= line.size()) return std::nullopt;
            if (line[i + 1] != '\n') word += line[i + 1];
            i += 2;
        } else if (c == '\'') {
            std::size_t close = line.find('\'', i + 1);
            if (close == std::string_view::npos) return std::nullopt;
            word.append(line.substr(i + 1, close - i - 1));
            i = close + 1;
        } else if (c == '"') {
            ++i;
            for (;;) {
                if (i >= line.size()) return std::nullopt;
                char q = line[i];
                if (q == '"') break;
                if (q == '\\' && i + 1 < line.size() && escapableInDoubleQuotes(line[i + 1])) {
                    if (line[i + 1] != '\n') word += line[i + 1];
                    i += 2;
                } else {
                    word += q;
                    ++i;
                }
            }
            ++i;
        } else {
            word += c;
            ++i;
        }
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

ProcessResult startProcess(const std::vector<std::string>& argv, WaitMode wait) {
    ProcessResult result;
    posix::SpawnOptions options;
    options.detach = wait == WaitMode::noWait;
    pid_t pid = posix::spawnProgram(argv, options);
    if (pid < 0) return result;
    result.started = true;
    if (wait == WaitMode::waitForExit) {
        int status = posix::waitForChild(pid);
        result.exitCode = status < 0 ? 0 : status;
    }
    return result;
}

}  // namespace platform
