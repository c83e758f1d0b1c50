// BACnet OCTET STRING: the tag's content length is the number of octets,
// which follow the header unchanged.
#pragma once

#include <string>
#include <vector>

#include "core/bacnetprimitivebase.h"

namespace ZalvoBACnetStack {

class BACnetPrimitiveOctSTRING : public BACnetPrimitiveBase {
public:
    BACnetPrimitiveOctSTRING() : BACnetPrimitiveBase(Datatype::kOctetString) {}
    BACnetPrimitiveOctSTRING(const uint8_t* octets, size_t count) : BACnetPrimitiveOctSTRING() {
        SetValue(octets, count);
    }

    // Copies `count` octets (none when `octets` is null).
    void SetValue(const uint8_t* octets, size_t count);
    void SetValue(std::vector<uint8_t> octets);
    const std::vector<uint8_t>& GetValue() const { return value_; }

    // A failure leaves the value as after Reset().
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    // Needs more room than header + octets: an exact fit is refused.
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override { return CloneOf(*this); }
    uint8_t GetDatatype() const override { return Datatype::kOctetString; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    // "0x" and two upper-case hexadecimal digits per octet; empty without octets.
    std::string GetElementName() const override { return "OctString"; }
    std::string GetElementText() const override;
    bool GetAttributes(RenderAttributes& attributes) const override;

private:
    std::vector<uint8_t> value_;
};

}  // namespace ZalvoBACnetStack
