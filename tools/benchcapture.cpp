// benchcapture: writes a large capture of mixed BACnet/IP traffic for the
// capture-scale benchmarks.
//
//   benchcapture <file.pcap> <packets>
//
// The traffic is what a workstation polling a small building sees: a client
// (192.168.1.10) reads present values, reads groups of properties with
// ReadPropertyMultiple, writes set points and subscribes to changes of value
// on sixteen devices of its own subnet and on eight MS/TP devices behind the
// router 192.168.1.1 (network 5); devices send COV notifications, answer
// Who-Is with I-Am, and now and then refuse a read with an Error PDU. A few
// ARP frames are mixed in. Present values drift, so the report's value
// histories keep changing, as they do on a real network.
//
// The output is the same for the same packet count on every run: the mix is
// drawn from a fixed-seed generator and the time stamps are fixed. Frames are
// built by captureframes.h, as the sample captures are; the file is classic
// little-endian pcap (version 2.4, link type 1), written record by record.
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "captureframes.h"

[[noreturn]] void CaptureFrames::Fail(const std::string& message) {
    std::fprintf(stderr, "benchcapture: %s\n", message.c_str());
    std::exit(1);
}

namespace {

using namespace CaptureFrames;

constexpr uint32_t kFirstTimestamp = 1700000000;  // fixed for reproducible files
constexpr uint32_t kMaxPackets = 50000000;

// BACnet numbers used below.
constexpr uint16_t kAnalogInput = 0, kAnalogValue = 2, kBinaryInput = 3, kDevice = 8;
constexpr uint32_t kPresentValue = 85, kStatusFlags = 111, kOutOfService = 81, kUnits = 117;
constexpr uint32_t kObjectName = 77, kDescription = 28;
constexpr uint8_t kServiceConfirmedCov = 1, kServiceSubscribeCov = 5, kServiceReadProperty = 12,
                  kServiceReadPropertyMultiple = 14, kServiceWriteProperty = 15;
constexpr uint8_t kServiceIAm = 0, kServiceUnconfirmedCov = 2, kServiceWhoIs = 8;

// ---------------------------------------------------------------- encoding

// The application layer octets of one message, built tag by tag.
class Apdu {
public:
    Bytes& Octets() { return octets_; }
    void Octet(uint8_t value) { octets_.push_back(value); }

    void Unsigned(uint8_t tagNumber, bool context, uint32_t value) {
        uint8_t length = 1;
        while (length < 4 && (value >> (8 * length)) != 0) ++length;
        Tag(tagNumber, context, length);
        for (int i = length - 1; i >= 0; --i) Octet(static_cast<uint8_t>(value >> (8 * i)));
    }
    void ObjectId(uint8_t tagNumber, bool context, uint16_t type, uint32_t instance) {
        Tag(tagNumber, context, 4);
        const uint32_t id = static_cast<uint32_t>(type) << 22 | (instance & 0x3FFFFF);
        for (int i = 3; i >= 0; --i) Octet(static_cast<uint8_t>(id >> (8 * i)));
    }
    void Real(float value) {
        Tag(4, false, 4);
        uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        for (int i = 3; i >= 0; --i) Octet(static_cast<uint8_t>(bits >> (8 * i)));
    }
    void Boolean(bool value) { Octet(static_cast<uint8_t>(0x10 | (value ? 1 : 0))); }
    void StatusFlags(bool inAlarm, bool fault) {
        Tag(8, false, 2);
        Octet(0x04);  // four flags used: in-alarm, fault, overridden, out-of-service
        Octet(static_cast<uint8_t>((inAlarm ? 0x80 : 0) | (fault ? 0x40 : 0)));
    }
    void CharacterString(const std::string& text) {
        Tag(7, false, static_cast<uint32_t>(text.size() + 1));
        Octet(0x00);  // UTF-8
        octets_.insert(octets_.end(), text.begin(), text.end());
    }
    void Open(uint8_t tagNumber) { Octet(static_cast<uint8_t>(tagNumber << 4 | 0x0E)); }
    void Close(uint8_t tagNumber) { Octet(static_cast<uint8_t>(tagNumber << 4 | 0x0F)); }

private:
    void Tag(uint8_t tagNumber, bool context, uint32_t length) {
        const uint8_t klass = context ? 0x08 : 0x00;
        if (length <= 4) {
            Octet(static_cast<uint8_t>(tagNumber << 4 | klass | length));
        } else {
            Octet(static_cast<uint8_t>(tagNumber << 4 | klass | 5));
            if (length > 253) Fail("tag length too large for this generator");
            Octet(static_cast<uint8_t>(length));
        }
    }

    Bytes octets_;
};

// Where a device is: its IPv4 address, and for the devices behind the
// router their network and one-octet MS/TP address.
struct Device {
    std::string ip;
    uint32_t instance = 0;
    uint16_t network = 0;  // 0: on the client's own subnet
    uint8_t mac = 0;
};

constexpr const char* kClientIp = "192.168.1.10";
constexpr const char* kRouterIp = "192.168.1.1";
constexpr const char* kBroadcastIp = "192.168.1.255";
constexpr uint16_t kRemoteNetwork = 5;

std::vector<Device> Devices() {
    std::vector<Device> devices;
    for (uint32_t i = 0; i < 16; ++i) {
        devices.push_back(Device{"192.168.1." + std::to_string(21 + i), 1001 + i, 0, 0});
    }
    for (uint32_t i = 0; i < 8; ++i) {
        devices.push_back(Device{kRouterIp, 5010 + i, kRemoteNetwork, static_cast<uint8_t>(0x0A + i)});
    }
    return devices;
}

// BVLL (Original-Unicast or -Broadcast-NPDU), NPDU, then the APDU.
// toDevice: the client's request goes to the device (a DNET specifier when
// it is behind the router); otherwise the device's answer comes back (an
// SNET specifier when it is behind the router).
Bytes Message(const Device* device, bool toDevice, bool expectingReply, bool broadcast, Apdu& apdu) {
    Bytes npdu{0x01};
    uint8_t control = expectingReply ? 0x04 : 0x00;
    if (device != nullptr && device->network != 0) {
        if (toDevice) {
            npdu.push_back(static_cast<uint8_t>(control | 0x20));
            Put16(npdu, device->network);
            npdu.push_back(1);
            npdu.push_back(device->mac);
            npdu.push_back(0xFF);  // hop count
        } else {
            npdu.push_back(static_cast<uint8_t>(control | 0x08));
            Put16(npdu, device->network);
            npdu.push_back(1);
            npdu.push_back(device->mac);
        }
    } else {
        npdu.push_back(control);
    }
    const size_t length = 4 + npdu.size() + apdu.Octets().size();
    Bytes payload{0x81, static_cast<uint8_t>(broadcast ? 0x0B : 0x0A)};
    Put16(payload, static_cast<uint16_t>(length));
    Append(payload, npdu);
    Append(payload, apdu.Octets());
    return payload;
}

// ---------------------------------------------------------------- traffic

// A small fixed-seed generator (xorshift), so every run draws the same mix.
class Random {
public:
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    uint32_t Below(uint32_t bound) { return Next() % bound; }

private:
    uint32_t state_ = 0x2545F491;
};

class PcapWriter {
public:
    explicit PcapWriter(const char* path) : path_(path), file_(std::fopen(path, "wb")) {
        if (file_ == nullptr) Fail(path_ + ": " + std::strerror(errno));
        Bytes header;
        PutLittle32(header, 0xA1B2C3D4);
        PutLittle16(header, 2);
        PutLittle16(header, 4);
        PutLittle32(header, 0);  // time zone
        PutLittle32(header, 0);  // time stamp accuracy
        PutLittle32(header, 65535);
        PutLittle32(header, 1);  // Ethernet
        Write(header);
    }
    ~PcapWriter() {
        if (file_ != nullptr) std::fclose(file_);
    }
    PcapWriter(const PcapWriter&) = delete;
    PcapWriter& operator=(const PcapWriter&) = delete;

    void Record(const Bytes& frame) {
        Bytes header;
        const uint32_t size = static_cast<uint32_t>(frame.size());
        PutLittle32(header, kFirstTimestamp + records_ / 1000);
        PutLittle32(header, (records_ % 1000) * 1000);
        PutLittle32(header, size);
        PutLittle32(header, size);
        Write(header);
        Write(frame);
        ++records_;
    }
    void Finish() {
        FILE* file = file_;
        file_ = nullptr;
        if (std::fclose(file) != 0) Fail(path_ + ": write failed");
    }
    uint32_t Records() const { return records_; }

private:
    void Write(const Bytes& bytes) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) Fail(path_ + ": write failed");
    }

    std::string path_;
    FILE* file_;
    uint32_t records_ = 0;
};

// ARP request: who has 192.168.1.20? tell 192.168.1.10 (not IPv4, so not UDP).
constexpr const char* kArpRequest =
    "FFFFFFFFFFFF 001A2B01010A 0806"
    "0001 0800 06 04 0001 001A2B01010A C0A8010A 000000000000 C0A80114"
    "000000000000000000000000000000000000";

struct ObjectRef {
    uint16_t type;
    uint32_t instance;
};

// The objects every device has: analog inputs 1-8, analog values 1-4,
// binary inputs 1-4.
ObjectRef PickObject(Random& random) {
    const uint32_t pick = random.Below(16);
    if (pick < 8) return {kAnalogInput, pick + 1};
    if (pick < 12) return {kAnalogValue, pick - 7};
    return {kBinaryInput, pick - 11};
}

class Traffic {
public:
    Traffic(PcapWriter& out, uint32_t packets) : out_(out), packets_(packets), devices_(Devices()) {}

    void Run() {
        // Each exchange is one or two frames; weights out of 100.
        while (out_.Records() < packets_) {
            ++tick_;
            const uint32_t draw = random_.Below(100);
            const Device& device = devices_[random_.Below(static_cast<uint32_t>(devices_.size()))];
            if (draw < 34) ReadPresentValue(device);
            else if (draw < 46) ReadPropertyMultiple(device);
            else if (draw < 60) CovNotification(device, false);
            else if (draw < 68) CovNotification(device, true);
            else if (draw < 74) WhoIsIAm(device);
            else if (draw < 80) WriteSetPoint(device);
            else if (draw < 84) SubscribeCov(device);
            else if (draw < 88) ReadUnknownProperty(device);
            else if (draw < 99) ReadObjectName(device);
            else Emit(FromHex(kArpRequest));
        }
    }

private:
    void Emit(const Bytes& frame) {
        if (out_.Records() < packets_) out_.Record(frame);
    }
    void Send(const char* source, const char* destination, const Bytes& payload) {
        FrameLayout layout;
        layout.source = source;
        layout.destination = destination;
        layout.ipIdentification = static_cast<uint16_t>(out_.Records());
        Emit(BuildUdpFrame(layout, payload));
    }
    void ClientToDevice(const Device& device, Apdu& apdu) {
        Send(kClientIp, device.ip.c_str(), Message(&device, true, true, false, apdu));
    }
    void DeviceToClient(const Device& device, Apdu& apdu) {
        Send(device.ip.c_str(), kClientIp, Message(&device, false, false, false, apdu));
    }

    uint8_t NextInvokeId() { return invokeId_++; }

    // The present value drifts with time, differently for every object.
    float PresentValue(const Device& device, const ObjectRef& object) const {
        const uint32_t step = (tick_ / 7 + device.instance * 3 + object.instance * 5) % 40;
        return 18.0f + 0.25f * static_cast<float>(step);
    }

    void ConfirmedRequestHeader(Apdu& apdu, uint8_t invokeId, uint8_t service) {
        apdu.Octet(0x02);  // confirmed request, segmented response accepted
        apdu.Octet(0x05);  // up to 1476 octets
        apdu.Octet(invokeId);
        apdu.Octet(service);
    }
    void SimpleAck(const Device& device, uint8_t invokeId, uint8_t service) {
        Apdu ack;
        ack.Octet(0x20);
        ack.Octet(invokeId);
        ack.Octet(service);
        DeviceToClient(device, ack);
    }

    void ReadPresentValue(const Device& device) {
        const ObjectRef object = PickObject(random_);
        const uint8_t id = NextInvokeId();
        Apdu request;
        ConfirmedRequestHeader(request, id, kServiceReadProperty);
        request.ObjectId(0, true, object.type, object.instance);
        request.Unsigned(1, true, kPresentValue);
        ClientToDevice(device, request);

        Apdu ack;
        ack.Octet(0x30);
        ack.Octet(id);
        ack.Octet(kServiceReadProperty);
        ack.ObjectId(0, true, object.type, object.instance);
        ack.Unsigned(1, true, kPresentValue);
        ack.Open(3);
        if (object.type == kBinaryInput) {
            ack.Unsigned(9, false, (tick_ / 13 + object.instance) % 2);  // ENUMERATED active/inactive
        } else {
            ack.Real(PresentValue(device, object));
        }
        ack.Close(3);
        DeviceToClient(device, ack);
    }

    // Analog inputs 1-5, four properties each: twenty results.
    void ReadPropertyMultiple(const Device& device) {
        static constexpr std::array<uint32_t, 4> kProperties{kPresentValue, kStatusFlags, kOutOfService, kUnits};
        const uint8_t id = NextInvokeId();
        Apdu request;
        ConfirmedRequestHeader(request, id, kServiceReadPropertyMultiple);
        for (uint32_t instance = 1; instance <= 5; ++instance) {
            request.ObjectId(0, true, kAnalogInput, instance);
            request.Open(1);
            for (uint32_t property : kProperties) request.Unsigned(0, true, property);
            request.Close(1);
        }
        ClientToDevice(device, request);

        Apdu ack;
        ack.Octet(0x30);
        ack.Octet(id);
        ack.Octet(kServiceReadPropertyMultiple);
        for (uint32_t instance = 1; instance <= 5; ++instance) {
            const ObjectRef object{kAnalogInput, instance};
            ack.ObjectId(0, true, kAnalogInput, instance);
            ack.Open(1);
            for (uint32_t property : kProperties) {
                ack.Unsigned(2, true, property);
                ack.Open(4);
                switch (property) {
                    case kPresentValue: ack.Real(PresentValue(device, object)); break;
                    case kStatusFlags: ack.StatusFlags(false, false); break;
                    case kOutOfService: ack.Boolean(false); break;
                    default: ack.Unsigned(9, false, 62); break;  // units: degrees-Celsius
                }
                ack.Close(4);
            }
            ack.Close(1);
        }
        DeviceToClient(device, ack);
    }

    void CovNotification(const Device& device, bool confirmed) {
        const ObjectRef object{kAnalogInput, 1 + random_.Below(8)};
        Apdu apdu;
        uint8_t id = 0;
        if (confirmed) {
            id = NextInvokeId();
            ConfirmedRequestHeader(apdu, id, kServiceConfirmedCov);
        } else {
            apdu.Octet(0x10);
            apdu.Octet(kServiceUnconfirmedCov);
        }
        apdu.Unsigned(0, true, 7);  // subscriber process
        apdu.ObjectId(1, true, kDevice, device.instance);
        apdu.ObjectId(2, true, object.type, object.instance);
        apdu.Unsigned(3, true, 300);  // seconds remaining
        apdu.Open(4);
        apdu.Unsigned(0, true, kPresentValue);
        apdu.Open(2);
        apdu.Real(PresentValue(device, object));
        apdu.Close(2);
        apdu.Unsigned(0, true, kStatusFlags);
        apdu.Open(2);
        apdu.StatusFlags(false, false);
        apdu.Close(2);
        apdu.Close(4);
        // The device notifies the client.
        Send(device.ip.c_str(), kClientIp, Message(&device, false, confirmed, false, apdu));
        if (confirmed) {
            Apdu ack;
            ack.Octet(0x20);
            ack.Octet(id);
            ack.Octet(kServiceConfirmedCov);
            // The client's acknowledgement travels back to the device.
            Send(kClientIp, device.ip.c_str(), Message(&device, true, false, false, ack));
        }
    }

    void WhoIsIAm(const Device& device) {
        Apdu whoIs;
        whoIs.Octet(0x10);
        whoIs.Octet(kServiceWhoIs);
        if (random_.Below(2) == 0) {
            whoIs.Unsigned(0, true, device.instance);
            whoIs.Unsigned(1, true, device.instance);
        }
        Send(kClientIp, kBroadcastIp, Message(nullptr, true, false, true, whoIs));

        Apdu iAm;
        iAm.Octet(0x10);
        iAm.Octet(kServiceIAm);
        iAm.ObjectId(12, false, kDevice, device.instance);
        iAm.Unsigned(2, false, device.network == 0 ? 1476 : 480);
        iAm.Unsigned(9, false, 3);  // no segmentation
        iAm.Unsigned(2, false, 15);
        Send(device.ip.c_str(), kBroadcastIp, Message(&device, false, false, true, iAm));
    }

    void WriteSetPoint(const Device& device) {
        const ObjectRef object{kAnalogValue, 1 + random_.Below(4)};
        const uint8_t id = NextInvokeId();
        Apdu request;
        ConfirmedRequestHeader(request, id, kServiceWriteProperty);
        request.ObjectId(0, true, object.type, object.instance);
        request.Unsigned(1, true, kPresentValue);
        request.Open(3);
        request.Real(20.0f + 0.5f * static_cast<float>(tick_ % 9));
        request.Close(3);
        request.Unsigned(4, true, 8);  // priority
        ClientToDevice(device, request);
        SimpleAck(device, id, kServiceWriteProperty);
    }

    void SubscribeCov(const Device& device) {
        const ObjectRef object{kAnalogInput, 1 + random_.Below(8)};
        const uint8_t id = NextInvokeId();
        Apdu request;
        ConfirmedRequestHeader(request, id, kServiceSubscribeCov);
        request.Unsigned(0, true, 7);
        request.ObjectId(1, true, object.type, object.instance);
        request.Octet(0x29);  // context 2, issue confirmed notifications
        request.Octet(random_.Below(2) == 0 ? 0 : 1);
        request.Unsigned(3, true, 300);
        ClientToDevice(device, request);
        SimpleAck(device, id, kServiceSubscribeCov);
    }

    // A property the object does not have: Error property / unknown-property.
    void ReadUnknownProperty(const Device& device) {
        const ObjectRef object = PickObject(random_);
        const uint8_t id = NextInvokeId();
        Apdu request;
        ConfirmedRequestHeader(request, id, kServiceReadProperty);
        request.ObjectId(0, true, object.type, object.instance);
        request.Unsigned(1, true, 512 + random_.Below(4));
        ClientToDevice(device, request);

        Apdu error;
        error.Octet(0x50);
        error.Octet(id);
        error.Octet(kServiceReadProperty);
        error.Unsigned(9, false, 2);   // error class property
        error.Unsigned(9, false, 32);  // unknown-property
        DeviceToClient(device, error);
    }

    void ReadObjectName(const Device& device) {
        const ObjectRef object = PickObject(random_);
        const uint32_t property = random_.Below(2) == 0 ? kObjectName : kDescription;
        const uint8_t id = NextInvokeId();
        Apdu request;
        ConfirmedRequestHeader(request, id, kServiceReadProperty);
        request.ObjectId(0, true, object.type, object.instance);
        request.Unsigned(1, true, property);
        ClientToDevice(device, request);

        static constexpr const char* kTypeNames[] = {"AI", "AO", "AV", "BI"};
        const std::string name = std::string(property == kObjectName ? "" : "Room sensor ") + "D" +
                                 std::to_string(device.instance) + "-" + kTypeNames[object.type] +
                                 std::to_string(object.instance);
        Apdu ack;
        ack.Octet(0x30);
        ack.Octet(id);
        ack.Octet(kServiceReadProperty);
        ack.ObjectId(0, true, object.type, object.instance);
        ack.Unsigned(1, true, property);
        ack.Open(3);
        ack.CharacterString(name);
        ack.Close(3);
        DeviceToClient(device, ack);
    }

    PcapWriter& out_;
    const uint32_t packets_;
    const std::vector<Device> devices_;
    Random random_;
    uint32_t tick_ = 0;
    uint8_t invokeId_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: benchcapture <file.pcap> <packets>\n");
        return 2;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long packets = std::strtoul(argv[2], &end, 10);
    if (errno != 0 || end == argv[2] || *end != '\0' || packets == 0 || packets > kMaxPackets) {
        Fail(std::string("packet count must be 1 to ") + std::to_string(kMaxPackets) + ": " + argv[2]);
    }
    PcapWriter out(argv[1]);
    Traffic traffic(out, static_cast<uint32_t>(packets));
    traffic.Run();
    out.Finish();
    std::printf("%s: %u packets\n", argv[1], out.Records());
    return 0;
}
