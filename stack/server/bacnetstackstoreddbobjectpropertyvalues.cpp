#include "server/bacnetstackstoreddbobjectpropertyvalues.h"

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {

constexpr const char* kSource = "bacnetstackstoreddbobjectpropertyvalues";
constexpr const char* kSetValue = "ZalvoBACnetStack::BACnetStackStoredDBObjectPropertyValues::SetValueAndTakeControl";

}  // namespace

bool BACnetStackStoredDBObjectPropertyValues::SetValueAndTakeControl(uint16_t objectType, uint32_t objectInstance,
                                                                     uint32_t propertyIdentifier,
                                                                     std::unique_ptr<ICodable> adoptedValue) {
    // Checked here so that a refused value leaves no empty object entry behind.
    if (adoptedValue == nullptr) {
        StackErrorLog(kSetValue, kSource, __LINE__, "Error - value does not exist");
        return false;
    }
    return objects_[Key(objectType, objectInstance)].SetValueAndTakeControl(propertyIdentifier,
                                                                            std::move(adoptedValue));
}

const ICodable* BACnetStackStoredDBObjectPropertyValues::GetValue(uint16_t objectType, uint32_t objectInstance,
                                                                  uint32_t propertyIdentifier) const {
    const auto it = objects_.find(Key(objectType, objectInstance));
    return it != objects_.end() ? it->second.GetValue(propertyIdentifier) : nullptr;
}

void BACnetStackStoredDBObjectPropertyValues::RemoveObject(uint16_t objectType, uint32_t objectInstance) {
    objects_.erase(Key(objectType, objectInstance));
}

}  // namespace ZalvoBACnetStack
