// A property value of any datatype (ABSTRACT-SYNTAX.&Type): one or more
// values, in order, owned by the holder. Decode reads them by their own
// tags (application tags become primitives, nested opening/closing tags
// become nested holders); DecodeByDatatype creates them from the datatype
// the property is known to have. The factories give new values owned by the
// caller.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/bacnetobjectbase.h"

namespace ZalvoBACnetStack {

class BACnetAbstractSyntaxType : public BACnetObjectBase {
public:
    // Nested holders deeper than this fail to decode.
    static constexpr int kMaxNesting = 16;

    explicit BACnetAbstractSyntaxType(int32_t contextTag = -1) : BACnetObjectBase(contextTag) {}
    BACnetAbstractSyntaxType(const BACnetAbstractSyntaxType& other);
    ~BACnetAbstractSyntaxType() override;

    // The values up to (not including) the context closing tag that ends
    // them; that tag must be inside the buffer.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    // The values one after the other; nested holders with their own tags.
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kAbstractSyntaxType; }
    // No values, not valid.
    void Reset() override;
    // Same datatype, same number of values, each pair equal in order.
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "AbstractSyntaxtType"; }
    bool GetChildren(RenderChildren& children) const override;

    // Opening tag n, values all of `datatype` (made by ObjectFactory), closing tag n.
    [[nodiscard]] uint16_t DecodeByDatatype(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                            uint8_t contextTag, uint16_t objectType, uint32_t propertyIdentifier,
                                            uint8_t datatype);

    // A new empty value of `datatype` for the property; a raw-data holder
    // for a datatype it does not know. Null when an enumerated property has
    // no enumeration class or allocation fails.
    static std::unique_ptr<ICodable> ObjectFactory(uint16_t objectType, uint32_t propertyIdentifier, uint8_t datatype);

    // The first held value when it has `datatype` (looking inside a priority
    // value); null otherwise. Not owned by the caller.
    const ICodable* GetObjectByDatatype(uint8_t datatype) const;

    // Appends a value (null is refused); the holder becomes valid.
    bool AddValueAndTakeOwnership(std::unique_ptr<ICodable> adoptedValue);
    size_t Size() const { return values_.size(); }
    const ICodable* At(size_t index) const { return index < values_.size() ? values_[index].get() : nullptr; }

private:
    uint16_t DecodeValues(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome, int depth);
    uint16_t Fail() {
        valid_ = false;
        return 0;
    }

    std::vector<std::unique_ptr<ICodable>> values_;
};

}  // namespace ZalvoBACnetStack
