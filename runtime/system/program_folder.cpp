// system: the program folder, found through the platform's file layer.
#include "runtime/system/program_folder.h"

#include "runtime/platform/files.h"

std::string programPath() {
    std::string path = platform::executablePath();
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

void enterProgramFolder() {
    std::string folder = programPath();
    size_t cut = folder.find_last_of("/\\");
    if (cut != std::string::npos) folder.resize(cut == 0 ? 1 : cut);
    platform::setCurrentDirectory(folder);
}
