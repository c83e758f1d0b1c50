#include "server/bacnetdbobject.h"

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {

constexpr const char* kSource = "bacnetdbobject";
constexpr const char* kSetWritable = "ZalvoBACnetStack::BACnetDBObject::SetPropertyWritable";
constexpr const char* kSetSubscribable = "ZalvoBACnetStack::BACnetDBObject::SetPropertySubscribable";

constexpr uint32_t kPriorityArray = 87;
constexpr uint32_t kRelinquishDefault = 104;

}  // namespace

void BACnetDBObject::Reset() {
    objectType_ = 0;
    objectInstance_ = 0;
    properties_.clear();
}

bool BACnetDBObject::SetPropertyEnabled(uint32_t propertyIdentifier, bool enabled) {
    if (!enabled) {
        properties_.erase(propertyIdentifier);
        return true;
    }
    BACnetPropertyRecord record;
    if (!BACnetPropertyProfile::GetPropertyProfile(objectType_, propertyIdentifier, record)) return false;
    properties_.try_emplace(propertyIdentifier, record);
    return true;
}

BACnetPropertyRecord* BACnetDBObject::EnabledRecord(uint32_t propertyIdentifier, const char* operation) {
    if (!SetPropertyEnabled(propertyIdentifier, true)) {
        StackErrorLog(operation, kSource, __LINE__, "Failed to enable the property=[%u]", propertyIdentifier);
        return nullptr;
    }
    return &properties_.at(propertyIdentifier);
}

bool BACnetDBObject::SetPropertyWritable(uint32_t propertyIdentifier, bool flag) {
    BACnetPropertyRecord* record = EnabledRecord(propertyIdentifier, kSetWritable);
    if (record == nullptr) return false;
    record->writable = flag ? 1 : 0;
    return true;
}

bool BACnetDBObject::SetPropertySubscribable(uint32_t propertyIdentifier, bool flag) {
    BACnetPropertyRecord* record = EnabledRecord(propertyIdentifier, kSetSubscribable);
    if (record == nullptr) return false;
    record->subscribable = flag ? 1 : 0;
    return true;
}

bool BACnetDBObject::IsPropertyEnabled(uint32_t propertyIdentifier) const {
    if (properties_.contains(propertyIdentifier)) return true;
    const BACnetPropertyProfileEntry* entry = BACnetPropertyProfile::Find(objectType_, propertyIdentifier);
    return entry != nullptr && entry->required != 0;
}

bool BACnetDBObject::GetPropertyRecord(uint32_t propertyIdentifier, BACnetPropertyRecord& record) const {
    if (const auto it = properties_.find(propertyIdentifier); it != properties_.end()) {
        record = it->second;
        return true;
    }
    const BACnetPropertyProfileEntry* entry = BACnetPropertyProfile::Find(objectType_, propertyIdentifier);
    if (entry == nullptr || entry->required == 0) return false;
    record = entry->Record();
    return true;
}

bool BACnetDBObject::IsPropertyCommandable(uint32_t propertyIdentifier) const {
    return BACnetPropertyProfile::IsPropertyCommandable(objectType_, propertyIdentifier,
                                                        IsPropertyEnabled(kPriorityArray),
                                                        IsPropertyEnabled(kRelinquishDefault));
}

}  // namespace ZalvoBACnetStack
