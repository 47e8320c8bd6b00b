// core: DATA lists. The compiled program owns the static blocks; READ hands
// out the current block's items in order, converting to the variable's type.
// Reading past the end, or before any RESTORE, is fatal error 20.
#pragma once

#include <cstdint>  // Required for: int32_t

#include "runtime/core/rt_string.h"

struct DataItem {
    double number = 0.0;
    const char* text = nullptr;  // null for a number item
};

struct DataBlock {
    const DataItem* items = nullptr;
    int32_t count = 0;
    int32_t index = 0;  // the next item to read
};

// Rewinds the block and makes it the one READ takes from.
void restoreData(DataBlock* block);

// A number item reads as its text (10 significant digits).
void readDataString(RtString& out);
// A text item reads as its decimal prefix (0 when there is none).
void readDataDouble(double& out);
// As readDataDouble, truncated toward zero.
void readDataInt(int32_t& out);
