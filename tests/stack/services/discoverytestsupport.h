// Helpers for the error, discovery and time service tests: octets from hex
// text, the XML of one value, exact-size decoding (so the sanitizer sees any
// read past the end), report and outcome matching, and the golden-vector
// round trip.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/icodable.h"
#include "core/stackerrorlog.h"
#include "render/irenderable.h"
#include "render/xmlrenderer.h"

namespace ZalvoBACnetStack::DiscoveryTest {

using Octets = std::vector<uint8_t>;

// "91 02 91 20" -> {0x91, 0x02, 0x91, 0x20}; blanks are ignored.
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

inline std::string ToHex(const uint8_t* octets, size_t count) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        if (i != 0) text += ' ';
        text += kDigits[octets[i] >> 4];
        text += kDigits[octets[i] & 0x0F];
    }
    return text;
}
inline std::string ToHex(const Octets& octets) { return ToHex(octets.data(), octets.size()); }

inline std::string Xml(const ICodable& value) {
    const auto* renderable = dynamic_cast<const IRenderable*>(&value);
    EXPECT_NE(renderable, nullptr);
    std::string out;
    if (renderable != nullptr) XMLRenderer().Render(renderable, out);
    return out;
}

// Decodes from a heap copy of exactly `octets` (a null buffer when empty).
inline uint16_t DecodeExact(ICodable& value, const Octets& octets, BACnetErrorOutcome* outcome) {
    if (octets.empty()) return value.Decode(nullptr, 0, outcome);
    std::unique_ptr<uint8_t[]> copy(new uint8_t[octets.size()]);
    std::copy(octets.begin(), octets.end(), copy.get());
    return value.Decode(copy.get(), static_cast<uint16_t>(octets.size()), outcome);
}

// Each captured report as "Class::Operation|source|message".
inline std::vector<std::string> Reports(const StackErrorLogCapture& log) {
    std::vector<std::string> lines;
    const std::string& text = log.Text();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        static const std::string kPrefix = "::ZalvoBACnetStack::";
        const size_t operationEnd = line.find("() in file: ");
        const size_t sourceEnd = operationEnd == std::string::npos ? operationEnd : line.find('(', operationEnd + 12);
        const size_t separator = sourceEnd == std::string::npos ? sourceEnd : line.find(") - ", sourceEnd);
        if (line.rfind(kPrefix, 0) != 0 || separator == std::string::npos) {
            lines.push_back("malformed: " + line);
            continue;
        }
        lines.push_back(line.substr(kPrefix.size(), operationEnd - kPrefix.size()) + "|" +
                        line.substr(operationEnd + 12, sourceEnd - operationEnd - 12) + "|" +
                        line.substr(separator + 4));
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

using Maker = std::function<std::unique_ptr<ICodable>()>;

template <class T>
Maker Make() {
    return [] { return std::unique_ptr<ICodable>(std::make_unique<T>()); };
}

// A golden vector: `octets` decode completely into a value made by `make`,
// render as `xml`, re-encode to the same octets in their room plus
// `spareRoom` (a character string wants one octet more than it writes), fail
// without writing past any smaller room, clone equal, and every cut decodes
// to 0 or to a count within the cut.
inline void CheckGolden(const Maker& make, const Octets& octets, const std::string& xml, size_t spareRoom = 0) {
    std::unique_ptr<ICodable> value = make();
    ASSERT_NE(value, nullptr);
    {
        StackErrorLogCapture log;
        BACnetErrorOutcome outcome;
        ASSERT_EQ(DecodeExact(*value, octets, &outcome), octets.size()) << log.Text();
        EXPECT_FALSE(outcome.set);
    }
    EXPECT_EQ(Xml(*value), xml);

    {
        StackErrorLogCapture log;
        const size_t minimumRoom = octets.size() + spareRoom;
        Octets out(minimumRoom + 1, 0xA5);
        BACnetErrorOutcome outcome;
        ASSERT_EQ(value->Encode(out.data(), static_cast<uint16_t>(minimumRoom), &outcome), octets.size())
            << log.Text();
        EXPECT_EQ(ToHex(out.data(), octets.size()), ToHex(octets));
        EXPECT_EQ(out[minimumRoom], 0xA5);
        EXPECT_EQ(log.Text(), "");
        for (size_t room = 1; room < minimumRoom; ++room) {
            Octets small(room + 1, 0xA5);
            EXPECT_EQ(value->Encode(small.data(), static_cast<uint16_t>(room), nullptr), 0) << "room " << room;
            EXPECT_EQ(small[room], 0xA5) << "room " << room;
        }
    }

    std::unique_ptr<ICodable> clone = value->Clone();
    ASSERT_NE(clone, nullptr);
    EXPECT_TRUE(clone->IsEqual(value.get()));
    EXPECT_TRUE(value->IsEqual(clone.get()));
    value.reset();
    EXPECT_EQ(Xml(*clone), xml);
    clone->Reset();
    std::unique_ptr<ICodable> fresh = make();
    EXPECT_TRUE(clone->IsEqual(fresh.get()));

    StackErrorLogCapture quiet;
    for (size_t cut = 1; cut < octets.size(); ++cut) {
        std::unique_ptr<ICodable> partial = make();
        const uint16_t used = DecodeExact(*partial, Octets(octets.begin(), octets.begin() + static_cast<long>(cut)),
                                          nullptr);
        EXPECT_LE(used, cut) << "cut " << cut;
    }
}

// A decode that must fail (or, with `consumed` set, succeed) with exactly
// these reports and this outcome.
struct DecodeRow {
    const char* label;
    Maker make;
    Octets octets;  // empty: a null buffer
    std::vector<std::string> reports;
    Outcome outcome;
    uint16_t consumed = 0;
};

inline void CheckDecodeRows(const std::vector<DecodeRow>& rows) {
    for (const DecodeRow& row : rows) {
        SCOPED_TRACE(row.label);
        std::unique_ptr<ICodable> value = row.make();
        StackErrorLogCapture log;
        BACnetErrorOutcome outcome;
        EXPECT_EQ(DecodeExact(*value, row.octets, &outcome), row.consumed);
        EXPECT_EQ(Reports(log), row.reports);
        ExpectOutcome(outcome, row.outcome);
        if (row.consumed == 0) {
            std::unique_ptr<ICodable> fresh = row.make();
            EXPECT_TRUE(value->IsEqual(fresh.get())) << "a failed decode leaves the value empty";
        }
    }
}

// An encode that must fail with exactly these reports and this outcome,
// writing nothing past `room`.
struct EncodeRow {
    const char* label;
    Maker make;  // the value to encode
    bool nullBuffer;
    uint16_t room;
    std::vector<std::string> reports;
    Outcome outcome;
};

inline void CheckEncodeRows(const std::vector<EncodeRow>& rows) {
    for (const EncodeRow& row : rows) {
        SCOPED_TRACE(row.label);
        std::unique_ptr<ICodable> value = row.make();
        Octets out(static_cast<size_t>(row.room) + 1, 0xA5);
        StackErrorLogCapture log;
        BACnetErrorOutcome outcome;
        EXPECT_EQ(value->Encode(row.nullBuffer ? nullptr : out.data(), row.room, &outcome), 0);
        EXPECT_EQ(Reports(log), row.reports);
        ExpectOutcome(outcome, row.outcome);
        EXPECT_EQ(out[row.room], 0xA5);
    }
}

}  // namespace ZalvoBACnetStack::DiscoveryTest
