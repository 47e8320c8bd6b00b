// files: wildcard matching; pure text.
#include "runtime/files/wildcard.h"

#include <cstring>  // Required for: strcmp

namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

}  // namespace

int wildcardMatch(const char* pattern, const char* name) {
    if (!pattern) pattern = "";
    if (!name) name = "";
    if (strcmp(pattern, "*.*") == 0) return 1;
    const char* restartPattern = nullptr;  // the pattern after the last run of "*"
    const char* restartName = nullptr;     // where that run's match began in the name
    const char* p = pattern;
    const char* n = name;
    while (*n) {
        if (*p == '*') {
            while (*p == '*') ++p;
            if (!*p) return 1;
            restartPattern = p;
            restartName = n;
            continue;
        }
        if (*p && ((*p == '?' && *n != '.') || (*p != '?' && lower(*p) == lower(*n)))) {
            ++p;
            ++n;
            continue;
        }
        if (!restartPattern) return 0;
        p = restartPattern;
        n = ++restartName;
    }
    while (*p == '*') ++p;
    return *p ? 0 : 1;
}
