// BACnetPriorityValue: one slot of a priority array. It holds one value of
// a choice: an application-tagged primitive (NULL for an empty slot), a
// constructed value in context tag 0, or a date-time in context tag 1.
#pragma once

#include <memory>

#include "core/bacnetobjectbase.h"

namespace ZalvoBACnetStack {

class BACnetPriorityValue : public BACnetObjectBase {
public:
    BACnetPriorityValue() = default;
    BACnetPriorityValue(const BACnetPriorityValue& other);
    BACnetPriorityValue& operator=(const BACnetPriorityValue& other);
    BACnetPriorityValue(BACnetPriorityValue&&) noexcept = default;
    BACnetPriorityValue& operator=(BACnetPriorityValue&&) noexcept = default;
    ~BACnetPriorityValue() override = default;

    // Takes ownership of a primitive (datatypes 0 to 12), a constructed
    // value (16) or a date-time (27); refuses anything else and null.
    bool SetPriorityValueAndTakeControl(std::unique_ptr<ICodable> value);
    // The held value, null when none.
    const ICodable* GetValue() const { return value_.get(); }

    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kPriorityValue; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "PriorityValue"; }
    // The held value under its own name, when it is valid.
    bool GetChildren(RenderChildren& children) const override;

    // Whether a value of `datatype` may be held.
    static bool IsChoiceDatatype(uint8_t datatype);

private:
    std::unique_ptr<BACnetObjectBase> value_;
};

}  // namespace ZalvoBACnetStack
