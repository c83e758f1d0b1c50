// Test helpers for the packet XML analyzer: packet documents in the stack's
// rendered form, captured frames, and a compact text of the record tree.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "report/packetinfodb.h"
#include "report/packetxmlanalyzer.h"
#include "report/reportwriter.h"
#include "reportcapture.h"

namespace Tarnwick {

inline const IPv4Address kClient{192, 168, 1, 10};
inline const IPv4Address kServer{192, 168, 1, 20};

inline constexpr const char* kHeader = "<!-- Zalvo BACnet Stack v3.3.2.0 -->";

// A whole packet document: header comment, BACnetPacket, BVLL, the NPDU with
// `npduText` inside (self-closing when empty), then `pdu`.
inline std::string PacketXml(const std::string& npduText, const std::string& pdu) {
    std::string xml = kHeader;
    xml += "<BACnetPacket networkType='IP'><BVLL function='originalUnicastNPDU' />";
    if (npduText.empty()) {
        xml += "<NPDU control='0x00' version='1' />";
    } else {
        xml += "<NPDU control='0x20' version='1'>" + npduText + "</NPDU>";
    }
    return xml + pdu + "</BACnetPacket>";
}

// An Ethernet II frame carrying IPv4/UDP between the two addresses.
inline std::vector<uint8_t> FrameBetween(const IPv4Address& source, const IPv4Address& destination) {
    std::vector<uint8_t> frame(60, 0);
    frame[12] = 0x08;
    frame[14] = 0x45;
    frame[23] = 17;
    for (int i = 0; i < 4; ++i) {
        frame[26 + i] = source[i];
        frame[30 + i] = destination[i];
    }
    return frame;
}

// Analyses one packet and returns what it printed. Run inside a
// ScopedReportDirectory.
inline std::string Analyze(PacketInfoDB& db, const std::string& xml, uint32_t packetNumber = 12,
                           const IPv4Address& source = kClient, const IPv4Address& destination = kServer,
                           uint16_t payloadLength = 25) {
    const std::vector<uint8_t> frame = FrameBetween(source, destination);
    return CapturePrinted([&] {
        ProcessPacketXml(db, xml.c_str(), frame.data(), static_cast<uint32_t>(frame.size()), packetNumber,
                         payloadLength, static_cast<uint32_t>(xml.size()));
    });
}

// "a.b.c.d{net{'address'{type:instance{property[packet=value|...],...},...},...},...}" per
// address, addresses separated by a blank.
inline std::string TreeText(const PacketInfoDB& db) {
    std::string text;
    for (const NetworkAddressRecord& address : db.networkAddresses) {
        if (!text.empty()) text += ' ';
        const IPv4Address& ip = address.ipv4Address;
        text += std::to_string(ip[0]) + "." + std::to_string(ip[1]) + "." + std::to_string(ip[2]) + "." +
                std::to_string(ip[3]) + "{";
        bool firstNetwork = true;
        for (const BACnetNetworkRecord& network : address.networks) {
            if (!firstNetwork) text += ',';
            firstNetwork = false;
            text += std::to_string(network.networkNumber) + "{";
            bool firstDevice = true;
            for (const DeviceRecord& device : network.devices) {
                if (!firstDevice) text += ',';
                firstDevice = false;
                text += "'" + device.address + "'{";
                bool firstObject = true;
                for (const ObjectRecord& object : device.objects) {
                    if (!firstObject) text += ',';
                    firstObject = false;
                    text += std::to_string(object.Type()) + ":" + std::to_string(object.Instance()) + "{";
                    bool firstProperty = true;
                    for (const PropertyRecord& property : object.properties) {
                        if (!firstProperty) text += ',';
                        firstProperty = false;
                        text += property.name + "[";
                        bool firstValue = true;
                        for (const auto& [packet, value] : property.values) {
                            if (!firstValue) text += '|';
                            firstValue = false;
                            text += std::to_string(packet) + "=" + value;
                        }
                        text += "]";
                    }
                    text += "}";
                }
                text += "}";
            }
            text += "}";
        }
        text += "}";
    }
    return text;
}

// The non-zero counters of an address, "name=count" separated by ",".
inline std::string CountersText(const NetworkAddressRecord& address) {
    std::string text;
    for (uint8_t bucket = 0; bucket < NetworkAddressStats::kBucketCount; ++bucket) {
        const uint32_t count = address.stats.GetCount(bucket);
        if (count == 0) continue;
        if (!text.empty()) text += ',';
        text += std::string(NetworkAddressStats::BucketName(bucket)) + "=" + std::to_string(count);
    }
    return text;
}

// Rendered fragments, with the attributes the renderer writes.
inline std::string ObjectId(uint32_t type, uint32_t instance, const std::string& name = "ObjectIdentifier",
                            const std::string& context = "context='0' ") {
    return "<" + name + " " + context + "datatype='12' objectInstance='" + std::to_string(instance) + "' objectType='" +
           std::to_string(type) + "'>" + ReportObjectTypeName(type) + ", " + std::to_string(instance) + "</" + name +
           ">";
}

inline std::string PropertyId(const std::string& name, const std::string& context = "1") {
    return "<PropertyIdentifier context='" + context + "' datatype='9' value='85'>" + name + "</PropertyIdentifier>";
}

inline std::string RealValue(const std::string& text) {
    return "<Real datatype='4' value='" + text + "'>" + text + "</Real>";
}

}  // namespace Tarnwick
