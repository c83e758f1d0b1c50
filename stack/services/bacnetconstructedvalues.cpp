// The constructed classes a property value can be created as, by datatype
// number. One line per class: {datatype, creator, inner-value accessor}.
#include "core/bacnetconstructedvalues.h"


namespace ZalvoBACnetStack {
namespace {

// Every table ends with a row whose creator is null.
const BACnetConstructedValues::Entry kConstructedValues[] = {
    {0, nullptr, nullptr},
};

}  // namespace

const BACnetConstructedValues::Entry* BACnetConstructedValues::Find(uint8_t datatype) {
    for (const Entry& entry : kConstructedValues) {
        if (entry.create == nullptr) break;
        if (entry.datatype == datatype) return &entry;
    }
    return nullptr;
}

}  // namespace ZalvoBACnetStack
