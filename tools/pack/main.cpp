// korvane-pack: packs files and folders into the runtime's resource archive,
// appends one to a program, and lists one.
#include <cstdio>  // Required for: std::fputs, std::printf
#include <string>  // Required for: std::string
#include <vector>  // Required for: std::vector

#include "tools/pack/archive_building.h"
#include "tools/pack/archive_listing.h"
#include "tools/pack/pack_inputs.h"

namespace {

constexpr const char* kUsage =
    "usage: korvane-pack create ARCHIVE PATH...   pack files and folders into an archive file\n"
    "       korvane-pack append PROGRAM PATH...   append an archive of them to a program\n"
    "       korvane-pack list FILE                list the archive at the end of a file\n"
    "Each file becomes an entry under its base name: a folder's files are packed\n"
    "without their folders, and no two of them may share a name.\n";

int failed(const std::string& message) {
    std::fputs(("korvane-pack: " + message + "\n").c_str(), stderr);
    return 1;
}

int pack(const std::string& command, const std::string& target, const std::vector<std::string>& paths) {
    std::vector<PackInput> inputs;
    std::string error;
    if (!gatherPackInputs(paths, target, inputs, error)) return failed(error);
    const bool written = command == "create" ? writeArchiveFile(target, inputs, error)
                                             : appendArchiveToProgram(target, inputs, error);
    if (!written) return failed(error);
    std::printf("%s: %zu %s packed\n", target.c_str(), inputs.size(), inputs.size() == 1 ? "file" : "files");
    return 0;
}

int list(const std::string& path) {
    std::string listing;
    std::string error;
    const bool listed = listArchive(path, listing, error);
    std::fputs(listing.c_str(), stdout);
    return listed ? 0 : failed(error);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.size() >= 3 && (args[0] == "create" || args[0] == "append")) {
        return pack(args[0], args[1], std::vector<std::string>(args.begin() + 2, args.end()));
    }
    if (args.size() == 2 && args[0] == "list") return list(args[1]);
    std::fputs(kUsage, stderr);
    return 2;
}
