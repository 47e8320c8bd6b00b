#include "toolkit/backend/korvanefont.h"

#include "runtime/system/debug_output.h"
#include "toolkit/backend/korvanegraphics.h"
#include "toolkit/backend/runtimecommands.h"

namespace lmt {

KorvaneFont::KorvaneFont(const RtString& fileName) {
    RuntimeCommands& runtime = runtimeCommands();
    if (fileName.length > 0) {
        const int32_t free = runtime.firstFreeFont();
        if (free >= 0 && runtime.fileExists(fileName)) {
            runtime.loadFont(fileName, free);
            fontNumber = free;
        }
    }
    runtime.setFont(fontNumber);
    runtime.getFontSize(charWidth, charHeight);
    ::debugPrint(RtString("Font details : \n"));
    ::debugPrint(RtString(charWidth));
    ::debugPrint(RtString("\n"));
    ::debugPrint(RtString(charHeight));
    ::debugPrint(RtString("\n"));
    ::debugPrint(RtString(fontNumber));
    ::debugPrint(RtString("\n"));
}

KorvaneFont::~KorvaneFont() {
    if (ownsFont && fontNumber >= 1) {
        runtimeCommands().loadFont(RtString(""), fontNumber);
        fontNumber = 0;
    }
}

int32_t KorvaneFont::getWidth(const RtString& text) const { return charWidth * int32_t(text.length); }

void KorvaneFont::drawString(Graphics* graphics, const RtString& text, int32_t x, int32_t y) {
    // Through the backend's graphics the text follows the clip area like every
    // other drawing; any other graphics gets the runtime's text as it stands.
    if (auto* korvane = dynamic_cast<KorvaneGraphics*>(graphics)) {
        korvane->printText(text, x, y);
        return;
    }
    runtimeCommands().printText(text, double(x), double(y));
}

}  // namespace lmt
