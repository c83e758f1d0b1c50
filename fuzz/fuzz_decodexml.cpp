// BACnetStack_DecodeAsXML on arbitrary payloads, the way the driver calls it
// and with the buffer sizes where off-by-one faults hide: the full driver
// buffer, a buffer of exactly the text's size and one octet less; a payload
// that fails to decode is also given a small buffer chosen by the input.
//
// Promises checked: a decoded payload gives a text that starts with the
// header comment and the BACnetPacket root; the same payload always gives
// the same text; a buffer too small gives 0 and is left untouched, and so
// is any buffer when the payload does not decode; no read or write strays
// outside the buffers (AddressSanitizer).
//
// Every call decodes and renders the whole payload again, so each one here
// proves something the others do not: a buffer between the exact size and
// the driver's would only repeat the exact one, a smaller one the one that
// is one octet short. A null buffer is a unit test's case.
#include <cstring>
#include <memory>

#include "bacnetstack.h"
#include "fuzzsupport.h"

using namespace TarnwickFuzz;

namespace {

constexpr char kHeader[] = "<!-- Zalvo BACnet Stack v3.3.2.0 --><BACnetPacket ";
constexpr uint8_t kUntouched = 0xA5;

// A heap buffer of exactly `size` octets, filled with the marker, so that
// AddressSanitizer catches a single octet written past it.
std::unique_ptr<char[]> MarkedBuffer(size_t size) {
    std::unique_ptr<char[]> buffer(new char[size == 0 ? 1 : size]);
    std::memset(buffer.get(), kUntouched, size == 0 ? 1 : size);
    return buffer;
}

bool IsUntouched(const char* buffer, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        if (static_cast<uint8_t>(buffer[i]) != kUntouched) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceStackErrorLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxPayload) return 0;
    const uint16_t length = static_cast<uint16_t>(size);
    // libFuzzer's data is a heap block of exactly `size` octets, so a read
    // past the payload is caught as it is.
    static char driverBuffer[kXmlBufferSize];
    const uint32_t textLength = BACnetStack_DecodeAsXML(data, length, driverBuffer, kXmlBufferSize);
    FUZZ_CHECK(textLength <= kXmlBufferSize, "the text length exceeds the buffer size");

    if (textLength == 0) {
        // A small buffer picked by the input: 1 to 256 octets.
        const size_t smallSize = size == 0 ? 1 : static_cast<size_t>(data[size - 1]) + 1;
        std::unique_ptr<char[]> small = MarkedBuffer(smallSize);
        FUZZ_CHECK(BACnetStack_DecodeAsXML(data, length, small.get(), static_cast<uint32_t>(smallSize)) == 0,
                   "a payload that fails to decode decoded into a small buffer");
        FUZZ_CHECK(IsUntouched(small.get(), smallSize), "a failed decode wrote into the buffer");
        return 0;
    }

    FUZZ_CHECK(textLength >= sizeof kHeader - 1 && std::memcmp(driverBuffer, kHeader, sizeof kHeader - 1) == 0,
               "the text does not start with the header comment and the root element");
    FUZZ_CHECK(std::memcmp(driverBuffer + textLength - 15, "</BACnetPacket>", 15) == 0 ||
                   std::memcmp(driverBuffer + textLength - 2, "/>", 2) == 0,
               "the text does not end with the root element");

    std::unique_ptr<char[]> exact = MarkedBuffer(textLength);
    FUZZ_CHECK(BACnetStack_DecodeAsXML(data, length, exact.get(), textLength) == textLength,
               "a buffer of exactly the text's size was refused");
    FUZZ_CHECK(std::memcmp(exact.get(), driverBuffer, textLength) == 0, "a second decode gave a different text");

    std::unique_ptr<char[]> shortByOne = MarkedBuffer(textLength - 1);
    FUZZ_CHECK(BACnetStack_DecodeAsXML(data, length, shortByOne.get(), textLength - 1) == 0,
               "a buffer one octet short was reported as filled");
    FUZZ_CHECK(IsUntouched(shortByOne.get(), textLength - 1), "a buffer one octet short was written into");
    return 0;
}
