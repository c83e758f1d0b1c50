// Helpers for the tests of the common constructed types and the
// ReadProperty/ReadPropertyMultiple services: octets from hex text, the XML
// of one value, exact-size decoding (so the sanitizer sees any read past the
// end), reports as "Class::Operation: message" lines, and the round trip
// wire -> XML -> wire.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/bacnetobjectbase.h"
#include "core/stackerrorlog.h"
#include "render/xmlrenderer.h"

namespace ZalvoBACnetStack::ReadServicesTest {

using Octets = std::vector<uint8_t>;

// "0C 02 00" -> {0x0C, 0x02, 0x00}; blanks are ignored.
inline Octets Hex(const std::string& text) {
    Octets octets;
    std::string digits;
    for (char c : text) {
        if (c == ' ') continue;
        digits += c;
        if (digits.size() == 2) {
            octets.push_back(static_cast<uint8_t>(std::strtoul(digits.c_str(), nullptr, 16)));
            digits.clear();
        }
    }
    EXPECT_TRUE(digits.empty()) << "odd number of hex digits in " << text;
    return octets;
}

inline std::string HexText(const uint8_t* octets, size_t count) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        if (i != 0) text += ' ';
        text += kDigits[octets[i] >> 4];
        text += kDigits[octets[i] & 0x0F];
    }
    return text;
}
inline std::string HexText(const Octets& octets) { return HexText(octets.data(), octets.size()); }

inline std::string Xml(const IRenderable& value) {
    std::string out;
    XMLRenderer().Render(&value, out);
    return out;
}

// Decodes from a heap copy of exactly `octets` (a null buffer when empty).
inline uint16_t DecodeExact(ICodable& value, const Octets& octets, BACnetErrorOutcome* outcome) {
    if (octets.empty()) return value.Decode(nullptr, 0, outcome);
    std::unique_ptr<uint8_t[]> copy(new uint8_t[octets.size()]);
    std::memcpy(copy.get(), octets.data(), octets.size());
    return value.Decode(copy.get(), static_cast<uint16_t>(octets.size()), outcome);
}

// The captured reports as "Class::Operation: message" lines (namespace
// dropped). Each line's source file must be the lower-case class name.
inline std::vector<std::string> Reports(const StackErrorLogCapture& log) {
    std::vector<std::string> lines;
    const std::string& text = log.Text();
    const std::string kPrefix = "::ZalvoBACnetStack::";
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const size_t inFile = line.find("() in file: ");
        const size_t open = line.find('(', inFile + 12);
        const size_t dash = line.find(") - ", open);
        if (line.compare(0, kPrefix.size(), kPrefix) != 0 || inFile == std::string::npos ||
            open == std::string::npos || dash == std::string::npos) {
            ADD_FAILURE() << "malformed report: " << line;
            lines.push_back(line);
            continue;
        }
        const std::string operation = line.substr(kPrefix.size(), inFile - kPrefix.size());
        const std::string source = line.substr(inFile + 12, open - inFile - 12);
        std::string className = operation.substr(0, operation.find("::"));
        className = className.substr(0, className.find('<'));
        std::string lower = className;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        EXPECT_EQ(source, lower) << line;
        lines.push_back(operation + ": " + line.substr(dash + 4));
    }
    return lines;
}

struct Outcome {
    bool set;
    uint32_t kind;
    uint32_t value;
};
inline constexpr Outcome kNoOutcome{false, 0, 0};
inline constexpr Outcome Reject(uint32_t reason) { return {true, BACnetErrorOutcome::kReject, reason}; }
inline constexpr Outcome Abort(uint32_t reason) { return {true, BACnetErrorOutcome::kAbort, reason}; }

inline void ExpectOutcome(const BACnetErrorOutcome& actual, const Outcome& expected) {
    EXPECT_EQ(actual.set, expected.set);
    if (expected.set && actual.set) {
        EXPECT_EQ(actual.kind, expected.kind);
        EXPECT_EQ(actual.value, expected.value);
    }
}

using Maker = std::function<std::unique_ptr<BACnetObjectBase>()>;

template <class T>
Maker Make() {
    return [] { return std::unique_ptr<BACnetObjectBase>(std::make_unique<T>()); };
}

// Octets that decode completely, render as `xml`, re-encode to the same
// octets (in a room of size + `spareRoom`, failing cleanly in any smaller
// room), clone into an equal copy, and fail or stay inside every cut.
// `decodeReports` are what the decode reports on the way (a list probing
// its closing tag as one more element, for one).
inline void CheckRoundTrip(const Maker& make, const Octets& octets, const std::string& xml, size_t spareRoom = 0,
                           const std::vector<std::string>& decodeReports = {}) {
    std::unique_ptr<BACnetObjectBase> value = make();
    StackErrorLogCapture log;
    BACnetErrorOutcome outcome;
    ASSERT_EQ(DecodeExact(*value, octets, &outcome), octets.size()) << log.Text();
    EXPECT_TRUE(value->IsValid());
    EXPECT_EQ(Xml(*value), xml);
    EXPECT_EQ(Reports(log), decodeReports);
    log.Clear();

    const size_t room = octets.size() + spareRoom;
    Octets out(room + 1, 0xA5);
    BACnetErrorOutcome encodeOutcome;
    ASSERT_EQ(value->Encode(out.data(), static_cast<uint16_t>(room), &encodeOutcome), octets.size()) << log.Text();
    EXPECT_EQ(HexText(out.data(), octets.size()), HexText(octets));
    EXPECT_EQ(out[room], 0xA5);
    EXPECT_FALSE(encodeOutcome.set);
    EXPECT_EQ(log.Text(), "");
    for (size_t small = 0; small < room; ++small) {
        Octets cramped(small + 1, 0xA5);
        EXPECT_EQ(value->Encode(cramped.data(), static_cast<uint16_t>(small), nullptr), 0) << "room " << small;
        EXPECT_EQ(cramped[small], 0xA5) << "room " << small;
    }

    std::unique_ptr<ICodable> clone = value->Clone();
    ASSERT_NE(clone, nullptr);
    EXPECT_TRUE(clone->IsEqual(value.get()));
    EXPECT_TRUE(value->IsEqual(clone.get()));
    EXPECT_EQ(clone->GetDatatype(), value->GetDatatype());
    value.reset();
    EXPECT_EQ(Xml(*dynamic_cast<const IRenderable*>(clone.get())), xml);

    StackErrorLogCapture quiet;
    for (size_t cut = 0; cut < octets.size(); ++cut) {
        std::unique_ptr<BACnetObjectBase> partial = make();
        const uint16_t used =
            DecodeExact(*partial, Octets(octets.begin(), octets.begin() + static_cast<long>(cut)), nullptr);
        EXPECT_LE(used, cut) << "cut " << cut;
        EXPECT_EQ(partial->IsValid(), used != 0) << "cut " << cut;
    }
}

struct FailureRow {
    const char* label;
    Maker make;
    Octets octets;  // empty: a null buffer
    std::vector<std::string> reports;
    Outcome outcome;
};

// Each row fails to decode with exactly these reports and this outcome, and
// leaves the value not valid.
inline void CheckDecodeFailures(const std::vector<FailureRow>& rows) {
    for (const FailureRow& row : rows) {
        SCOPED_TRACE(row.label);
        std::unique_ptr<BACnetObjectBase> value = row.make();
        StackErrorLogCapture log;
        BACnetErrorOutcome outcome;
        EXPECT_EQ(DecodeExact(*value, row.octets, &outcome), 0);
        EXPECT_FALSE(value->IsValid());
        EXPECT_EQ(Reports(log), row.reports);
        ExpectOutcome(outcome, row.outcome);
    }
}

}  // namespace ZalvoBACnetStack::ReadServicesTest
