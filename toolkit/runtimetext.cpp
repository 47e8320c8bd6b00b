// toolkit: the text-output seam; touches nothing but its printer.
#include "toolkit/runtimetext.h"

namespace lmt {

namespace {

TextPrinter& currentPrinter() {
    static TextPrinter printer = nullptr;
    return printer;
}

}  // namespace

void printRuntimeText(const RtString& text, int32_t x, int32_t y) {
    if (TextPrinter printer = currentPrinter()) {
        printer(text, x, y);
    }
}

TextPrinter setTextPrinter(TextPrinter printer) {
    TextPrinter previous = currentPrinter();
    currentPrinter() = printer;
    return previous;
}

}  // namespace lmt
