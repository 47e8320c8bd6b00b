// toolkit: the version text.
#include "toolkit/version.h"

namespace lmt {

RtString getVersion() {
    return RtString("0.8");
}

}  // namespace lmt
