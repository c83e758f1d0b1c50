// Helpers shared by the message layer tests: octets from hex text, the XML
// of one value, and the cut-at-every-length check.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "core/icodable.h"
#include "core/stackerrorlog.h"
#include "render/xmlrenderer.h"

namespace ZalvoBACnetStack::MessageTest {

// "81 0B 00 0C" -> {0x81, 0x0B, 0x00, 0x0C}; blanks are ignored.
inline std::vector<uint8_t> Octets(const std::string& hex) {
    std::vector<uint8_t> octets;
    std::string digits;
    for (char c : hex) {
        if (c == ' ') continue;
        digits += c;
        if (digits.size() == 2) {
            octets.push_back(static_cast<uint8_t>(std::strtoul(digits.c_str(), nullptr, 16)));
            digits.clear();
        }
    }
    EXPECT_TRUE(digits.empty()) << "odd number of hex digits in " << hex;
    return octets;
}

inline std::string Hex(const uint8_t* octets, size_t count) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        if (i != 0) text += ' ';
        text += kDigits[octets[i] >> 4];
        text += kDigits[octets[i] & 0x0F];
    }
    return text;
}

inline std::string Hex(const std::vector<uint8_t>& octets) { return Hex(octets.data(), octets.size()); }

// The element tree of one value, without the document header.
inline std::string Xml(const IRenderable& value) {
    std::string text;
    XMLRenderer().Render(&value, text);
    return text;
}

inline constexpr const char* kDocumentHeader = "<!-- Zalvo BACnet Stack v3.3.2.0 -->";

// Decodes every cut of `octets` (lengths 1 to size - 1) into a fresh value
// made by `make`; each copy sits in a buffer of exactly its length so the
// sanitizer catches any read past the cut. The result must be 0 or a count
// within the cut.
template <class MakeValue>
void ExpectEveryCutStaysInside(const std::vector<uint8_t>& octets, MakeValue make) {
    StackErrorLogCapture quiet;
    for (size_t cut = 1; cut < octets.size(); ++cut) {
        std::unique_ptr<uint8_t[]> exact(new uint8_t[cut]);
        std::memcpy(exact.get(), octets.data(), cut);
        auto value = make();
        BACnetErrorOutcome outcome;
        const uint16_t used = value->Decode(exact.get(), static_cast<uint16_t>(cut), &outcome);
        EXPECT_LE(used, cut) << "cut at " << cut;
    }
}

// One expected report: operation (without the namespace), source file and
// message. The line number is not compared.
struct Report {
    std::string operation;
    std::string source;
    std::string message;
};

// The captured reports, each as "operation|source|message".
inline std::vector<std::string> ReportLines(const StackErrorLogCapture& log) {
    std::vector<std::string> lines;
    const std::string& text = log.Text();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        // "::<operation>() in file: <source>(<line>) - <message>"
        const size_t operationEnd = line.find("() in file: ");
        const size_t sourceEnd = line.find('(', operationEnd + 12);
        const size_t separator = line.find(") - ", sourceEnd);
        if (line.rfind("::ZalvoBACnetStack::", 0) != 0 || operationEnd == std::string::npos ||
            sourceEnd == std::string::npos || separator == std::string::npos) {
            lines.push_back("malformed: " + line);
            continue;
        }
        lines.push_back(line.substr(20, operationEnd - 20) + "|" +
                        line.substr(operationEnd + 12, sourceEnd - operationEnd - 12) + "|" +
                        line.substr(separator + 4));
    }
    return lines;
}

inline void ExpectReports(const StackErrorLogCapture& log, const std::vector<Report>& expected) {
    std::vector<std::string> wanted;
    for (const Report& report : expected) wanted.push_back(report.operation + "|" + report.source + "|" + report.message);
    EXPECT_EQ(ReportLines(log), wanted);
}

}  // namespace ZalvoBACnetStack::MessageTest
