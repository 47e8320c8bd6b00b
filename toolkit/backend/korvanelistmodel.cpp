#include "toolkit/backend/korvanelistmodel.h"

KorvaneListModel::KorvaneListModel() { items.dim(0); }

KorvaneListModel::~KorvaneListModel() {
    items.redim(0);
    count = 0;
}

int KorvaneListModel::getNumberOfElements() { return items.bounds(0); }

const RtString& KorvaneListModel::getElementAt(int index) {
    if (count == 0) {
        return empty;
    }
    // count is what the filler reported; the array may hold fewer entries.
    if (index < 0 || index >= count || index >= items.bounds(0)) {
        return outside;
    }
    return items.at(index);
}
