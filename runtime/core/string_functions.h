// core: the language's string functions over RtString. Positions are 0-based
// bytes; matching is byte-exact and case-sensitive.
#pragma once

#include <cstdint>  // Required for: int32_t, uint32_t, uint8_t

#include "runtime/core/rt_string.h"

// count bytes from start; a negative count runs to the end; out-of-range
// starts and non-positive counts give the empty string.
RtString mid(const RtString& source, int32_t start, int32_t count);

// Every occurrence of find replaced, scanning on behind each replacement; an
// empty find text gives the source unchanged.
RtString replaceAll(const RtString& source, const RtString& find, const RtString& replacement);

// Index of the first occurrence of pattern at or after start, or -1 (also
// when start is past the end). Null texts are empty.
int32_t find(const char* text, const char* pattern, uint32_t start = 0);
int32_t find(const RtString& text, const char* pattern, uint32_t start = 0);
int32_t find(const char* text, const RtString& pattern, uint32_t start = 0);
int32_t find(const RtString& text, const RtString& pattern, uint32_t start = 0);

// First byte of text that is (not) in set, or null.
const char* findFirstOf(const char* text, const char* set);
const char* findFirstNotOf(const char* text, const char* set);

RtString toUpperCopy(const RtString& source);
RtString toLowerCopy(const RtString& source);

// Two upper-case hex digits per byte; count <= 0 gives the empty string.
RtString bytesToHex(const uint8_t* bytes, int32_t count);
