"""The toolkit test program under LeakSanitizer: started, used a little (a
button, a list row, the second tab), ended with Escape. Nothing but the
system's shared libraries is suppressed and no global counts as a root, so
whatever of ours is still allocated when the process ends fails it.

Usage: leaks_test.py <program> <suppressions file>
Exits 77 (skipped) without a display.
"""
import os
import sys

import e2e_test


def main():
    binary, suppressions = sys.argv[1], sys.argv[2]
    if not os.environ.get("DISPLAY"):
        print("no DISPLAY: skipped")
        return 77
    os.environ["ASAN_OPTIONS"] = "detect_leaks=1:malloc_context_size=2:intercept_tls_get_addr=0"
    os.environ["LSAN_OPTIONS"] = "use_globals=0:print_suppressions=0:suppressions=" + suppressions
    program = e2e_test.start_program(binary)
    try:
        for x, y in ((520, 50), (210, 230), (465, 355)):
            program.click(x, y)
        program.move(300, 300)
        program.key("Escape")
        status = program.wait(timeout=60)
        output = program.output()
    finally:
        program.close()
    print(output)
    ok = status == 0 and "LeakSanitizer" not in output
    print("the program ends with status 0 and nothing left: %s (status %r)" % ("ok" if ok else "FAIL", status))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
