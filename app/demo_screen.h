// app: the demonstration screen of the test program.
#pragma once

// Sets the font and creates and places every widget of the demonstration
// (guiInit must have run).
void createDemoWidgets();
