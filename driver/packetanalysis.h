// The seam between the capture run and the traffic report.
//
// The run tells its analysis when a capture begins, hands it every decoded
// packet, and tells it how the capture ended. The analysis owns one capture
// database at a time; nothing recorded for one capture reaches the next.
#pragma once

#include <cstdint>

namespace Tarnwick {

class PacketAnalysis {
public:
    virtual ~PacketAnalysis() = default;

    // Creates and clears the database of a new capture, before it is opened.
    virtual void BeginCapture() = 0;

    // One decoded packet. xmlText is the packet's XML document, xmlLength
    // characters followed by a NUL; frame is the whole captured frame
    // (frameLength octets, at least its Ethernet, IPv4 and UDP headers);
    // payloadLength is the length of the UDP payload that was decoded.
    virtual void AnalysePacket(const char* xmlText, uint32_t xmlLength, const uint8_t* frame,
                               uint32_t frameLength, uint32_t packetNumber, uint16_t payloadLength) = 0;

    // The capture was read: prints its report and destroys the database.
    virtual void EndCapture() = 0;

    // The capture could not be opened: destroys the database, prints nothing.
    virtual void DiscardCapture() = 0;
};

}  // namespace Tarnwick
