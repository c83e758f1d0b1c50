// Decode -> encode -> decode on whatever decodes.
//
// Promises checked for every payload that decodes as a BACnet/IP packet:
// - the decode used no more octets than it was given;
// - a clone is equal to the packet (both ways, unless it holds a NaN) and
//   renders the same text;
// - the packet encodes (unless it holds a part that is known not to), again to the same octets when given one octet of
//   room to spare, and never into less room than its size (nothing is
//   written past the room);
// - the encoded octets decode completely, to a packet that renders the same
//   document as the first (less the parts that are known not to be sent);
// - encoding that second packet gives the same octets again.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "core/bacneterroroutcome.h"
#include "fuzzsupport.h"
#include "message/bacnetippacket.h"
#include "render/xmlrenderer.h"

using namespace TarnwickFuzz;
using namespace ZalvoBACnetStack;

namespace {

std::string Render(const IRenderable& value) {
    std::string text;
    const XMLRenderer renderer;
    renderer.WriteHeader(text);
    renderer.Render(&value, text);
    return text;
}

// The decoded packets that are known not to encode, each recognised by a
// mark in its document: a value of a datatype the stack does not know (kept
// as raw octets, which are never encoded), a Who-Is whose range failed to
// decode (accepted without a request), a source specifier with an address
// length of 0 (accepted on receipt, refused on sending), and an empty list
// inside context tags (its empty encoding counts as a failure).
bool EncodeRefusalIsExpected(const std::string& document) {
    static const char* const kMarks[] = {
        "<UnknownAPDU",
        "<UnconfirmedRequestPDU serviceChoice='whoIs' />",
        "<SourceAddress length='0' />",
        " count='0' />",
    };
    for (const char* mark : kMarks) {
        if (document.find(mark) != std::string::npos) return true;
    }
    return false;
}

// The document a packet is expected to render after its encoding was
// decoded again, when that differs from the first: private-transfer
// parameters that are present but empty are not written, so they are gone.
std::string DocumentAfterRoundTrip(std::string document) {
    static const std::string kEmptyParameters = "<AbstractSyntaxtType /></UnconfirmedPrivateTransferRequest>";
    for (size_t at = document.find(kEmptyParameters); at != std::string::npos;
         at = document.find(kEmptyParameters, at)) {
        document.erase(at, kEmptyParameters.size() - std::strlen("</UnconfirmedPrivateTransferRequest>"));
    }
    return document;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SilenceStackErrorLog();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxPayload) return 0;
    const uint16_t length = static_cast<uint16_t>(size);

    BACnetIPPacket first;
    BACnetErrorOutcome outcome;
    const uint16_t used = first.Decode(data, length, &outcome);
    if (used == 0) return 0;
    FUZZ_CHECK(used <= length, "the decode used more octets than it was given");
    const std::string document = Render(first);

    {
        const std::unique_ptr<ICodable> clone = first.Clone();
        FUZZ_CHECK(clone != nullptr, "a decoded packet did not clone");
        // A NaN is never equal to anything, itself included.
        const bool holdsNaN = document.find(" value='nan'") != std::string::npos ||
                              document.find(" value='-nan'") != std::string::npos;
        FUZZ_CHECK(holdsNaN || (clone->IsEqual(&first) && first.IsEqual(clone.get())),
                   "a clone is not equal to its original");
        const auto* clonedPacket = dynamic_cast<const BACnetIPPacket*>(clone.get());
        FUZZ_CHECK(clonedPacket != nullptr, "a packet cloned to another class");
        FUZZ_CHECK(Render(*clonedPacket) == document, "a clone renders another document");
    }

    static uint8_t encoded[kMaxPayload];
    BACnetErrorOutcome encodeOutcome;
    const uint16_t encodedLength = first.Encode(encoded, static_cast<uint16_t>(sizeof encoded), &encodeOutcome);
    if (encodedLength == 0) {
        FUZZ_CHECK(EncodeRefusalIsExpected(document), "a decoded packet did not encode");
        return 0;
    }

    // Rooms around the encoding's size, each in a heap block of exactly that
    // size so that a write past the room is caught. The string encoders
    // refuse an exact fit, so the exact room may fail; one octet more must
    // succeed, one octet less must fail.
    for (const int slack : {1, 0, -1}) {
        const int room = int{encodedLength} + slack;
        if (room <= 0 || room > int{UINT16_MAX}) continue;
        std::unique_ptr<uint8_t[]> block(new uint8_t[static_cast<size_t>(room)]);
        const uint16_t written = first.Encode(block.get(), static_cast<uint16_t>(room), &encodeOutcome);
        if (slack < 0) {
            FUZZ_CHECK(written == 0, "an encoding larger than its room was reported as written");
            continue;
        }
        FUZZ_CHECK(slack == 0 || written == encodedLength, "the encoding failed with an octet to spare");
        FUZZ_CHECK(written == 0 || (written == encodedLength && std::memcmp(block.get(), encoded, encodedLength) == 0),
                   "the same packet encoded to other octets");
    }

    BACnetIPPacket second;
    BACnetErrorOutcome secondOutcome;
    const std::unique_ptr<uint8_t[]> copy(new uint8_t[encodedLength]);
    std::memcpy(copy.get(), encoded, encodedLength);
    FUZZ_CHECK(second.Decode(copy.get(), encodedLength, &secondOutcome) == encodedLength,
               "the encoded packet does not decode completely");
    const std::string secondDocument = Render(second);
    FUZZ_CHECK(secondDocument == document || secondDocument == DocumentAfterRoundTrip(document),
               "the encoded packet renders another document");

    static uint8_t again[kMaxPayload];
    const uint16_t againLength = second.Encode(again, static_cast<uint16_t>(sizeof again), &secondOutcome);
    FUZZ_CHECK(againLength == encodedLength && std::memcmp(again, encoded, encodedLength) == 0,
               "encoding the decoded encoding gives other octets");
    return 0;
}
