// Helpers shared by the test folders of the stack: octets from hex text and
// back, the XML of one value, decoding from an exact-size heap copy (so the
// sanitizer sees any read past the end), the captured error reports split
// into their parts, outcome matching, and the pieces of a round trip (wire
// octets -> value -> XML -> wire octets, the copy, every smaller room and
// every cut of the octets).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "core/bacneterroroutcome.h"
#include "core/bacnetobjectbase.h"
#include "core/icodable.h"
#include "core/stackerrorlog.h"
#include "render/irenderable.h"
#include "render/xmlrenderer.h"

namespace ZalvoBACnetStack::TestSupport {

using Octets = std::vector<uint8_t>;

// "81 0B 00 0C" -> {0x81, 0x0B, 0x00, 0x0C}; blanks are ignored.
inline Octets ParseHex(const std::string& text) {
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

// {0x81, 0x0B} -> "81 0B".
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

// The element tree of one value, without the document header.
inline std::string XmlOf(const IRenderable& value) {
    std::string text;
    XMLRenderer().Render(&value, text);
    return text;
}

// The same for any value class, also one known only as a codable (every
// value class is renderable as well).
template <class Value>
std::string Xml(const Value& value) {
    if constexpr (std::is_base_of_v<IRenderable, Value>) {
        return XmlOf(value);
    } else {
        const auto* renderable = dynamic_cast<const IRenderable*>(&value);
        EXPECT_NE(renderable, nullptr);
        return renderable != nullptr ? XmlOf(*renderable) : std::string();
    }
}

// Decodes from a heap copy of exactly `octets` (a null buffer when empty).
inline uint16_t DecodeExact(ICodable& value, const Octets& octets, BACnetErrorOutcome* outcome) {
    if (octets.empty()) return value.Decode(nullptr, 0, outcome);
    std::unique_ptr<uint8_t[]> copy(new uint8_t[octets.size()]);
    std::memcpy(copy.get(), octets.data(), octets.size());
    return value.Decode(copy.get(), static_cast<uint16_t>(octets.size()), outcome);
}

// One captured report, "::ZalvoBACnetStack::<operation>() in file:
// <source>(<line>) - <message>", split into its parts; the line number is
// not kept.
struct ReportParts {
    bool wellFormed;
    std::string line;       // the whole line
    std::string operation;  // "Class::Operation"
    std::string source;
    std::string message;
};

inline std::vector<ReportParts> SplitReports(const StackErrorLogCapture& log) {
    static const std::string kPrefix = "::ZalvoBACnetStack::";
    static const std::string kInFile = "() in file: ";
    std::vector<ReportParts> reports;
    const std::string& text = log.Text();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        ReportParts report{false, text.substr(start, end - start), {}, {}, {}};
        start = end + 1;
        const std::string& line = report.line;
        const size_t operationEnd = line.find(kInFile);
        const size_t sourceEnd =
            operationEnd == std::string::npos ? operationEnd : line.find('(', operationEnd + kInFile.size());
        const size_t separator = sourceEnd == std::string::npos ? sourceEnd : line.find(") - ", sourceEnd);
        if (line.rfind(kPrefix, 0) == 0 && separator != std::string::npos) {
            report.wellFormed = true;
            report.operation = line.substr(kPrefix.size(), operationEnd - kPrefix.size());
            report.source = line.substr(operationEnd + kInFile.size(), sourceEnd - operationEnd - kInFile.size());
            report.message = line.substr(separator + 4);
        }
        reports.push_back(std::move(report));
    }
    return reports;
}

// Each captured report as "Class::Operation|source|message" ("malformed:
// <line>" for a line that is not a report).
inline std::vector<std::string> ReportLines(const StackErrorLogCapture& log) {
    std::vector<std::string> lines;
    for (const ReportParts& report : SplitReports(log)) {
        lines.push_back(report.wellFormed ? report.operation + "|" + report.source + "|" + report.message
                                          : "malformed: " + report.line);
    }
    return lines;
}

// The outcome a failure must record.
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
    if (expected.set) {
        EXPECT_EQ(actual.kind, expected.kind);
        EXPECT_EQ(actual.value, expected.value);
    }
}

// `value` encodes to `octets` in a room of their size plus `spareRoom` (a
// character string wants one octet more than it writes), reporting nothing,
// recording no outcome and writing nothing past the room; in every smaller
// room it fails without writing past that room.
inline void ExpectEncodesTo(ICodable& value, const Octets& octets, size_t spareRoom) {
    StackErrorLogCapture log;
    const size_t room = octets.size() + spareRoom;
    Octets out(room + 1, 0xA5);
    BACnetErrorOutcome outcome;
    ASSERT_EQ(value.Encode(out.data(), static_cast<uint16_t>(room), &outcome), octets.size()) << log.Text();
    EXPECT_EQ(HexText(out.data(), octets.size()), HexText(octets));
    EXPECT_EQ(out[room], 0xA5);
    EXPECT_FALSE(outcome.set);
    EXPECT_EQ(log.Text(), "");
    for (size_t small = 0; small < room; ++small) {
        Octets cramped(small + 1, 0xA5);
        EXPECT_EQ(value.Encode(cramped.data(), static_cast<uint16_t>(small), nullptr), 0) << "room " << small;
        EXPECT_EQ(cramped[small], 0xA5) << "room " << small;
    }
}

// A copy of `value` compares equal both ways, has its datatype and context
// tag, and renders as `xml` after the original is gone. Returns the copy.
inline std::unique_ptr<ICodable> ExpectCopyOutlivesOriginal(std::unique_ptr<ICodable> value, const std::string& xml) {
    std::unique_ptr<ICodable> copy = value->Clone();
    EXPECT_NE(copy, nullptr);
    if (copy == nullptr) return nullptr;
    EXPECT_TRUE(copy->IsEqual(value.get()));
    EXPECT_TRUE(value->IsEqual(copy.get()));
    EXPECT_EQ(copy->GetDatatype(), value->GetDatatype());
    EXPECT_EQ(copy->GetContextTag(), value->GetContextTag());
    value.reset();
    EXPECT_EQ(Xml(*copy), xml);
    return copy;
}

// Every cut of `octets` (lengths `firstCut` to size - 1) decodes, in a
// buffer of exactly its length, into a fresh value made by `make` to 0 or to
// a count within the cut, and leaves the value valid only when it took
// octets; with `mustFail`, every cut decodes to 0.
template <class MakeValue>
void ExpectEveryCutStaysInside(const Octets& octets, MakeValue make, size_t firstCut = 0, bool mustFail = false) {
    StackErrorLogCapture quiet;
    for (size_t cut = firstCut; cut < octets.size(); ++cut) {
        auto value = make();
        const uint16_t used =
            DecodeExact(*value, Octets(octets.begin(), octets.begin() + static_cast<long>(cut)), nullptr);
        EXPECT_LE(used, cut) << "cut " << cut;
        if (mustFail) {
            EXPECT_EQ(used, 0) << "cut " << cut;
        }
        if (const auto* object = dynamic_cast<const BACnetObjectBase*>(value.get())) {
            EXPECT_EQ(object->IsValid(), used != 0) << "cut " << cut;
        }
    }
}

// Rows of encodes that must fail (fields: label, make, nullBuffer, room,
// reports, outcome): 0 octets, exactly `reports` as `format(log)` gives
// them, the outcome, nothing written past the room.
template <class Rows, class Format>
void CheckEncodeFailureRows(const Rows& rows, Format format) {
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        auto value = row.make();
        Octets out(static_cast<size_t>(row.room) + 1, 0xA5);
        StackErrorLogCapture log;
        BACnetErrorOutcome outcome;
        EXPECT_EQ(value->Encode(row.nullBuffer ? nullptr : out.data(), row.room, &outcome), 0);
        EXPECT_EQ(format(log), row.reports);
        ExpectOutcome(outcome, row.outcome);
        EXPECT_EQ(out[row.room], 0xA5);
    }
}

}  // namespace ZalvoBACnetStack::TestSupport
