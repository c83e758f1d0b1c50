// Copies of services that carry a NaN: a NaN is never equal, not even to
// itself, yet the copy of a value that holds one is a complete copy and
// must not be refused. Each row is a whole message; its packet is cloned
// and the clone must render exactly the original document.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/bacneterroroutcome.h"
#include "message/bacnetippacket.h"
#include "render/xmlrenderer.h"

namespace ZalvoBACnetStack {
namespace {

std::vector<uint8_t> Octets(const std::string& hex) {
    std::vector<uint8_t> octets;
    std::string digits;
    for (const char c : hex) {
        if (c != ' ') digits += c;
    }
    for (size_t i = 0; i + 1 < digits.size(); i += 2) {
        octets.push_back(static_cast<uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
    }
    return octets;
}

std::string Render(const IRenderable& value) {
    std::string text;
    XMLRenderer().Render(&value, text);
    return text;
}

struct NaNRow {
    const char* label;
    const char* octets;
    const char* serviceElement;
};

TEST(ValueCopies, ServicesHoldingANaNCloneCompletely) {
    const NaNRow rows[] = {
        {"unconfirmed COV notification, NaN with every bit set",
         "81 0B 00 21 01 00 10 02 09 12 1C 02 00 03 E9 2C 00 00 00 01 39 00 4E 09 55 2E 44 FF FF FF FE 2F 4F",
         "<UnconfirmedCOVNotificationRequest>"},
        {"confirmed COV notification",
         "81 0A 00 23 01 04 00 05 04 01 09 12 1C 02 00 03 E9 2C 00 00 00 01 39 00 4E 09 55 2E 44 7F C0 00 00 2F 4F",
         "<ConfirmedCOVNotificationRequest>"},
        {"ReadProperty ACK", "81 0A 00 17 01 00 30 01 0C 0C 00 00 00 01 19 55 3E 44 7F C0 00 00 3F",
         "<ReadPropertyACK>"},
        {"WriteProperty request", "81 0A 00 1A 01 04 02 05 01 0F 0C 00 80 00 01 19 55 3E 44 7F C0 00 00 3F 49 08",
         "<WritePropertyRequest>"},
        {"ReadPropertyMultiple ACK", "81 0A 00 19 01 00 30 01 0E 0C 00 00 00 01 1E 29 55 4E 44 7F C0 00 00 4F 1F",
         "<ReadPropertyMultipleACK>"},
        {"WritePropertyMultiple request",
         "81 0A 00 1A 01 04 02 05 01 10 0C 00 80 00 01 1E 09 55 2E 44 7F C0 00 00 2F 1F",
         "<WritePropertyMultipleRequest>"},
    };
    for (const NaNRow& row : rows) {
        SCOPED_TRACE(row.label);
        const std::vector<uint8_t> octets = Octets(row.octets);
        BACnetIPPacket packet;
        BACnetErrorOutcome outcome;
        ASSERT_EQ(packet.Decode(octets.data(), static_cast<uint16_t>(octets.size()), &outcome), octets.size());
        const std::string document = Render(packet);
        ASSERT_NE(document.find(row.serviceElement), std::string::npos) << document;
        ASSERT_NE(document.find(" value='nan'"), std::string::npos) << document;

        const std::unique_ptr<ICodable> clone = packet.Clone();
        ASSERT_NE(clone, nullptr);
        const auto* clonedPacket = dynamic_cast<const BACnetIPPacket*>(clone.get());
        ASSERT_NE(clonedPacket, nullptr);
        EXPECT_EQ(Render(*clonedPacket), document);
        ASSERT_NE(packet.GetAPDU(), nullptr);
        ASSERT_NE(clonedPacket->GetAPDU(), nullptr);
        EXPECT_EQ(Render(*clonedPacket->GetAPDU()), Render(*packet.GetAPDU()));
        // Equality itself keeps its rule: the NaN makes the two unequal.
        EXPECT_FALSE(clone->IsEqual(&packet));
    }
}

}  // namespace
}  // namespace ZalvoBACnetStack
