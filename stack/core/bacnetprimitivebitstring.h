// BACnet BIT STRING: one octet giving the number of unused bits in the last
// octet, then the bits, bit 0 as the most significant bit of the first
// octet. The tag's content length is 1 + the number of bit octets.
#pragma once

#include <string>
#include <vector>

#include "core/bacnetprimitivebase.h"

namespace ZalvoBACnetStack {

class BACnetPrimitiveBitSTRING : public BACnetPrimitiveBase {
public:
    BACnetPrimitiveBitSTRING() : BACnetPrimitiveBase(Datatype::kBitString) {}
    explicit BACnetPrimitiveBitSTRING(const std::vector<bool>& bits) : BACnetPrimitiveBitSTRING() { SetValue(bits); }

    // Bit i of the string is bits[i].
    void SetValue(const std::vector<bool>& bits);
    // `bitCount` bits packed as on the wire, bit 0 in the top bit of octets[0].
    void SetValue(const uint8_t* octets, uint32_t bitCount);
    // No encodable bit string is longer: its octets must fit in a 16-bit room.
    static constexpr uint32_t kMaxBitCount = 8u * 0xFFFFu;

    // Sets bit `index`, growing the string with 0 bits when it is shorter;
    // false (and nothing changed) when index reaches kMaxBitCount.
    bool SetBit(uint32_t index, bool bit);
    bool AppendBit(bool bit) { return SetBit(bitCount_, bit); }
    // False for a bit beyond the end.
    bool GetBit(uint32_t index) const;
    uint32_t GetBitCount() const { return bitCount_; }
    // The packed bits; unused low bits of the last octet are zero.
    const std::vector<uint8_t>& GetOctets() const { return octets_; }
    // 8 - (count modulo 8), or 0 when the count is a multiple of 8.
    uint8_t UnusedBits() const { return bitCount_ % 8 == 0 ? 0 : static_cast<uint8_t>(8 - bitCount_ % 8); }

    // A failure leaves the value as after Reset().
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    // Needs more room than header + 1 + bit octets: an exact fit is refused.
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override { return CloneOf(*this); }
    uint8_t GetDatatype() const override { return Datatype::kBitString; }
    void Reset() override;
    bool IsEqual(const ICodable* other) const override;

    // "b" and one "1" or "0" per bit, bit 0 first; empty without bits.
    std::string GetElementName() const override { return "BitString"; }
    std::string GetElementText() const override;
    bool GetAttributes(RenderAttributes& attributes) const override;

private:
    uint32_t ContentLength() const { return static_cast<uint32_t>(1 + octets_.size()); }
    // Clears the unused low bits of the last octet.
    void ClearUnusedBits();

    std::vector<uint8_t> octets_;
    uint32_t bitCount_ = 0;
};

}  // namespace ZalvoBACnetStack
