// Reads the XML document that the stack rendered for one packet and records
// what the packet shows in the capture's PacketInfoDB: the packet outcome,
// the PDU kind, the sending and receiving IPv4 addresses, the packet size and
// hop count, and the networks, devices, objects, properties and values that
// the services carry. The document is parsed with tinyxml2; the element
// names and attributes are the ones the stack's XML renderer writes.
//
// Every message goes through ReportPrint and names the packet number. A
// handler that meets a fault prints it and sets the packet's error flag; the
// analysis goes on, and the flag decides at the end whether the packet counts
// as successfully processed.
#pragma once

#include <tinyxml2.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "report/packetinfodb.h"

namespace Tarnwick {

// Analyses one decoded packet. `xmlText` holds `xmlLength` characters and a
// NUL after them; `frame` is the captured frame (`frameLength` bytes) whose
// IPv4 source and destination addresses are read at bytes 26 to 33.
void ProcessPacketXml(PacketInfoDB& db, const char* xmlText, const uint8_t* frame, uint32_t frameLength,
                      uint32_t packetNumber, uint16_t payloadLength, uint32_t xmlLength);

// An attribute or text read with the pattern "%u": leading white space, an
// optional sign (a minus negates modulo 2^32), then decimal digits up to the
// first other character. Null or no digits gives none. A magnitude beyond
// 32 bits saturates at 4,294,967,295 rather than wrapping to a small number.
std::optional<uint32_t> ReadUnsignedText(const char* text);

// A text read as an unsigned 16-bit number by stream extraction: leading
// white space, an optional sign, decimal digits. No digits gives 0; a
// magnitude above 65,535 gives 65,535; a minus negates modulo 2^16.
uint16_t ReadUnsigned16Text(const char* text);

// The network layer addressing that the NPDU element shows.
struct NpduAddressing {
    uint16_t sourceNetwork = 0;
    uint16_t destinationNetwork = 0;
    std::string_view sourceAddress = "0";  // views into the document, or "0"
    std::string_view destinationAddress = "0";
    uint8_t hopCount = 0;
};

class PacketXmlAnalyzer {
public:
    explicit PacketXmlAnalyzer(PacketInfoDB& db) : db_(db) {}

    // The whole analysis of one packet (see ProcessPacketXml).
    void Process(const char* xmlText, const uint8_t* frame, uint32_t frameLength, uint32_t packetNumber,
                 uint16_t payloadLength, uint32_t xmlLength);

    // Parses the text up to its first NUL; when that fails, parses again the
    // `xmlLength` characters without the bytes 0x00, 0x01 and 0x80 to 0xFF.
    // False, with an error line, when the second parse fails too.
    bool ParseXmlWithFallback(tinyxml2::XMLDocument& document, const char* xmlText, uint32_t xmlLength);

    NpduAddressing ReadNpduAddressing(const tinyxml2::XMLElement& npdu);

    void HandleConfirmedRequest(const tinyxml2::XMLElement& pdu, NetworkAddressRecord& source, uint16_t sourceNetwork,
                                std::string_view sourceAddress, NetworkAddressRecord& destination,
                                uint16_t destinationNetwork, std::string_view destinationAddress);
    void HandleUnconfirmedRequest(const tinyxml2::XMLElement& pdu, NetworkAddressRecord& source, uint16_t sourceNetwork,
                                  std::string_view sourceAddress, NetworkAddressRecord& destination,
                                  uint16_t destinationNetwork, std::string_view destinationAddress);
    void HandleComplexAck(const tinyxml2::XMLElement& pdu, NetworkAddressRecord& source, uint16_t sourceNetwork,
                          std::string_view sourceAddress);
    void HandleErrorPdu(const tinyxml2::XMLElement& pdu);

    // The object named by the element's "objectInstance" and "objectType"
    // attributes, added to the device when new; null (reported) when an
    // attribute is missing or out of an object identifier's range.
    ObjectRecord* GetObjectFromIdentifier(const tinyxml2::XMLElement& element, DeviceRecord& device);
    void HandleSingleObjectFromRequest(const tinyxml2::XMLElement& element, DeviceRecord& device, bool withProperty);
    void HandleReadPropertyAck(const tinyxml2::XMLElement& objectIdentifier, DeviceRecord& device);
    // A COV notification's monitored object, from its initiating device;
    // `service` names the request in the fault printed when it is missing.
    void HandleCOVNotification(const tinyxml2::XMLElement& initiating, DeviceRecord& device, const char* service);
    void HandleReadAccessSpecifications(const tinyxml2::XMLElement& first, DeviceRecord& device);
    void HandleReadAccessResults(const tinyxml2::XMLElement& first, DeviceRecord& device);
    void HandleWriteAccessSpecifications(const tinyxml2::XMLElement& first, DeviceRecord& device);
    // Each sibling element named `name` from `first` on: the object of its
    // "ObjectIdentifier" child is recorded under the device and handed to
    // `handle` with that child. For an element without one the fault
    // `missingFormat` is printed (with the packet number).
    template <class Handle>
    void ForEachAccessedObject(const tinyxml2::XMLElement& first, const char* name, DeviceRecord& device,
                               const char* missingFormat, Handle handle);
    void HandlePropertyReferences(const tinyxml2::XMLElement& first, DeviceRecord& device, ObjectRecord& object,
                                  bool withValues);
    void HandleListOfValues(const tinyxml2::XMLElement& first, ObjectRecord& object, bool withValues);
    // The property named by the text of `element`'s "PropertyIdentifier"
    // child (handed back in `propertyId`), added to the object when new.
    // Null, with a fault printed, when the child or its text is missing: the
    // element's path is `path`, the child's `parentPath` + "/PropertyIdentifier".
    PropertyRecord* GetPropertyFromIdentifier(const tinyxml2::XMLElement& element, ObjectRecord& object,
                                              const char* path, const char* parentPath,
                                              const tinyxml2::XMLElement*& propertyId, const char*& name);
    void HandleObjectList(const tinyxml2::XMLElement& propertyValue, DeviceRecord& device);
    // Records the value element's children as one text with AddValue.
    void FormatPropertyValue(const tinyxml2::XMLElement& value, PropertyRecord& property);
    // "[Error: Error-class: <class>, Error-code: <code>]".
    std::string FormatError(const tinyxml2::XMLElement& error);

private:
    // Called after a fault's message has been printed.
    void SetPacketError() { db_.packetError = true; }
    uint32_t PacketNumber() const { return db_.currentPacketNumber; }

    PacketInfoDB& db_;
};

}  // namespace Tarnwick
