// The datatype lookup: which datatype a property value of a standard object
// type is decoded as. The ReadProperty and ReadPropertyMultiple
// acknowledgements type their values through it, and the device server's
// GetDatatype answers with it. It reads the constant property profile only
// and allocates nothing.
#pragma once

#include <cstdint>

#include "core/bacnetpropertyprofile.h"
#include "core/icodable.h"

namespace ZalvoBACnetStack {

class BACnetDatatypeLookup {
public:
    // The datatype of a property the profile does not know: its value is
    // carried as raw data.
    static constexpr uint8_t kUnknownDatatype = Datatype::kStackUnknownAPDU;

    // The datatype of (object type, property) read with or without an array
    // index:
    // - without an index, the property's datatype;
    // - a priority array (datatype 117): index 0 gives Unsigned, any other
    //   index a priority value (116);
    // - any other array: index 0 gives Unsigned (the array size), any other
    //   index the element datatype;
    // - a property that is not an array: its datatype, whatever the index.
    // A property the profile does not know (a proprietary property, or any
    // property of a type without a profile) is reported and gives
    // kUnknownDatatype.
    [[nodiscard]] static uint8_t GetDatatype(uint32_t objectType, uint32_t propertyIdentifier, bool useArrayIndex,
                                             uint32_t propertyArrayIndex);

    // The same array-index rules applied to a property record the caller
    // already holds (for example an object's own record in the database).
    [[nodiscard]] static uint8_t DatatypeOfRecord(const BACnetPropertyRecord& record, bool useArrayIndex,
                                                  uint32_t propertyArrayIndex);
};

}  // namespace ZalvoBACnetStack
