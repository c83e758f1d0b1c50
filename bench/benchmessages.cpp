#include "benchmessages.h"

#include <cstdio>
#include <cstdlib>

#include "tools/captureframes.h"

[[noreturn]] void CaptureFrames::Fail(const std::string& message) {
    std::fprintf(stderr, "bench_packets: %s\n", message.c_str());
    std::exit(1);
}

namespace BenchMessages {
namespace {

using CaptureFrames::Bytes;

// BVLL function and NPDU + APDU in hex; the BVLL length is filled in.
Bytes Payload(uint8_t function, const std::string& npduAndApduHex) {
    const Bytes rest = CaptureFrames::FromHex(npduAndApduHex.c_str());
    Bytes payload{0x81, function};
    CaptureFrames::Put16(payload, static_cast<uint16_t>(4 + rest.size()));
    CaptureFrames::Append(payload, rest);
    return payload;
}

Message Make(const char* name, const char* source, const char* destination, uint8_t function,
             const std::string& npduAndApduHex) {
    Message message{name, Payload(function, npduAndApduHex), {}};
    CaptureFrames::FrameLayout layout;
    layout.source = source;
    layout.destination = destination;
    message.frame = CaptureFrames::BuildUdpFrame(layout, message.payload);
    return message;
}

constexpr uint8_t kUnicast = 0x0A;
constexpr uint8_t kBroadcast = 0x0B;
constexpr const char* kClient = "192.168.1.10";
constexpr const char* kDevice = "192.168.1.20";
constexpr const char* kBroadcastIp = "192.168.1.255";

// Analog inputs 1 to 5, each with present value, status flags, out of
// service and units: twenty results.
std::string ReadPropertyMultipleAck() {
    std::string hex = "0100 30 02 0E";
    for (int instance = 1; instance <= 5; ++instance) {
        char objectIdentifier[16];
        std::snprintf(objectIdentifier, sizeof objectIdentifier, " 0C000000%02X", instance);
        hex += objectIdentifier;
        hex += " 1E";
        hex += " 2955 4E 4441B40000 4F";  // presentValue 22.5
        hex += " 296F 4E 820400 4F";      // statusFlags, none set
        hex += " 2951 4E 10 4F";          // outOfService false
        hex += " 2975 4E 913E 4F";        // units degrees-Celsius
        hex += " 1F";
    }
    return hex;
}

std::vector<Message> Build() {
    return {
        Make("WhoIs", kClient, kBroadcastIp, kBroadcast, "0120FFFF00FF 1008"),
        Make("IAm", kDevice, kBroadcastIp, kBroadcast, "0100 1000 C4020003E9 2205C4 9103 210F"),
        Make("ReadPropertyRequest", kClient, kDevice, kUnicast, "0104 0205010C 0C00000001 1955"),
        Make("ReadPropertyACK", kDevice, kClient, kUnicast, "0100 30010C 0C00000001 1955 3E 4442280000 3F"),
        Make("ReadPropertyMultipleACK", kDevice, kClient, kUnicast, ReadPropertyMultipleAck()),
        // Subscriber process 7, device 1001, analog input 1, 300 s left:
        // present value 22.5 and status flags.
        Make("COVNotification", kDevice, kClient, kUnicast,
             "0104 0205 03 01 0907 1C020003E9 2C00000001 3A012C"
             " 4E 0955 2E 4441B40000 2F 096F 2E 820400 2F 4F"),
        // ReadProperty answered with property / unknown-property.
        Make("ErrorPDU", kDevice, kClient, kUnicast, "0100 50030C 9102 9120"),
    };
}

}  // namespace

const std::vector<Message>& All() {
    static const std::vector<Message> messages = Build();
    return messages;
}

}  // namespace BenchMessages
