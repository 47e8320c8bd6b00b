// toolkit/backend: connects the toolkit's two outputs that are not a widget's
// drawing, its debugger output and the stand-by font's text, to the runtime.
#pragma once

namespace lmt {

// From here on the toolkit's debugger output goes to the runtime's and the
// stand-by font prints with the runtime's text command.
void useRuntimeOutput();

}  // namespace lmt
