// The constructed classes a property value can be created as, by datatype
// number. One line per class: {datatype, creator, inner-value accessor}.
#include "core/bacnetconstructedvalues.h"

#include <new>

#include "services/bacnetcovsubscription.h"
#include "services/bacnetpriorityarray.h"
#include "services/bacnetpriorityvalue.h"

namespace ZalvoBACnetStack {
namespace {

template <class T>
std::unique_ptr<ICodable> CreateValue() {
    return std::unique_ptr<ICodable>(new (std::nothrow) T());
}

const ICodable* PriorityValueInner(const ICodable& value) {
    const auto* priorityValue = dynamic_cast<const BACnetPriorityValue*>(&value);
    return priorityValue != nullptr ? priorityValue->GetValue() : nullptr;
}

// Every table ends with a row whose creator is null.
const BACnetConstructedValues::Entry kConstructedValues[] = {
    {Datatype::kCOVSubscription, &CreateValue<BACnetCOVSubscription>, nullptr},
    {Datatype::kPriorityValue, &CreateValue<BACnetPriorityValue>, &PriorityValueInner},
    {Datatype::kPriorityArray, &CreateValue<BACnetPriorityArray>, nullptr},
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
