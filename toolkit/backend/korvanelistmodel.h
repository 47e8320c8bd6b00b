// toolkit/backend: the list model of the program's list boxes and drop-downs,
// filled by splitting one text at "|".
#pragma once

#include <cstdint>

#include "runtime/core/rt_array.h"
#include "runtime/core/rt_string.h"
#include "toolkit/listmodel.h"

class KorvaneListModel : public lmt::ListModel {
public:
    KorvaneListModel();
    ~KorvaneListModel() override;

    // The size of items, not count.
    int getNumberOfElements() override;
    // "" for an empty model, "?" for an index outside 0..count-1.
    const RtString& getElementAt(int index) override;

    RtArray<RtString> items;
    int32_t count = 0;

private:
    // The answers that are not rows, kept so that a row is never copied to be drawn.
    const RtString empty;
    const RtString outside{"?"};
};
