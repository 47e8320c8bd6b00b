// system: the runtime's clean-up at process exit: the INI table and the cached
// text file are written back, the file channels closed.
#pragma once

// Saves the INI table when it changed, closes the file channels 7 down to 0
// and writes the cached text file back when it changed; failures are logged.
// Needs no window; running it again does nothing more.
void runStaticCleanUp();

// Makes the process exit run runStaticCleanUp, before the tables it uses are
// destroyed. Once per process; later calls do nothing.
void armStaticCleanUp();
