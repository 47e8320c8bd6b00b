// A library for the DECLARE tests: two exported functions, one of them with a
// name that differs from the other only in case.
extern "C" int krvAdd(int a, int b) { return a + b; }
extern "C" int KRVADD(int a, int b) { return a - b; }
