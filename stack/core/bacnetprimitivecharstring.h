// BACnet CharacterString: one character-set octet, then the string's bytes;
// the tag's content length is the byte length + 1. The bytes are kept and
// written as they are, whatever the character set.
#pragma once

#include <string>
#include <string_view>

#include "core/bacnetprimitivebase.h"

namespace ZalvoBACnetStack {

class BACnetPrimitiveCharSTRING : public BACnetPrimitiveBase {
public:
    // The standard's character sets.
    static constexpr uint8_t kUTF8 = 0;  // also ANSI X3.4
    static constexpr uint8_t kDBCS = 1;  // IBM/Microsoft DBCS
    static constexpr uint8_t kJISX0208 = 2;
    static constexpr uint8_t kUCS4 = 3;  // ISO 10646
    static constexpr uint8_t kUCS2 = 4;  // ISO 10646
    static constexpr uint8_t kISO8859_1 = 5;

    BACnetPrimitiveCharSTRING() : BACnetPrimitiveBase(Datatype::kCharacterString) {}
    explicit BACnetPrimitiveCharSTRING(std::string_view bytes, uint8_t characterSet = kUTF8)
        : BACnetPrimitiveCharSTRING() {
        SetValue(bytes, characterSet);
    }

    void SetValue(std::string_view bytes, uint8_t characterSet = kUTF8);
    const std::string& GetValue() const { return value_; }
    uint8_t GetCharacterSet() const { return characterSet_; }

    // A failure leaves the value as after Reset().
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override;
    // Needs more room than header + 1 + bytes: an exact fit is refused.
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override;
    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override { return CloneOf(*this); }
    uint8_t GetDatatype() const override { return Datatype::kCharacterString; }
    void Reset() override;
    // Same bytes in the same character set.
    bool IsEqual(const ICodable* other) const override;

    std::string GetElementName() const override { return "CharacterString"; }
    std::string GetElementText() const override { return value_; }
    bool GetAttributes(RenderAttributes& attributes) const override;

private:
    std::string value_;
    uint8_t characterSet_ = kUTF8;
};

}  // namespace ZalvoBACnetStack
