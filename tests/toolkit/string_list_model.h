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
    const RtString& getElementAt(int index) override {
        ++lookups;
        if (index < 0 || index >= static_cast<int>(items.size())) {
            row = RtString("?");
        } else {
            row = RtString(items[index].c_str());
        }
        return row;
    }

    std::vector<std::string> items;
    int lookups = 0;

private:
    RtString row;
};

}  // namespace lmt::test
