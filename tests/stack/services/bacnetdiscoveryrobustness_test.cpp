// Hostile input for the error, discovery and time classes: random octets,
// biased towards the tags these classes read, never make a decode claim
// more octets than it was given, and whatever does decode encodes again
// into octets that decode to an equal value (in the shortest tag forms, so
// not always the octets it came from).
#include <gtest/gtest.h>

#include <random>

#include "discoverytestsupport.h"
#include "services/bacnetchangelisterror.h"
#include "services/bacnetconfirmedprivatetransfererror.h"
#include "services/bacnetcreateobjecterror.h"
#include "services/bacneterror.h"
#include "services/bacneterrorbase.h"
#include "services/bacnetfirstfailedsubscription.h"
#include "services/bacnetiamrequest.h"
#include "services/bacnetihaverequest.h"
#include "services/bacnetsubscribecovpropertymultipleerror.h"
#include "services/bacnettimesynchronizationrequest.h"
#include "services/bacnetunconfirmedprivatetransferrequest.h"
#include "services/bacnetutctimesynchronizationrequest.h"
#include "services/bacnetvtcloseerror.h"
#include "services/bacnetwhohasrequest.h"
#include "services/bacnetwhoisrequest.h"
#include "services/bacnetwritepropertymultipleerror.h"

namespace ZalvoBACnetStack::DiscoveryTest {
namespace {

// Octets that are tag headers of these classes, so that random buffers get
// past the first member often enough to reach the later ones.
const uint8_t kTagOctets[] = {0x09, 0x0A, 0x0C, 0x0E, 0x0F, 0x19, 0x1A, 0x1E, 0x1F, 0x21, 0x22, 0x29,
                              0x2C, 0x2E, 0x2F, 0x3D, 0x3E, 0x3F, 0x75, 0x91, 0x92, 0xA4, 0xB4, 0xC4};

Octets RandomBuffer(std::mt19937& random, const Octets& seed) {
    Octets octets = seed;
    std::uniform_int_distribution<int> choice(0, 9);
    std::uniform_int_distribution<int> anyOctet(0, 255);
    std::uniform_int_distribution<size_t> tagIndex(0, sizeof kTagOctets - 1);
    // Mutate some octets of a valid message, then maybe cut or extend it.
    for (uint8_t& octet : octets) {
        const int roll = choice(random);
        if (roll == 0) octet = static_cast<uint8_t>(anyOctet(random));
        if (roll == 1) octet = kTagOctets[tagIndex(random)];
    }
    const int shape = choice(random);
    if (shape < 3 && !octets.empty()) octets.resize(std::uniform_int_distribution<size_t>(1, octets.size())(random));
    if (shape == 3) octets.push_back(kTagOctets[tagIndex(random)]);
    return octets;
}

TEST(BACnetDiscoveryRobustnessTest, RandomOctetsStayInsideAndRoundTrip) {
    struct Row {
        const char* label;
        Maker make;
        const char* seed;
        bool sameAfterRoundTrip;  // false where a decoded part is dropped on encoding
        // Values of any datatype may hold raw context-tagged data, which is
        // kept for display but never encoded.
        bool mayRefuseEncoding = false;
    };
    const std::vector<Row> rows = {
        {"error", Make<BACnetError>(), "91 02 91 20", true},
        {"error base", Make<BACnetErrorBase>(), "91 02 91 20", true},
        {"change list", Make<BACnetChangeListError>(), "0E 91 02 91 20 0F 19 03", true},
        {"create object", Make<BACnetCreateObjectError>(), "0E 91 05 91 07 0F 19 01", true},
        {"write property multiple", Make<BACnetWritePropertyMultipleError>(),
         "0E 91 02 91 2A 0F 1E 0C 02 00 00 05 19 57 29 10 1F", true},
        {"subscribe COV property multiple", Make<BACnetSubscribeCOVPropertyMultipleError>(),
         "1E 0C 00 00 00 01 1E 09 55 1F 2E 91 02 91 2C 2F 1F", true},
        {"first failed subscription", Make<BACnetFirstFailedSubscription>(),
         "0C 00 00 00 01 1E 09 55 19 02 1F 2E 91 02 91 2C 2F", true},
        {"confirmed private transfer", Make<BACnetConfirmedPrivateTransferError>(),
         "0E 91 05 91 00 0F 19 07 29 02 3E 21 05 0E 22 01 00 0F 3F", true, true},
        {"vt-close", Make<BACnetVTCloseError>(), "0E 91 06 91 23 0F 1E 21 01 21 02 1F", true},
        {"who-is", Make<BACnetWhoIsRequest>(), "09 00 1A 0F FF", true},
        {"who-has", Make<BACnetWhoHasRequest>(), "09 00 1A 0F FF 3D 05 00 41 42 43 44", true},
        {"i-am", Make<BACnetIAmRequest>(), "C4 02 00 00 08 22 01 E0 91 00 22 03 E7", true},
        {"i-have", Make<BACnetIHaveRequest>(), "C4 02 00 00 3D C4 02 00 00 3D 75 04 00 53 59 4E", true},
        {"time synchronization", Make<BACnetTimeSynchronizationRequest>(), "A4 7A 0C 04 07 B4 0C 1E 00 00", true},
        {"utc time synchronization", Make<BACnetUTCTimeSynchronizationRequest>(), "A4 7A 0C 04 07 B4 0C 1E 00 00",
         true},
        // Empty parameters ("2E 2F") decode but are not written back.
        {"private transfer", Make<BACnetUnconfirmedPrivateTransferRequest>(), "0A 03 E7 19 01 2E 11 21 07 2F", false, true},
    };
    std::mt19937 random(20240305);
    StackErrorLogCapture quiet;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const Octets seed = ParseHex(row.seed);
        size_t decoded = 0;
        for (int attempt = 0; attempt < 3000; ++attempt) {
            quiet.Clear();
            const Octets octets = RandomBuffer(random, seed);
            std::unique_ptr<ICodable> value = row.make();
            BACnetErrorOutcome outcome;
            const uint16_t used = DecodeExact(*value, octets, &outcome);
            ASSERT_LE(used, octets.size()) << HexText(octets);
            if (used == 0) continue;
            ++decoded;
            Octets out(octets.size() + 8, 0);
            const uint16_t written = value->Encode(out.data(), static_cast<uint16_t>(out.size()), nullptr);
            if (written == 0 && row.mayRefuseEncoding && quiet.HasMessage("PANIC - attempted to Encode an UnknownAPDU object")) {
                quiet.Clear();
                continue;
            }
            ASSERT_NE(written, 0) << "decoded but not encodable: " << HexText(octets);
            std::unique_ptr<ICodable> again = row.make();
            ASSERT_EQ(again->Decode(out.data(), written, nullptr), written) << HexText(octets);
            if (row.sameAfterRoundTrip) {
                auto* error = dynamic_cast<BACnetErrorBase*>(again.get());
                if (error != nullptr) error->SetErrorChoice(dynamic_cast<BACnetErrorBase&>(*value).GetErrorChoice());
                EXPECT_TRUE(again->IsEqual(value.get())) << HexText(octets);
            }
        }
        // The mutations leave enough intact messages to test the round trip.
        EXPECT_GT(decoded, 100u);
    }
}

}  // namespace
}  // namespace ZalvoBACnetStack::DiscoveryTest
