// files: the wildcard test of directory listings ("*" any run, "?" one
// character other than "."; ASCII letters match without regard to case).
#pragma once

// 1 when name matches pattern; "*.*" matches every name.
int wildcardMatch(const char* pattern, const char* name);
