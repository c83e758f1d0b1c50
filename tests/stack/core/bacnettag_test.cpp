#include "core/bacnettag.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {

struct TagRow {
    const char* label;
    std::vector<uint8_t> octets;
    uint8_t number;
    uint32_t cls;
    uint32_t lvt;
};

const TagRow kTagRows[] = {
    {"application null", {0x00}, 0, 0, 0},
    {"application unsigned 1", {0x21}, 2, 0, 1},
    {"context 3 opening", {0x3E}, 3, 1, 6},
    {"context 3 closing", {0x3F}, 3, 1, 7},
    {"context 32 length 1", {0xF9, 0x20}, 32, 1, 1},
    {"extended number below 15", {0xF9, 0x02}, 2, 1, 1},
    {"extended tag opening", {0xFE, 0x40}, 64, 1, 6},
    {"application length 6", {0x65, 0x06}, 6, 0, 6},
    {"context data length 6", {0x3D, 0x06}, 3, 1, 6},
    {"context data length 7", {0x3D, 0x07}, 3, 1, 7},
    {"application length 253", {0x75, 0xFD}, 7, 0, 253},
    {"application length 300", {0x25, 0xFE, 0x01, 0x2C}, 2, 0, 300},
    {"application length 70000", {0x25, 0xFF, 0x00, 0x01, 0x11, 0x70}, 2, 0, 70000},
    {"extended number and length", {0xFD, 0x20, 0xFE, 0x12, 0x34}, 32, 1, 0x1234},
};

TEST(BACnetTag, DecodesAndReencodesEveryHeaderForm) {
    for (const TagRow& row : kTagRows) {
        SCOPED_TRACE(row.label);
        BACnetTag tag;
        ASSERT_EQ(tag.Decode(row.octets.data(), static_cast<uint16_t>(row.octets.size())), row.octets.size());
        EXPECT_TRUE(tag.valid);
        EXPECT_EQ(tag.tagNumber, row.number);
        EXPECT_EQ(tag.tagClass, row.cls);
        EXPECT_EQ(tag.lengthValueType, row.lvt);
        if (row.number < 15 && row.octets[0] >> 4 == 15) continue;  // non-canonical: re-encodes shorter
        std::vector<uint8_t> out(16, 0xAA);
        ASSERT_EQ(tag.Encode(out.data(), static_cast<uint16_t>(out.size())), row.octets.size());
        out.resize(row.octets.size());
        EXPECT_EQ(out, row.octets);
        // Every cut of the header fails and never reads past the cut.
        for (size_t cut = 0; cut < row.octets.size(); ++cut) {
            std::vector<uint8_t> shortCopy(row.octets.begin(), row.octets.begin() + static_cast<long>(cut));
            BACnetTag partial;
            EXPECT_EQ(partial.Decode(shortCopy.empty() ? nullptr : shortCopy.data(), static_cast<uint16_t>(cut)), 0);
        }
        // Every room too small for the header fails.
        for (size_t room = 0; room < row.octets.size(); ++room) {
            std::vector<uint8_t> small(room + 1, 0xAA);
            EXPECT_EQ(tag.Encode(small.data(), static_cast<uint16_t>(room)), 0);
            EXPECT_EQ(small[room], 0xAA);
        }
    }
}

TEST(BACnetTag, ContextDataOfLengthSixOrSevenIsNotABracket) {
    const uint8_t data6[] = {0x3D, 0x06};
    const uint8_t opening[] = {0x3E};
    BACnetTag tag;
    ASSERT_EQ(tag.Decode(data6, 2), 2);
    EXPECT_FALSE(tag.IsOpening());
    ASSERT_EQ(tag.Decode(opening, 1), 1);
    EXPECT_TRUE(tag.IsOpening());
    EXPECT_FALSE(BACnetTag::Context(3, 7).IsClosing());
    EXPECT_TRUE(BACnetTag::Closing(3).IsClosing());
    StackErrorLogCapture log;
    EXPECT_EQ(tag.DecodeAndCheckOpeningTag(data6, 2, 3), 0);
    EXPECT_EQ(log.Messages(), "Not an opening tag with the correct tag number=[3]\n");
}

TEST(BACnetTag, EncodeRefusesInvalidTagsAndUnknownClasses) {
    uint8_t out[8];
    BACnetTag tag;
    EXPECT_EQ(tag.Encode(out, sizeof out), 0);  // not valid
    tag = BACnetTag{1, 2, 1, true};
    EXPECT_EQ(tag.Encode(out, sizeof out), 0);  // class 2
    tag = BACnetTag::Application(2, 7);         // application length 7 is not a closing tag
    ASSERT_EQ(tag.Encode(out, sizeof out), 2);
    EXPECT_EQ(out[0], 0x25);
    EXPECT_EQ(out[1], 0x07);
}

TEST(BACnetTag, CheckingOperationsReportTheExpectedNumber) {
    const uint8_t opening3[] = {0x3E};
    const uint8_t application[] = {0x36};
    const uint8_t closing3[] = {0x3F};
    const uint8_t extended[] = {0xF0};
    BACnetTag tag;
    {
        StackErrorLogCapture log;
        EXPECT_EQ(tag.DecodeAndCheckOpeningTag(opening3, 1, 3), 1);
        EXPECT_EQ(tag.DecodeAndCheckClosingTag(closing3, 1, 3), 1);
        EXPECT_EQ(log.Text(), "");
    }
    struct Row {
        const uint8_t* octets;
        uint16_t length;
        bool opening;
        uint8_t expected;
        const char* message;
    } rows[] = {
        {opening3, 1, true, 4, "Not an opening tag with the correct tag number=[4]"},
        {application, 1, true, 3, "Not an opening tag with the correct tag number=[3]"},
        {opening3, 1, false, 3, "Not a closing tag with the correct tag number=[3]"},
        {extended, 1, true, 15, "Error Decoding tag "},
        {nullptr, 0, false, 1, "Invalid prameters "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        StackErrorLogCapture log;
        const uint16_t used = row.opening ? tag.DecodeAndCheckOpeningTag(row.octets, row.length, row.expected)
                                          : tag.DecodeAndCheckClosingTag(row.octets, row.length, row.expected);
        EXPECT_EQ(used, 0);
        EXPECT_FALSE(tag.valid);
        EXPECT_EQ(log.Messages(), std::string(row.message) + "\n");
        EXPECT_NE(log.Text().find(row.opening ? "::ZalvoBACnetStack::BACnetTag::DecodeAndCheckOpeningTag() in file: bacnettag("
                                              : "::ZalvoBACnetStack::BACnetTag::DecodeAndCheckClosingTag() in file: bacnettag("),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace ZalvoBACnetStack
