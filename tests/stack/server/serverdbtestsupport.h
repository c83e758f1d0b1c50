// Helpers of the database tests: the octets a value encodes to, the bits
// set in a bit vector, and the properties an object holds in its map.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/bacnetabstractsyntaxtype.h"
#include "server/bacnetdbobject.h"
#include "support/stacktestsupport.h"

namespace ZalvoBACnetStack::TestSupport {

// The octets of every value in `holder`, one after the other ("" for none).
inline std::string HolderOctets(const BACnetAbstractSyntaxType& holder) {
    std::string text;
    for (size_t index = 0; index < holder.Size(); ++index) {
        uint8_t buffer[128] = {};
        ICodable* value = const_cast<ICodable*>(holder.At(index));
        const uint16_t written = value->Encode(buffer, sizeof buffer, nullptr);
        EXPECT_NE(written, 0) << "value " << index << " does not encode";
        if (!text.empty()) text += ' ';
        text += HexText(buffer, written);
    }
    return text;
}

// Application-tagged CharacterString octets of `text` in UTF-8.
inline std::string CharStringOctets(const std::string& text) {
    const size_t length = text.size() + 1;
    Octets octets;
    if (length <= 4) {
        octets.push_back(static_cast<uint8_t>(0x70 | length));
    } else {
        octets.push_back(0x75);
        octets.push_back(static_cast<uint8_t>(length));
    }
    octets.push_back(0x00);
    octets.insert(octets.end(), text.begin(), text.end());
    return HexText(octets);
}

inline std::vector<uint32_t> SetBits(const std::vector<bool>& bits) {
    std::vector<uint32_t> set;
    for (uint32_t index = 0; index < bits.size(); ++index) {
        if (bits[index]) set.push_back(index);
    }
    return set;
}

inline std::vector<uint32_t> MapProperties(const BACnetDBObject& object) {
    std::vector<uint32_t> properties;
    for (const auto& [property, record] : object.GetPropertyMap()) properties.push_back(property);
    return properties;
}

}  // namespace ZalvoBACnetStack::TestSupport
