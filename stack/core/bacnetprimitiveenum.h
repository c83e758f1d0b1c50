// The ENUMERATED primitive. On the wire an enumeration is only a number;
// the subclasses (bacnetenumerations.h) give it a meaning by naming it
// through their name table and element name. EnumerationFactory picks the
// subclass for a property value from its object type and property.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/bacnetprimitivebase.h"
#include "render/bacnetnametable.h"

namespace ZalvoBACnetStack {

class BACnetPrimitiveENUM : public BACnetPrimitiveBase {
public:
    BACnetPrimitiveENUM() : BACnetPrimitiveBase(Datatype::kEnumerated) {}
    explicit BACnetPrimitiveENUM(uint32_t value) : BACnetPrimitiveBase(Datatype::kEnumerated) { SetValue(value); }

    // Application tag 9 (or a context tag) with 1 to 4 big-endian content octets.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    // The header the tag describes, then the content-length low-order octets.
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kEnumerated; }
    void Reset() override {
        ResetPrimitive(Datatype::kEnumerated);
        value_ = 0;
    }
    // Same datatype and value; which enumeration class holds it does not matter.
    bool IsEqual(const ICodable* other) const override;

    // The names of this enumeration's values; empty for a plain ENUMERATED.
    virtual const BACnetNameTable& GetNameTable() const;

    std::string GetElementName() const override { return "Enumerated"; }
    // The value's name, or "Unknown Enumeration Value (<value>)".
    std::string GetElementText() const override { return GetNameTable().Name(value_); }
    // "datatype", "context" when context-tagged, and "value" in decimal.
    bool GetAttributes(RenderAttributes& attributes) const override;

    // Stores the value with the fewest content octets that hold it.
    void SetValue(uint32_t value) {
        value_ = value;
        MarkAssigned(value < 0x100u ? 1u : value < 0x10000u ? 2u : value < 0x1000000u ? 3u : 4u);
    }
    uint32_t GetValue() const { return value_; }

    // A new, empty, application-tagged value of the enumeration class that
    // `propertyIdentifier` has for `objectType` (or, failing that, for the
    // first later object-type group in the fixed search chain that lists it);
    // null when no group does or allocation fails.
    static std::unique_ptr<BACnetPrimitiveENUM> EnumerationFactory(uint16_t objectType, uint32_t propertyIdentifier);

protected:
    uint32_t value_ = 0;
};

}  // namespace ZalvoBACnetStack
