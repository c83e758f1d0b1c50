// The holder of a context-tagged value whose datatype the stack does not
// know: the tag number and the raw content octets (at most 1497, the largest
// BACnet/IP APDU). It can be decoded, compared and rendered, never encoded.
#pragma once

#include <array>
#include <cstdint>

#include "core/bacnetobjectbase.h"
#include "core/bacnettag.h"

namespace ZalvoBACnetStack {

class BACnetStackUnknownAPDU : public BACnetObjectBase {
public:
    static constexpr uint32_t kMaxLength = 1497;

    BACnetStackUnknownAPDU() = default;

    // One context tag header and its contents.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    // Always refused: the octets' meaning is unknown.
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override;
    uint8_t GetDatatype() const override { return Datatype::kStackUnknownAPDU; }
    void Reset() override;
    // Same datatype, length and octets.
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "UnknownAPDU"; }

    // Copies n octets (1 to 1497) and makes the value valid.
    bool SetBuffer(const uint8_t* bytes, uint32_t n);

    const uint8_t* GetData() const { return data_.data(); }
    uint32_t GetLength() const { return length_; }
    // The enclosing context tag (number and content length).
    const BACnetTag& GetTag() const { return tag_; }

private:
    std::array<uint8_t, kMaxLength> data_{};
    uint32_t length_ = 0;
    BACnetTag tag_;
};

}  // namespace ZalvoBACnetStack
