// system: the runtime's one clock, in milliseconds as doubles, and sleeping.
#pragma once

// Measures the clock's resolution once (start-up).
void timerFrequencyInit();

// Milliseconds since the first reading of the clock; never goes back.
double elapsedMillis();

// Milliseconds since the end of start-up.
double millisSinceStart();

// Suspends the program for ms truncated toward zero; 0 or less (or a value
// beyond the int range) returns at once.
void sleepMillis(double ms);
