#include "server/bacnetstackstoreddbpropertyvalues.h"

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {

constexpr const char* kSource = "bacnetstackstoreddbpropertyvalues";
constexpr const char* kSetValue = "ZalvoBACnetStack::BACnetStackStoredDBPropertyValues::SetValueAndTakeControl";

}  // namespace

bool BACnetStackStoredDBPropertyValues::SetValueAndTakeControl(uint32_t propertyIdentifier,
                                                               std::unique_ptr<ICodable> adoptedValue) {
    if (adoptedValue == nullptr) {
        StackErrorLog(kSetValue, kSource, __LINE__, "Error - value does not exist");
        return false;
    }
    values_[propertyIdentifier] = std::move(adoptedValue);
    return true;
}

const ICodable* BACnetStackStoredDBPropertyValues::GetValue(uint32_t propertyIdentifier) const {
    const auto it = values_.find(propertyIdentifier);
    return it != values_.end() ? it->second.get() : nullptr;
}

}  // namespace ZalvoBACnetStack
