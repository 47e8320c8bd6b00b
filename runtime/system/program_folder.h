// system: the program's own file and folder.
#pragma once

#include <string>  // Required for: std::string

// The program's file, "/" as the separator.
std::string programPath();

// Makes the program's folder the working directory.
void enterProgramFolder();
