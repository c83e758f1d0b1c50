#include "core/bacnettag.h"

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnettag";
}  // namespace

uint16_t BACnetTag::Decode(const uint8_t* buffer, uint16_t length) {
    BACnetStackOctetReader reader(buffer, length);
    uint8_t first = 0;
    if (!reader.ReadU8(first)) return 0;
    uint8_t number = static_cast<uint8_t>(first >> 4);
    const uint32_t cls = (first & 0x08) != 0 ? kContextClass : kApplicationClass;
    uint32_t lvt = first & 0x07u;
    if (number == kExtendedTagNumber && !reader.ReadU8(number)) return 0;
    if (lvt == kExtendedLength) {
        uint8_t marker = 0;
        if (!reader.ReadU8(marker)) return 0;
        if (marker == kLength16Marker) {
            uint16_t length16 = 0;
            if (!reader.ReadU16(length16)) return 0;
            lvt = length16;
        } else if (marker == kLength32Marker) {
            if (!reader.ReadU32(lvt)) return 0;
        } else {
            lvt = marker;
        }
    }
    tagNumber = number;
    tagClass = cls;
    lengthValueType = lvt;
    valid = true;
    bracket = cls == kContextClass && ((first & 0x07u) == kOpeningType || (first & 0x07u) == kClosingType);
    return static_cast<uint16_t>(reader.Position());
}

uint16_t BACnetTag::Encode(uint8_t* buffer, uint16_t room) const {
    if (buffer == nullptr || room == 0 || !valid) return 0;
    if (tagClass != kApplicationClass && tagClass != kContextClass) return 0;
    uint8_t header[kMaxHeaderSize];
    size_t size = 1;
    if (tagNumber < kExtendedTagNumber) {
        header[0] = static_cast<uint8_t>(tagNumber << 4);
    } else {
        header[0] = 0xF0;
        header[1] = tagNumber;
        size = 2;
    }
    if (tagClass == kContextClass) header[0] |= 0x08;
    if (IsOpeningOrClosing()) {
        header[0] |= static_cast<uint8_t>(lengthValueType);
    } else if (lengthValueType <= 4) {
        header[0] |= static_cast<uint8_t>(lengthValueType);
    } else {
        header[0] |= kExtendedLength;
        if (lengthValueType <= 253) {
            header[size++] = static_cast<uint8_t>(lengthValueType);
        } else if (lengthValueType <= 0xFFFF) {
            header[size++] = kLength16Marker;
            header[size++] = static_cast<uint8_t>(lengthValueType >> 8);
            header[size++] = static_cast<uint8_t>(lengthValueType);
        } else {
            header[size++] = kLength32Marker;
            for (int shift = 24; shift >= 0; shift -= 8) header[size++] = static_cast<uint8_t>(lengthValueType >> shift);
        }
    }
    BACnetStackOctetWriter writer(buffer, room);
    if (!writer.WriteBytes(header, size)) return 0;
    return static_cast<uint16_t>(size);
}

uint16_t BACnetTag::DecodeAndCheckOpeningTag(const uint8_t* buffer, uint16_t length, uint8_t expectedTagNumber) {
    return DecodeAndCheck(buffer, length, expectedTagNumber, kOpeningType,
                          "ZalvoBACnetStack::BACnetTag::DecodeAndCheckOpeningTag",
                          "Not an opening tag with the correct tag number=[%u]");
}

uint16_t BACnetTag::DecodeAndCheckClosingTag(const uint8_t* buffer, uint16_t length, uint8_t expectedTagNumber) {
    return DecodeAndCheck(buffer, length, expectedTagNumber, kClosingType,
                          "ZalvoBACnetStack::BACnetTag::DecodeAndCheckClosingTag",
                          "Not a closing tag with the correct tag number=[%u]");
}

uint16_t BACnetTag::DecodeAndCheck(const uint8_t* buffer, uint16_t length, uint8_t expectedTagNumber, uint32_t type,
                                   const char* operation, const char* mismatchMessage) {
    Reset();
    if (buffer == nullptr || length == 0) {
        StackErrorLog(operation, kSource, __LINE__, "Invalid prameters ");
        return 0;
    }
    const uint16_t used = Decode(buffer, length);
    if (used == 0) {
        StackErrorLog(operation, kSource, __LINE__, "Error Decoding tag ");
        valid = false;
        return 0;
    }
    if (!bracket || tagClass != kContextClass || lengthValueType != type || tagNumber != expectedTagNumber) {
        StackErrorLog(operation, kSource, __LINE__, mismatchMessage, unsigned{expectedTagNumber});
        valid = false;
        return 0;
    }
    return used;
}

}  // namespace ZalvoBACnetStack
