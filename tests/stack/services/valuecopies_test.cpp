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
#include "services/bacnetpropertyvaluelist.h"
#include "support/stacktestsupport.h"

namespace ZalvoBACnetStack {
namespace {
using namespace TestSupport;

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
        const std::vector<uint8_t> octets = ParseHex(row.octets);
        BACnetIPPacket packet;
        BACnetErrorOutcome outcome;
        ASSERT_EQ(packet.Decode(octets.data(), static_cast<uint16_t>(octets.size()), &outcome), octets.size());
        const std::string document = Xml(packet);
        ASSERT_NE(document.find(row.serviceElement), std::string::npos) << document;
        ASSERT_NE(document.find(" value='nan'"), std::string::npos) << document;

        const std::unique_ptr<ICodable> clone = packet.Clone();
        ASSERT_NE(clone, nullptr);
        const auto* clonedPacket = dynamic_cast<const BACnetIPPacket*>(clone.get());
        ASSERT_NE(clonedPacket, nullptr);
        EXPECT_EQ(Xml(*clonedPacket), document);
        ASSERT_NE(packet.GetAPDU(), nullptr);
        ASSERT_NE(clonedPacket->GetAPDU(), nullptr);
        EXPECT_EQ(Xml(*clonedPacket->GetAPDU()), Xml(*packet.GetAPDU()));
        // Equality itself keeps its rule: the NaN makes the two unequal.
        EXPECT_FALSE(clone->IsEqual(&packet));
    }
}

TEST(ValueCopies, AListOfPropertyValuesHoldingANaNClonesCompletely) {
    // listOfValues [4]: present-value NaN, then description "AB".
    const std::vector<uint8_t> octets = ParseHex("4E 09 55 2E 44 7F C0 00 00 2F 09 1C 2E 73 00 41 42 2F 4F");
    BACnetPropertyValueList list;
    BACnetErrorOutcome outcome;
    ASSERT_EQ(list.DecodeWithContext(octets.data(), static_cast<uint16_t>(octets.size()), &outcome, 4),
              octets.size());
    ASSERT_EQ(list.Size(), 2u);

    const std::unique_ptr<ICodable> clone = list.Clone();
    ASSERT_NE(clone, nullptr);
    const auto* clonedList = dynamic_cast<const BACnetPropertyValueList*>(clone.get());
    ASSERT_NE(clonedList, nullptr);
    ASSERT_EQ(clonedList->Size(), 2u);
    for (size_t index = 0; index < 2; ++index) {
        EXPECT_EQ(Xml(clonedList->At(index)), Xml(list.At(index))) << index;
    }
    EXPECT_NE(Xml(list.At(0)).find(" value='nan'"), std::string::npos);
    EXPECT_FALSE(clone->IsEqual(&list));
}

TEST(ValueCopies, AListOfPropertyValuesTakesANaNValue) {
    // A COV notification's present-value NaN, built value by value rather
    // than decoded: the list takes it and encodes it back octet for octet.
    const std::vector<uint8_t> valueOctets = ParseHex("09 55 2E 44 7F C0 00 00 2F");
    BACnetPropertyValue value;
    BACnetErrorOutcome outcome;
    ASSERT_EQ(value.Decode(valueOctets.data(), static_cast<uint16_t>(valueOctets.size()), &outcome),
              valueOctets.size());

    BACnetPropertyValueList list;
    StackErrorLogCapture log;
    ASSERT_TRUE(list.Add(value));
    EXPECT_EQ(log.Text(), "");
    ASSERT_EQ(list.Size(), 1u);
    EXPECT_TRUE(list.IsValid());

    uint8_t encoded[32] = {};
    const uint16_t size = list.EncodeWithContext(encoded, sizeof encoded, &outcome, 4);
    EXPECT_EQ(std::vector<uint8_t>(encoded, encoded + size),
              ParseHex("4E 09 55 2E 44 7F C0 00 00 2F 4F"));
}

}  // namespace
}  // namespace ZalvoBACnetStack
