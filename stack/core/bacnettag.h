// The tag header in front of every encoded BACnet value: application and
// context tags, extended tag numbers (>= 15), extended lengths (5, then one
// octet, or 254 + two octets, or 255 + four octets) and the opening (6) and
// closing (7) context tags that bracket constructed values. Never allocates
// and never reads or writes outside the given buffer.
#pragma once

#include <cstdint>

namespace ZalvoBACnetStack {

class BACnetTag {
public:
    static constexpr uint32_t kApplicationClass = 0;
    static constexpr uint32_t kContextClass = 1;
    static constexpr uint32_t kOpeningType = 6;
    static constexpr uint32_t kClosingType = 7;
    static constexpr uint8_t kExtendedTagNumber = 15;
    static constexpr uint8_t kExtendedLength = 5;
    static constexpr uint8_t kLength16Marker = 254;
    static constexpr uint8_t kLength32Marker = 255;
    static constexpr uint8_t kMaxHeaderSize = 7;

    uint8_t tagNumber = 0;
    uint32_t tagClass = kApplicationClass;
    // Content length in octets; 6/7 = opening/closing for context tags; the
    // value itself for an application-tagged BOOLEAN.
    uint32_t lengthValueType = 0;
    bool valid = false;
    // Set for a context opening or closing tag (6 or 7 in the first octet's
    // low bits). A context data tag whose extended length octet says 6 or 7
    // has the same lengthValueType but is a value of that length, and is
    // written in the extended form.
    bool bracket = false;

    static BACnetTag Application(uint8_t number, uint32_t length) { return {number, kApplicationClass, length, true}; }
    static BACnetTag Context(uint8_t number, uint32_t length) { return {number, kContextClass, length, true}; }
    static BACnetTag Opening(uint8_t number) { return {number, kContextClass, kOpeningType, true, true}; }
    static BACnetTag Closing(uint8_t number) { return {number, kContextClass, kClosingType, true, true}; }

    bool IsContext() const { return tagClass == kContextClass; }
    bool IsOpening() const { return tagClass == kContextClass && bracket && lengthValueType == kOpeningType; }
    bool IsClosing() const { return tagClass == kContextClass && bracket && lengthValueType == kClosingType; }
    bool IsOpeningOrClosing() const { return IsOpening() || IsClosing(); }

    // Octets consumed (1 to 7), 0 when the header does not fit or the buffer is empty.
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length);
    // Octets written, 0 when invalid, of an unknown class or out of room.
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room) const;
    // Succeed only on a context opening (closing) tag with the expected number;
    // report and clear `valid` otherwise.
    [[nodiscard]] uint16_t DecodeAndCheckOpeningTag(const uint8_t* buffer, uint16_t length, uint8_t expectedTagNumber);
    [[nodiscard]] uint16_t DecodeAndCheckClosingTag(const uint8_t* buffer, uint16_t length, uint8_t expectedTagNumber);
    void Reset() { *this = BACnetTag{}; }

private:
    uint16_t DecodeAndCheck(const uint8_t* buffer, uint16_t length, uint8_t expectedTagNumber, uint32_t type,
                            const char* operation, const char* mismatchMessage);
};

}  // namespace ZalvoBACnetStack
