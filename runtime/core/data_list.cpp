// core: READ and RESTORE over the program's DATA blocks. Uses RuntimeState's
// current block and the error slot.
#include "runtime/core/data_list.h"

#include "runtime/core/error_slot.h"
#include "runtime/core/numeric_convert.h"
#include "runtime/core/runtime_state.h"

namespace {

// The next item of the current block; error 20 when there is none.
const DataItem& nextItem() {
    DataBlock* block = runtimeState().currentDataBlock;
    if (block == nullptr || block->index < 0 || block->index >= block->count) fatalError(kErrorOutOfData);
    return block->items[block->index++];
}

}  // namespace

void restoreData(DataBlock* block) {
    if (block != nullptr) block->index = 0;
    runtimeState().currentDataBlock = block;
}

void readDataString(RtString& out) {
    const DataItem& item = nextItem();
    RtString value = item.text != nullptr ? RtString(item.text) : RtString(item.number);
    out.swap(value);
}

void readDataDouble(double& out) {
    const DataItem& item = nextItem();
    out = item.text != nullptr ? textToDouble(item.text) : item.number;
}

void readDataInt(int32_t& out) {
    double value = 0.0;
    readDataDouble(value);
    out = doubleToInt(value);
}
