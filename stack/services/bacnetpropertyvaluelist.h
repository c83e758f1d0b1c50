// A list of property values between an opening and a closing context tag,
// as the COV notifications (listOfValues [4]) and the write access
// specifications (listOfProperties [1]) carry them. The list ends at its
// own closing tag, which is looked at before each element, so the end of a
// well-formed list is never mistaken for a broken element; an element that
// does not decode fails the whole list. Each element is decoded where it
// stays, so a value is never copied on the way in.
//
// Rendered like any sequence: no element of its own, the property values
// directly inside the parent's element, "count" on a named wrapper.
#pragma once

#include <memory>
#include <string>

#include "core/bacnetobjectbase.h"
#include "services/bacnetpropertyvalue.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {

class BACnetPropertyValueList final : public BACnetObjectBase {
public:
    BACnetPropertyValueList() = default;
    BACnetPropertyValueList(const BACnetPropertyValueList& other);
    BACnetPropertyValueList& operator=(const BACnetPropertyValueList& other);
    BACnetPropertyValueList(BACnetPropertyValueList&&) noexcept = default;
    BACnetPropertyValueList& operator=(BACnetPropertyValueList&&) noexcept = default;
    ~BACnetPropertyValueList() override = default;

    // An empty, valid list.
    void SetEmpty();
    // Appends a copy of a valid property value (reported, false otherwise);
    // the list becomes valid.
    bool Add(const BACnetPropertyValue& value);
    size_t Size() const { return values_.Size(); }
    const BACnetPropertyValue& At(size_t index) const { return values_.Item(index); }

    // The property values up to (not including) the closing tag that ends
    // them, which must lie inside the buffer.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    // Opening tag n, the property values, closing tag n: the octets of all
    // three (an empty list is valid), 0 on failure with the list empty.
    [[nodiscard]] uint16_t DecodeWithContext(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                             uint8_t contextTag, bool quiet = false) override;
    // The values one after the other (nothing for an empty list).
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    // Opening tag n, each value, closing tag n; the list must be valid.
    [[nodiscard]] uint16_t EncodeWithContext(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                             uint8_t contextTag) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kSequenceOf; }
    // Empty, not valid.
    void Reset() override;
    // Same number of values, each pair equal in order.
    bool IsEqual(const ICodable* other) const override;

    // "count": the number of values.
    bool GetAttributes(RenderAttributes& attributes) const override;
    // Each "PropertyValue", without a context number.
    bool GetChildren(RenderChildren& children) const override;

private:
    // Values until a closing tag (number `closingTag`, or any when -1);
    // the octets of the values, the closing tag's header size in
    // `closingSize`. 0 with `closingSize` 0 is a failure.
    uint16_t DecodeValues(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome, const char* operation,
                          int closingTag, uint16_t& closingSize);
    uint16_t EncodeValues(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome, const char* operation);

    BACnetServiceCodec::OwnedList<BACnetPropertyValue> values_;
};

}  // namespace ZalvoBACnetStack
