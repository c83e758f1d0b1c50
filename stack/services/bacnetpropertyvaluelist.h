// A list of property values between an opening and a closing context tag,
// as the COV notifications (listOfValues [4]) and the write access
// specifications (listOfProperties [1]) carry them. The list ends at its
// own closing tag, which is looked at before each element, so the end of a
// well-formed list is never mistaken for a broken element; an element that
// does not decode fails the whole list.
#pragma once

#include <memory>

#include "core/bacnetsequenceof.h"
#include "services/bacnetpropertyvalue.h"

namespace ZalvoBACnetStack {

class BACnetPropertyValueList final : public BACnetSequenceOf<BACnetPropertyValue> {
public:
    // Opening tag n, the property values, closing tag n: the octets of all
    // three (an empty list is valid), 0 on failure with the list empty.
    [[nodiscard]] uint16_t DecodeWithContext(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                             uint8_t contextTag, bool quiet = false) override;
    // Opening tag n, each value, closing tag n; the list must be valid.
    [[nodiscard]] uint16_t EncodeWithContext(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                             uint8_t contextTag) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
};

}  // namespace ZalvoBACnetStack
