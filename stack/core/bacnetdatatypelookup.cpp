#include "core/bacnetdatatypelookup.h"

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {

uint8_t BACnetDatatypeLookup::DatatypeOfRecord(const BACnetPropertyRecord& record, bool useArrayIndex,
                                               uint32_t propertyArrayIndex) {
    if (!useArrayIndex) return record.datatype;
    // The priority array is an array of 16 priority values; its index 0 is
    // the array size like any other array's.
    if (record.datatype == Datatype::kPriorityArray)
        return propertyArrayIndex == 0 ? Datatype::kUnsigned : Datatype::kPriorityValue;
    if (record.isArray != 0 && propertyArrayIndex == 0) return Datatype::kUnsigned;
    return record.datatype;
}

uint8_t BACnetDatatypeLookup::GetDatatype(uint32_t objectType, uint32_t propertyIdentifier, bool useArrayIndex,
                                          uint32_t propertyArrayIndex) {
    const BACnetPropertyProfileEntry* entry = BACnetPropertyProfile::Find(objectType, propertyIdentifier);
    if (entry == nullptr) {
        StackErrorLog("ZalvoBACnetStack::BACnetDatatypeLookup::GetDatatype", "bacnetdatatypelookup", __LINE__,
                      "Error - Proprietary Properties not yet implemented");
        return kUnknownDatatype;
    }
    return DatatypeOfRecord(entry->Record(), useArrayIndex, propertyArrayIndex);
}

}  // namespace ZalvoBACnetStack
