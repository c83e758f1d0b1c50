#include "report/packetxmlanalyzer.h"

#include <cstring>

#include "report/reportprint.h"

namespace Tarnwick {

using tinyxml2::XMLDocument;
using tinyxml2::XMLElement;

namespace {

// The IPv4 addresses of an Ethernet II frame: a 14-byte Ethernet header, then
// the source address at 12 and the destination at 16 in the IPv4 header.
constexpr uint32_t kIPv4SourceOffset = 26;
constexpr uint32_t kIPv4DestinationOffset = 30;
constexpr uint32_t kFrameBytesForAddresses = 34;

constexpr uint32_t kEnumeratedDatatype = 9;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads an optional sign and the decimal digits after leading white space.
// The magnitude saturates at `limit` + 1 so that an overflow stays visible.
struct SignedMagnitude {
    bool negative = false;
    bool hasDigits = false;
    uint64_t magnitude = 0;
};

SignedMagnitude ReadSignedMagnitude(const char* text, uint64_t limit) {
    SignedMagnitude result;
    if (text == nullptr) return result;
    const char* p = text;
    while (IsSpace(*p)) ++p;
    if (*p == '+' || *p == '-') {
        result.negative = *p == '-';
        ++p;
    }
    for (; IsDigit(*p); ++p) {
        result.hasDigits = true;
        if (result.magnitude <= limit) result.magnitude = result.magnitude * 10 + static_cast<uint64_t>(*p - '0');
    }
    return result;
}

// The element's text, or null when its first child is not a text node.
const char* TextOf(const XMLElement* element) { return element == nullptr ? nullptr : element->GetText(); }

std::optional<uint32_t> UnsignedAttribute(const XMLElement& element, const char* name) {
    const tinyxml2::XMLAttribute* attribute = element.FindAttribute(name);
    if (attribute == nullptr) return std::nullopt;
    return ReadUnsignedText(attribute->Value());
}

// The first child element of `parent` named `name`, or null along a chain.
const XMLElement* Child(const XMLElement* parent, const char* name) {
    return parent == nullptr ? nullptr : parent->FirstChildElement(name);
}

const XMLElement* NextSibling(const XMLElement* element, const char* name) {
    return element == nullptr ? nullptr : element->NextSiblingElement(name);
}

bool StartsWithObjectList(std::string_view name) {
    constexpr std::string_view kObjectList = "objectList";
    return name.substr(0, kObjectList.size()) == kObjectList;
}

// One row of the PDU dispatch: the element, its label and the counters of
// the sending and the receiving address.
enum class PduHandler { kConfirmedRequest, kUnconfirmedRequest, kComplexAck, kNone, kError };

struct PduKind {
    const char* element;
    const char* label;
    uint8_t sentBucket;
    uint8_t receivedBucket;
    PduHandler handler;
};

// Tried in this order; the first element present is taken.
constexpr PduKind kPduKinds[] = {
    {"ConfirmedRequestPDU", "Confirmed-REQ", NetworkAddressStats::kSentConfirmedRequest,
     NetworkAddressStats::kRecvConfirmedRequest, PduHandler::kConfirmedRequest},
    {"UnconfirmedRequestPDU", "Unconfirmed-REQ", NetworkAddressStats::kSentUnconfirmedRequest,
     NetworkAddressStats::kRecvUnconfirmedRequest, PduHandler::kUnconfirmedRequest},
    {"ComplexACKPDU", "Complex-Ack", NetworkAddressStats::kSentComplexAck, NetworkAddressStats::kRecvComplexAck,
     PduHandler::kComplexAck},
    {"SimpleAckPDU", "Simple-Ack", NetworkAddressStats::kSentSimpleAck, NetworkAddressStats::kRecvSimpleAck,
     PduHandler::kNone},
    {"AbortPDU", "Abort", NetworkAddressStats::kSentAbort, NetworkAddressStats::kRecvAbort, PduHandler::kNone},
    {"ErrorPDU", "Error", NetworkAddressStats::kSentError, NetworkAddressStats::kRecvError, PduHandler::kError},
    {"RejectPDU", "Reject", NetworkAddressStats::kSentReject, NetworkAddressStats::kRecvReject, PduHandler::kNone},
};

IPv4Address AddressAt(const uint8_t* frame, uint32_t offset) {
    return IPv4Address{frame[offset], frame[offset + 1], frame[offset + 2], frame[offset + 3]};
}

}  // namespace

std::optional<uint32_t> ReadUnsignedText(const char* text) {
    constexpr uint64_t kMax = 0xFFFFFFFFu;
    const SignedMagnitude read = ReadSignedMagnitude(text, kMax);
    if (!read.hasDigits) return std::nullopt;
    if (read.magnitude > kMax) return static_cast<uint32_t>(kMax);  // saturated, whatever the sign
    const uint32_t magnitude = static_cast<uint32_t>(read.magnitude);
    return read.negative ? 0u - magnitude : magnitude;
}

uint16_t ReadUnsigned16Text(const char* text) {
    constexpr uint64_t kMax = 0xFFFF;
    const SignedMagnitude read = ReadSignedMagnitude(text, kMax);
    if (!read.hasDigits) return 0;
    if (read.magnitude > kMax) return static_cast<uint16_t>(kMax);
    const uint16_t magnitude = static_cast<uint16_t>(read.magnitude);
    return read.negative ? static_cast<uint16_t>(0u - magnitude) : magnitude;
}

void ProcessPacketXml(PacketInfoDB& db, const char* xmlText, const uint8_t* frame, uint32_t frameLength,
                      uint32_t packetNumber, uint16_t payloadLength, uint32_t xmlLength) {
    PacketXmlAnalyzer(db).Process(xmlText, frame, frameLength, packetNumber, payloadLength, xmlLength);
}

void PacketXmlAnalyzer::Process(const char* xmlText, const uint8_t* frame, uint32_t frameLength, uint32_t packetNumber,
                                uint16_t payloadLength, uint32_t xmlLength) {
    db_.packetError = false;
    db_.currentPacketNumber = packetNumber;
    db_.invokeId.reset();
    db_.originalInvokeId.reset();
    db_.pendingRequest.Clear();
    ++db_.packetsReceived;

    // One document serves every packet: Parse clears what the previous packet
    // left, and the document keeps its node pools instead of allocating and
    // freeing them for each packet.
    thread_local XMLDocument document;
    if (!ParseXmlWithFallback(document, xmlText, xmlLength)) {
        ++db_.packetsFailed;
        return;
    }

    const XMLElement* bvll = Child(document.FirstChildElement("BACnetPacket"), "BVLL");
    const XMLElement* npdu = NextSibling(bvll, "NPDU");
    if (npdu == nullptr) {
        ReportPrint("Error: (Packet %u) Unexpected XML Layout. Expecting BACnetPacket/BVLL/NPDU \n", packetNumber);
        ++db_.packetsFailed;
        return;
    }

    const XMLElement* pduElement = npdu->NextSiblingElement();
    if (pduElement == nullptr) {
        ReportPrint("Error: (Packet %u) no PDU element found \n", packetNumber);
        SetPacketError();
    } else {
        db_.invokeId = UnsignedAttribute(*pduElement, "invokeId");
        db_.originalInvokeId = UnsignedAttribute(*pduElement, "originalInvokeId");
    }

    const NpduAddressing addressing = ReadNpduAddressing(*npdu);

    db_.packetStats.AddPacketSize(payloadLength, static_cast<int32_t>(packetNumber));
    if (addressing.hopCount != 0) db_.packetStats.AddHopCount(addressing.hopCount, static_cast<int32_t>(packetNumber));

    if (frame == nullptr || frameLength < kFrameBytesForAddresses) {
        // Without both addresses nothing can be attributed to a sender or a receiver.
        ReportPrint(
            "Error: (Packet %u) The frame has %u bytes, too few to hold the IPv4 source and destination "
            "addresses at bytes 26 to 33 \n",
            packetNumber, frame == nullptr ? 0u : frameLength);
        SetPacketError();
    } else {
        NetworkAddressRecord& source = db_.GetOrAddNetworkAddress(AddressAt(frame, kIPv4SourceOffset));
        NetworkAddressRecord& destination = db_.GetOrAddNetworkAddress(AddressAt(frame, kIPv4DestinationOffset));

        const PduKind* kind = nullptr;
        const XMLElement* pdu = nullptr;
        for (const PduKind& candidate : kPduKinds) {
            pdu = npdu->NextSiblingElement(candidate.element);
            if (pdu != nullptr) {
                kind = &candidate;
                break;
            }
        }
        if (kind == nullptr) {
            ReportPrint(
                "Error: (Packet %u) Couldn't find the XML element specifying the PDU. Expecting "
                "ConfirmedRequestPDU, UnconfirmedRequestPDU, SimpleAckPDU, ComplexACKPDU, AbortPDU, ErrorPDU "
                "or RejectPDU \n",
                packetNumber);
            SetPacketError();
        } else {
            db_.CountPdu(kind->label);
            CountPduForAddresses(source, destination, kind->sentBucket, kind->receivedBucket);
            switch (kind->handler) {
                case PduHandler::kConfirmedRequest:
                    HandleConfirmedRequest(*pdu, source, addressing.sourceNetwork, addressing.sourceAddress,
                                           destination, addressing.destinationNetwork, addressing.destinationAddress);
                    break;
                case PduHandler::kUnconfirmedRequest:
                    HandleUnconfirmedRequest(*pdu, source, addressing.sourceNetwork, addressing.sourceAddress,
                                             destination, addressing.destinationNetwork, addressing.destinationAddress);
                    break;
                case PduHandler::kComplexAck:
                    HandleComplexAck(*pdu, source, addressing.sourceNetwork, addressing.sourceAddress);
                    break;
                case PduHandler::kError:
                    HandleErrorPdu(*pdu);
                    break;
                case PduHandler::kNone:
                    break;
            }
        }
    }

    if (db_.packetError) {
        ++db_.packetsFailed;
    } else {
        ++db_.packetsSucceeded;
    }
}

bool PacketXmlAnalyzer::ParseXmlWithFallback(XMLDocument& document, const char* xmlText, uint32_t xmlLength) {
    if (xmlText == nullptr) {
        xmlText = "";
        xmlLength = 0;
    }
    if (document.Parse(xmlText) == tinyxml2::XML_SUCCESS) return true;

    // The first parse stops at a NUL or fails on bytes it cannot take; keep
    // only the bytes above 0x01 that are plain ASCII and try once more.
    std::string stripped;
    stripped.reserve(xmlLength);
    for (uint32_t i = 0; i < xmlLength; ++i) {
        const char c = xmlText[i];
        if (static_cast<signed char>(c) > 1) stripped.push_back(c);
    }
    if (document.Parse(stripped.c_str()) == tinyxml2::XML_SUCCESS) return true;

    const char* errorText = document.ErrorStr();
    ReportPrint(
        "Error: (Packet %u) XML Could not be parsed correctly after stripping unrecognizable characters. "
        "XML Error message [%s] \n",
        PacketNumber(), errorText == nullptr ? "" : errorText);
    return false;
}

NpduAddressing PacketXmlAnalyzer::ReadNpduAddressing(const XMLElement& npdu) {
    NpduAddressing result;
    const XMLElement* anchor = npdu.FirstChildElement("SourceNetwork");
    const bool anchoredAtSource = anchor != nullptr;
    if (anchor == nullptr) anchor = npdu.FirstChildElement("DestinationNetwork");
    if (anchor == nullptr) return result;

    uint16_t anchorNetwork = 0;
    if (const char* text = anchor->GetText()) {
        anchorNetwork = ReadUnsigned16Text(text);
    } else if (anchoredAtSource) {
        ReportPrint(
            "WARNING: (Packet %u) NPDU/SourceNetwork: Failed to get element text. Assuming local network "
            "(0) \n",
            PacketNumber());
    } else {
        ReportPrint(
            "WARNING: (Packet %u) NPDU/DestinationNetwork: Failed to get element text. Assuming local "
            "network (0)  \n",
            PacketNumber());
    }

    // The other network is looked for only after the anchor. A destination
    // anchor means the NPDU has no source network at all, so only a source
    // anchor can have one: the destination network, which the renderer writes
    // before the source and which is therefore not found.
    uint16_t destinationNetwork = anchoredAtSource ? 0 : anchorNetwork;
    if (anchoredAtSource) {
        if (const XMLElement* destination = anchor->NextSiblingElement("DestinationNetwork")) {
            if (const char* text = destination->GetText()) {
                destinationNetwork = ReadUnsigned16Text(text);
            } else {
                ReportPrint(
                    "WARNING: (Packet %u) NPDU/DestinationNetwork: Failed to get element text. Assuming local "
                    "network (0)  \n",
                    PacketNumber());
            }
        }
    }
    result.sourceNetwork = anchoredAtSource ? anchorNetwork : 0;
    result.destinationNetwork = destinationNetwork;

    if (const char* text = TextOf(anchor->NextSiblingElement("SourceAddress"))) result.sourceAddress = text;
    if (const char* text = TextOf(anchor->NextSiblingElement("DestinationAddress"))) result.destinationAddress = text;

    if (const XMLElement* hopCount = anchor->NextSiblingElement("HopCount")) {
        if (const char* text = hopCount->GetText()) {
            result.hopCount = static_cast<uint8_t>(ReadUnsigned16Text(text) & 0xFF);
        } else {
            ReportPrint("WARNING: (Packet %u) NPDU/HopCount: Failed to get element text  \n", PacketNumber());
        }
    }
    return result;
}

void PacketXmlAnalyzer::HandleConfirmedRequest(const XMLElement& pdu, NetworkAddressRecord& source,
                                               uint16_t sourceNetwork, std::string_view sourceAddress,
                                               NetworkAddressRecord& destination, uint16_t destinationNetwork,
                                               std::string_view destinationAddress) {
    DeviceRecord& destinationDevice =
        destination.GetOrAddNetwork(destinationNetwork).GetOrAddDevice(destinationAddress);
    DeviceRecord& sourceDevice = source.GetOrAddNetwork(sourceNetwork).GetOrAddDevice(sourceAddress);

    if (const XMLElement* objectId = Child(pdu.FirstChildElement("ReadPropertyRequest"), "ObjectIdentifier")) {
        PendingRequest& pending = db_.pendingRequest;
        pending.ipv4Address = destination.ipv4Address;
        pending.network = destinationNetwork;
        pending.deviceAddress.assign(destinationAddress);
        HandleSingleObjectFromRequest(*objectId, destinationDevice, true);
        if (!db_.packetError && db_.invokeId.has_value()) {
            db_.StorePendingRequest(static_cast<uint8_t>(*db_.invokeId & 0xFF));
        } else {
            ReportPrint(
                "Error: (Packet %u) ReadPropertyRequest: Could not retrieve all the necessary information to "
                "save in the PacketInfoDB \n",
                PacketNumber());
            SetPacketError();
        }
        return;
    }

    if (const XMLElement* accessSpecification =
            Child(Child(pdu.FirstChildElement("ReadPropertyMultipleRequest"), "ListOfReadAccessSpecifications"),
                  "ReadAccessSpecification")) {
        HandleReadAccessSpecifications(*accessSpecification, destinationDevice);
        return;
    }

    if (const XMLElement* monitored =
            NextSibling(Child(pdu.FirstChildElement("SubscribeCOVRequest"), "SubscriberProcessIdentifier"),
                        "MonitoredObjectIdentifier")) {
        GetObjectFromIdentifier(*monitored, destinationDevice);
        return;
    }

    if (const XMLElement* initiating =
            NextSibling(Child(pdu.FirstChildElement("ConfirmedCOVNotificationRequest"), "SubscriberProcessIdentifier"),
                        "InitiatingDeviceIdentifier")) {
        HandleCOVNotification(*initiating, sourceDevice, "ConfirmedCOVNotificationRequest");
        return;
    }

    if (const XMLElement* objectId = Child(pdu.FirstChildElement("WritePropertyRequest"), "ObjectIdentifier")) {
        GetObjectFromIdentifier(*objectId, destinationDevice);
        return;
    }

    if (const XMLElement* accessSpecification =
            Child(Child(pdu.FirstChildElement("WritePropertyMultipleRequest"), "ListOfWriteAccessSpecifications"),
                  "WriteAccessSpecification")) {
        HandleWriteAccessSpecifications(*accessSpecification, destinationDevice);
        return;
    }

    ReportPrint(
        "Error: (Packet %u) Unexpected confirmed-req service choice: Handled service choices are "
        "ReadPropertyRequest, ReadPropertyMultipleRequest, SubscribeCOVRequest, "
        "ConfirmedCOVNotificationRequest, WritePropertyRequest or WritePropertyMultipleRequest \n",
        PacketNumber());
    SetPacketError();
}

void PacketXmlAnalyzer::HandleUnconfirmedRequest(const XMLElement& pdu, NetworkAddressRecord& source,
                                                 uint16_t sourceNetwork, std::string_view sourceAddress,
                                                 NetworkAddressRecord& destination, uint16_t destinationNetwork,
                                                 std::string_view destinationAddress) {
    DeviceRecord& sourceDevice = source.GetOrAddNetwork(sourceNetwork).GetOrAddDevice(sourceAddress);
    // The receiving device is recorded too, although no service here fills it.
    destination.GetOrAddNetwork(destinationNetwork).GetOrAddDevice(destinationAddress);

    if (const XMLElement* initiating = NextSibling(
            Child(pdu.FirstChildElement("UnconfirmedCOVNotificationRequest"), "SubscriberProcessIdentifier"),
            "InitiatingDeviceIdentifier")) {
        HandleCOVNotification(*initiating, sourceDevice, "UnconfirmedCOVNotificationRequest");
        return;
    }

    if (pdu.FirstChildElement("WhoIsRequest") != nullptr) return;

    if (const XMLElement* deviceId = Child(pdu.FirstChildElement("IAmRequest"), "IAmDeviceIdentifier")) {
        GetObjectFromIdentifier(*deviceId, sourceDevice);
        return;
    }

    if (pdu.FirstChildElement("WhoHasRequest") != nullptr) return;

    if (const XMLElement* deviceId = Child(pdu.FirstChildElement("IHaveRequest"), "DeviceIdentifier")) {
        GetObjectFromIdentifier(*deviceId, sourceDevice);
        if (const XMLElement* objectId = deviceId->NextSiblingElement("ObjectIdentifier")) {
            GetObjectFromIdentifier(*objectId, sourceDevice);
        }
        return;
    }

    if (pdu.FirstChildElement("TimeSynchronizationRequest") != nullptr ||
        pdu.FirstChildElement("UTCTimeSynchronizationRequest") != nullptr ||
        pdu.FirstChildElement("UnconfirmedPrivateTransferRequest") != nullptr) {
        return;
    }

    ReportPrint(
        "Error: (Packet %u) Unexpected unconfirmed-req service choice: Handled service choices are "
        "UnconfirmedCOVNotificationRequest, WhoIsRequest, IAmRequest, WhoHasRequest, IHaveRequest, "
        "TimeSynchronizationRequest, UTCTimeSynchronizationRequest, UnconfirmedPrivateTransferRequest \n",
        PacketNumber());
    SetPacketError();
}

void PacketXmlAnalyzer::HandleComplexAck(const XMLElement& pdu, NetworkAddressRecord& source, uint16_t sourceNetwork,
                                         std::string_view sourceAddress) {
    // Only the answering device is recorded.
    DeviceRecord& sourceDevice = source.GetOrAddNetwork(sourceNetwork).GetOrAddDevice(sourceAddress);

    if (const XMLElement* objectId = Child(pdu.FirstChildElement("ReadPropertyACK"), "ObjectIdentifier")) {
        HandleReadPropertyAck(*objectId, sourceDevice);
        return;
    }
    if (const XMLElement* result = Child(
            Child(pdu.FirstChildElement("ReadPropertyMultipleACK"), "ListOfReadAccessResults"), "ReadAccessResult")) {
        HandleReadAccessResults(*result, sourceDevice);
        return;
    }
    ReportPrint(
        "Error: (Packet %u) Unexpected complex-ack service choice: Handled services are ReadPropertyACK and "
        "ReadPropertyMultipleACK\n",
        PacketNumber());
    SetPacketError();
}

void PacketXmlAnalyzer::HandleErrorPdu(const XMLElement& pdu) {
    if (!db_.originalInvokeId.has_value()) return;
    const PendingRequest* pending = db_.FindPendingRequest(static_cast<uint8_t>(*db_.originalInvokeId & 0xFF));
    if (pending == nullptr) return;
    // Copied: the chain below may append to the records, never to the requests,
    // but a copy keeps the reads independent of the map.
    const PendingRequest request = *pending;
    ObjectRecord* object = db_.GetOrAddNetworkAddress(request.ipv4Address)
                               .GetOrAddNetwork(request.network)
                               .GetOrAddDevice(request.deviceAddress)
                               .GetOrAddObject(request.objectInstance, request.objectType);
    if (object == nullptr) return;
    PropertyRecord& property = object->GetOrAddProperty(request.propertyName);
    if (const XMLElement* error = pdu.FirstChildElement("Error")) {
        property.AddValue(PacketNumber(), FormatError(*error));
    }
}

ObjectRecord* PacketXmlAnalyzer::GetObjectFromIdentifier(const XMLElement& element, DeviceRecord& device) {
    const std::optional<uint32_t> instance = UnsignedAttribute(element, "objectInstance");
    if (!instance.has_value()) {
        ReportPrint(
            "Error: (Packet %u) The attribute objectInstance for the ObjectIdentifier or "
            "MonitoredObjectIdentifier element wasn't found \n",
            PacketNumber());
        SetPacketError();
        return nullptr;
    }
    const std::optional<uint32_t> type = UnsignedAttribute(element, "objectType");
    if (!type.has_value()) {
        ReportPrint(
            "Error: (Packet %u) The attribute objectType for the ObjectIdentifier or "
            "MonitoredObjectIdentifier element wasn't found \n",
            PacketNumber());
        SetPacketError();
        return nullptr;
    }
    // An object identifier has 22 bits of instance and 10 bits of type; a
    // larger value would be stored truncated as some other object.
    if (*instance > kMaxObjectInstance) {
        ReportPrint(
            "Error: (Packet %u) The attribute objectInstance [%u] of the %s element is above the largest "
            "object instance 4194303 \n",
            PacketNumber(), *instance, element.Name());
        SetPacketError();
        return nullptr;
    }
    if (*type > kMaxObjectType) {
        ReportPrint(
            "Error: (Packet %u) The attribute objectType [%u] of the %s element is above the largest object "
            "type 1023 \n",
            PacketNumber(), *type, element.Name());
        SetPacketError();
        return nullptr;
    }
    return device.GetOrAddObject(*instance, *type);
}

void PacketXmlAnalyzer::HandleSingleObjectFromRequest(const XMLElement& element, DeviceRecord& device,
                                                      bool withProperty) {
    ObjectRecord* object = GetObjectFromIdentifier(element, device);
    if (object == nullptr || !withProperty) return;

    if (const XMLElement* propertyId = element.NextSiblingElement("PropertyIdentifier")) {
        const char* name = propertyId->GetText();
        if (name == nullptr) {
            ReportPrint("Error: (Packet %u) Could not get text from PropertyIdentifier element\n", PacketNumber());
            SetPacketError();
            return;
        }
        object->GetOrAddProperty(name);
        db_.pendingRequest.objectInstance = object->Instance();
        db_.pendingRequest.objectType = object->Type();
        db_.pendingRequest.propertyName.assign(name);
        return;
    }
    if (const XMLElement* propertyValue = Child(element.NextSiblingElement("ListOfValues"), "PropertyValue")) {
        HandleListOfValues(*propertyValue, *object, true);
        return;
    }
    ReportPrint(
        "Error: (Packet %u) HandleSingleObjectFromRequest: Could not find a PropertyIdentifier or "
        "ListOfValues element\n",
        PacketNumber());
    SetPacketError();
}

void PacketXmlAnalyzer::HandleReadPropertyAck(const XMLElement& objectIdentifier, DeviceRecord& device) {
    ObjectRecord* object = GetObjectFromIdentifier(objectIdentifier, device);
    if (object == nullptr) return;

    const XMLElement* propertyId = objectIdentifier.NextSiblingElement("PropertyIdentifier");
    if (propertyId == nullptr) {
        ReportPrint("Error: (Packet %u) ComplexACK/ReadPropertyAck: Could not find the PropertyIdentifier element \n",
                    PacketNumber());
        SetPacketError();
        return;
    }
    const char* name = propertyId->GetText();
    if (name == nullptr) {
        ReportPrint(
            "Error: (Packet %u) ComplexACK/ReadPropertyAck/PropertyIdentifier: Could not get text from "
            "PropertyIdentifier element\n",
            PacketNumber());
        SetPacketError();
        return;
    }
    PropertyRecord& property = object->GetOrAddProperty(name);

    const XMLElement* propertyValue = propertyId->NextSiblingElement("PropertyValue");
    if (propertyValue == nullptr) {
        ReportPrint(
            "Error: (Packet %u) ComplexACK/ReadPropertyAck/PropertyIdentifier: Could not find the "
            "PropertyValue element \n",
            PacketNumber());
        SetPacketError();
        return;
    }
    FormatPropertyValue(*propertyValue, property);
    if (StartsWithObjectList(name)) HandleObjectList(*propertyValue, device);
}

void PacketXmlAnalyzer::HandleCOVNotification(const XMLElement& initiating, DeviceRecord& device,
                                              const char* service) {
    GetObjectFromIdentifier(initiating, device);
    if (const XMLElement* monitored = initiating.NextSiblingElement("MonitoredObjectIdentifier")) {
        HandleSingleObjectFromRequest(*monitored, device, true);
        return;
    }
    ReportPrint("Error: (Packet %u) %s: Couldn't find MonitoredObjectIdentifier tag  \n", PacketNumber(), service);
    SetPacketError();
}

template <class Handle>
void PacketXmlAnalyzer::ForEachAccessedObject(const XMLElement& first, const char* name, DeviceRecord& device,
                                              const char* missingFormat, Handle handle) {
    for (const XMLElement* element = &first; element != nullptr; element = element->NextSiblingElement(name)) {
        const XMLElement* objectId = element->FirstChildElement("ObjectIdentifier");
        if (objectId == nullptr) {
            ReportPrint(missingFormat, PacketNumber());
            SetPacketError();
            continue;
        }
        if (ObjectRecord* object = GetObjectFromIdentifier(*objectId, device)) handle(*objectId, *object);
    }
}

void PacketXmlAnalyzer::HandleReadAccessSpecifications(const XMLElement& first, DeviceRecord& device) {
    ForEachAccessedObject(
        first, "ReadAccessSpecification", device,
        "Error: (Packet %u) ConfirmedRequest/ReadPropertyMultipleRequest/ListOfReadAccessSpecifications/"
        "ReadAccessSpecification: Could not find an ObjectIdentifier element \n",
        [&](const XMLElement& objectId, ObjectRecord& object) {
            const XMLElement* reference =
                Child(objectId.NextSiblingElement("ListOfPropertyReferences"), "PropertyReference");
            if (reference == nullptr) {
                ReportPrint(
                    "Error: (Packet %u) ConfirmedRequest/ReadPropertyMultipleRequest/"
                    "ListOfReadAccessSpecifications/ReadAccessSpecification/ObjectIdentifier: Could not find "
                    "PropertyReference element \n",
                    PacketNumber());
                SetPacketError();
                return;
            }
            HandlePropertyReferences(*reference, device, object, false);
        });
}

void PacketXmlAnalyzer::HandleReadAccessResults(const XMLElement& first, DeviceRecord& device) {
    ForEachAccessedObject(
        first, "ReadAccessResult", device,
        "Error: (Packet %u) ComplexACK/ReadPropertyMultipleACK/ReadAccessResult: Could not find "
        "ObjectIdentifier element \n",
        [&](const XMLElement& objectId, ObjectRecord& object) {
            // A result without its list of results records only the object.
            if (const XMLElement* readResult = Child(objectId.NextSiblingElement("ListOfResults"), "ReadResult")) {
                HandlePropertyReferences(*readResult, device, object, true);
            }
        });
}

void PacketXmlAnalyzer::HandleWriteAccessSpecifications(const XMLElement& first, DeviceRecord& device) {
    ForEachAccessedObject(
        first, "WriteAccessSpecification", device,
        "Error: (Packet %u) ConfirmedRequest/WritePropertyMultipleRequest/ListOfWriteAccessSpecifications/"
        "WriteAccessSpecification: Could not find ObjectIdentifier element \n",
        [&](const XMLElement& objectId, ObjectRecord& object) {
            // The list of properties follows the identifier, whatever its name.
            const XMLElement* propertyValue = Child(objectId.NextSiblingElement(), "PropertyValue");
            if (propertyValue == nullptr) {
                ReportPrint(
                    "Error: (Packet %u) ConfirmedRequest/WritePropertyMultipleRequest/"
                    "ListOfWriteAccessSpecifications/WriteAccessSpecification/ObjectIdentifier: Could not find "
                    "PropertyValue element \n",
                    PacketNumber());
                SetPacketError();
                return;
            }
            // The written properties are recorded, their values are not.
            HandleListOfValues(*propertyValue, object, false);
        });
}

void PacketXmlAnalyzer::HandlePropertyReferences(const XMLElement& first, DeviceRecord& device, ObjectRecord& object,
                                                 bool withValues) {
    for (const XMLElement* reference = &first; reference != nullptr; reference = reference->NextSiblingElement()) {
        const XMLElement* propertyId = nullptr;
        const char* name = nullptr;
        PropertyRecord* property =
            GetPropertyFromIdentifier(*reference, object, "PropertyReference or ReadResult",
                                      "(PropertyReference or ReadResult)", propertyId, name);
        if (property == nullptr || !withValues) continue;
        if (const XMLElement* propertyValue = propertyId->NextSiblingElement("PropertyValue")) {
            FormatPropertyValue(*propertyValue, *property);
            if (StartsWithObjectList(name)) HandleObjectList(*propertyValue, device);
        } else if (const XMLElement* accessError = propertyId->NextSiblingElement("PropertyAccessError")) {
            property->AddValue(PacketNumber(), FormatError(*accessError));
        }
    }
}

void PacketXmlAnalyzer::HandleListOfValues(const XMLElement& first, ObjectRecord& object, bool withValues) {
    for (const XMLElement* propertyValue = &first; propertyValue != nullptr;
         propertyValue = propertyValue->NextSiblingElement("PropertyValue")) {
        const XMLElement* propertyId = nullptr;
        const char* name = nullptr;
        PropertyRecord* property = GetPropertyFromIdentifier(*propertyValue, object, "ListOfValues/PropertyValue",
                                                             "ListOfValues/PropertyValue", propertyId, name);
        if (property == nullptr || !withValues) continue;
        if (const XMLElement* value = propertyId->NextSiblingElement("Value")) FormatPropertyValue(*value, *property);
    }
}

PropertyRecord* PacketXmlAnalyzer::GetPropertyFromIdentifier(const XMLElement& element, ObjectRecord& object,
                                                             const char* path, const char* parentPath,
                                                             const XMLElement*& propertyId, const char*& name) {
    propertyId = element.FirstChildElement("PropertyIdentifier");
    if (propertyId == nullptr) {
        ReportPrint("Error: (Packet %u) %s: No PropertyIdentifier child element found \n", PacketNumber(), path);
        SetPacketError();
        return nullptr;
    }
    name = propertyId->GetText();
    if (name == nullptr) {
        ReportPrint("Error: (Packet %u) %s/PropertyIdentifier: Could not get PropertyIdentifier text \n",
                    PacketNumber(), parentPath);
        SetPacketError();
        return nullptr;
    }
    return &object.GetOrAddProperty(name);
}

void PacketXmlAnalyzer::HandleObjectList(const XMLElement& propertyValue, DeviceRecord& device) {
    for (const XMLElement* objectId = propertyValue.FirstChildElement("ObjectIdentifier"); objectId != nullptr;
         objectId = objectId->NextSiblingElement("ObjectIdentifier")) {
        GetObjectFromIdentifier(*objectId, device);
    }
}

void PacketXmlAnalyzer::FormatPropertyValue(const XMLElement& value, PropertyRecord& property) {
    const XMLElement* first = value.FirstChildElement();
    if (first == nullptr) {
        ReportPrint("Error: (Packet %u) No element specifying the primitive type of the property value was found \n",
                    PacketNumber());
        SetPacketError();
        return;
    }
    std::string text;
    unsigned elementCount = 0;
    for (const XMLElement* element = first; element != nullptr; element = element->NextSiblingElement()) {
        if (elementCount++ > 0) text += ", ";
        if (const char* elementText = element->GetText()) {
            text += elementText;
        } else {
            text += std::strcmp(element->Name(), "UnknownAPDU") == 0 ? "{Unknown}" : "{Empty}";
        }
        if (UnsignedAttribute(*element, "datatype") == kEnumeratedDatatype) {
            if (const std::optional<uint32_t> number = UnsignedAttribute(*element, "value")) {
                text += " (";
                text += std::to_string(*number);
                text += ')';
            }
        }
    }
    if (elementCount > 1) {
        text.insert(text.begin(), '[');
        text += ']';
    }
    property.AddValue(PacketNumber(), text);
}

std::string PacketXmlAnalyzer::FormatError(const XMLElement& error) {
    std::string text = "[Error: ";
    const XMLElement* errorClass = error.FirstChildElement("ErrorClass");
    if (errorClass == nullptr) {
        ReportPrint("Error: (Packet %u) Expected an ErrorClass element \n", PacketNumber());
        SetPacketError();
        return text + "]";
    }
    text += "Error-class: ";
    if (const char* classText = errorClass->GetText()) {
        text += classText;
        text += ", ";
    } else {
        ReportPrint("Error: (Packet %u) ErrorClass text not found \n", PacketNumber());
        SetPacketError();
        text += "Unknown, ";
    }

    const XMLElement* errorCode = errorClass->NextSiblingElement("ErrorCode");
    if (errorCode == nullptr) {
        ReportPrint("Error: (Packet %u) Expected an ErrorCode element \n", PacketNumber());
        SetPacketError();
        return text + "]";
    }
    text += "Error-code: ";
    if (const char* codeText = errorCode->GetText()) {
        text += codeText;
    } else {
        ReportPrint("Error: (Packet %u) ErrorCode text not found \n", PacketNumber());
        SetPacketError();
        text += "Unknown";
    }
    return text + "]";
}

}  // namespace Tarnwick
