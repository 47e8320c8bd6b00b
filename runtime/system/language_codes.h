// system: the user's language as the runtime reports it. A locale name is
// mapped to a 16-bit language identifier, the identifier to a two-letter code.
#pragma once

#include <cstdint>      // Required for: uint16_t
#include <string_view>  // Required for: std::string_view

// The identifier of a locale name such as "de_AT.UTF-8" or "sr_RS@latin":
// language and territory first, then the language alone; 0 for "C", "POSIX",
// an empty name or a language that has none.
uint16_t languageIdFromLocale(std::string_view locale);

// The two-letter code of an identifier; "us" for one that is not known.
const char* languageCodeFromId(uint16_t id);
