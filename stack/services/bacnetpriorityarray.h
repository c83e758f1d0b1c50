// BACnetPriorityArray: the sixteen command priority slots of a commandable
// property, priority 1 (highest) in slot 0 to priority 16 in slot 15, each
// a BACnetPriorityValue (NULL when the priority is not commanded).
#pragma once

#include <array>
#include <memory>

#include "core/bacnetobjectbase.h"
#include "services/bacnetpriorityvalue.h"

namespace ZalvoBACnetStack {

class BACnetPriorityArray : public BACnetObjectBase {
public:
    static constexpr uint8_t kSlots = 16;

    BACnetPriorityArray() = default;

    // The slot of index 0 to 15; null (reported) for any other index.
    const BACnetPriorityValue* GetPriorityValue(uint32_t index) const;
    // Fills slot `index` (0 to 15) with a value the slot accepts; the array
    // is valid once every slot holds one.
    bool SetPriorityValueAndTakeControl(uint32_t index, std::unique_ptr<ICodable> value);

    // Sixteen priority values back to back.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kPriorityArray; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "PriorityArray"; }
    // count = 16.
    bool GetAttributes(RenderAttributes& attributes) const override;
    // Each slot with its priority (1 to 16) in the attribute "priority".
    bool GetChildren(RenderChildren& children) const override;

private:
    std::array<BACnetPriorityValue, kSlots> slots_;
};

}  // namespace ZalvoBACnetStack
