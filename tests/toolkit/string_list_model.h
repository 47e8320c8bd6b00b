// Test double: a list model over a vector of texts; "?" past the end, as the
// application's model answers.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "toolkit/listmodel.h"

namespace lmt::test {

class StringListModel : public ListModel {
public:
    StringListModel() = default;
    explicit StringListModel(std::vector<std::string> items) : items(std::move(items)) {}

    int getNumberOfElements() override { return static_cast<int>(items.size()); }
    RtString getElementAt(int index) override {
        ++lookups;
        if (index < 0 || index >= static_cast<int>(items.size())) {
            return RtString("?");
        }
        return RtString(items[index].c_str());
    }

    std::vector<std::string> items;
    int lookups = 0;
};

}  // namespace lmt::test
