#include "message/bacnetnpdu.h"

#include <cstring>

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"
#include "message/bacnetmessagedatatypes.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetnpdu";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetNPDU::Decode";
constexpr const char* kDecodeUsingControl = "ZalvoBACnetStack::BACnetNPDU::DecodeUsingControl";
constexpr const char* kDecodeDestination = "ZalvoBACnetStack::BACnetNPDU::DecodeDestinationAddress";
constexpr const char* kDecodeSource = "ZalvoBACnetStack::BACnetNPDU::DecodeSourceAddress";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetNPDU::Encode";
constexpr const char* kEncodeDestination = "ZalvoBACnetStack::BACnetNPDU::EncodeDestinationAddress";
constexpr const char* kEncodeSource = "ZalvoBACnetStack::BACnetNPDU::EncodeSourceAddress";

// "0x" and two upper-case hexadecimal digits per octet.
void AppendAddress(std::string& out, const uint8_t* address, uint8_t length) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += "0x";
    for (uint8_t i = 0; i < length; ++i) {
        out += kDigits[address[i] >> 4];
        out += kDigits[address[i] & 0x0F];
    }
}

void AppendSpecifier(std::string& out, const char* networkElement, uint16_t network, const char* addressElement,
                     const uint8_t* address, uint8_t length) {
    out += '<';
    out += networkElement;
    out += '>';
    out += std::to_string(network);
    out += "</";
    out += networkElement;
    out += "><";
    out += addressElement;
    out += " length='";
    out += std::to_string(length);
    out += '\'';
    if (length == 0) {
        out += " />";
        return;
    }
    out += '>';
    AppendAddress(out, address, length);
    out += "</";
    out += addressElement;
    out += '>';
}
}  // namespace

uint16_t BACnetNPDU::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    if (length < 2) {
        StackErrorLog(kDecode, kSource, __LINE__, "Buffer does not have enough bytes to decode the NPDU");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (buffer[0] != kProtocolVersion) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid BACnet version");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    version_ = buffer[0];
    control_ = buffer[1];
    uint16_t used = 0;
    if (!DecodeUsingControl(buffer + 2, static_cast<uint16_t>(length - 2), outcome, used)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Error occurred when decoding the rest of the NPDU");
        return 0;
    }
    valid_ = true;
    return static_cast<uint16_t>(2 + used);
}

bool BACnetNPDU::DecodeUsingControl(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                    uint16_t& used) {
    used = 0;
    // A header that ends with its control octet has no optional fields,
    // whatever the control bits announce.
    if (length == 0) return true;
    BACnetStackOctetReader reader(buffer, length);
    if (HasDestination() && !DecodeDestinationAddress(reader, outcome)) {
        StackErrorLog(kDecodeUsingControl, kSource, __LINE__, "Error occurred when decoding the destination address");
        return false;
    }
    if (HasSource() && !DecodeSourceAddress(reader, outcome)) {
        StackErrorLog(kDecodeUsingControl, kSource, __LINE__, "Error occurred when decoding the source address");
        return false;
    }
    // On the wire the hop count closes the header; it is there only with a
    // destination.
    if (HasDestination() && !reader.ReadU8(hopCount_)) {
        StackErrorLog(kDecodeUsingControl, kSource, __LINE__, "Unable to extract the hop count");
        SetAbort(outcome, kAbortOther);
        return false;
    }
    used = static_cast<uint16_t>(reader.Position());
    return true;
}

bool BACnetNPDU::DecodeDestinationAddress(BACnetStackOctetReader& reader, BACnetErrorOutcome* outcome) {
    const char* failure = nullptr;
    uint8_t dlen = 0;
    if (!reader.ReadU16(destinationNetwork_)) {
        failure = "Not enough bytes to decode the DNET";
    } else if (!reader.ReadU8(dlen)) {
        failure = "Not enough bytes to decode the DLEN";
    } else if (dlen > kMaxDestinationAddressLength) {
        StackErrorLog(kDecodeDestination, kSource, __LINE__, "Invalid DLEN=[%u]", unsigned{dlen});
        SetAbort(outcome, kAbortOther);
        return false;
    } else if (!reader.ReadBytes(destinationAddress_.data(), dlen)) {
        failure = "Not enough bytes to decode the DADR";
    }
    if (failure != nullptr) {
        StackErrorLog(kDecodeDestination, kSource, __LINE__, "%s", failure);
        SetAbort(outcome, kAbortOther);
        return false;
    }
    destinationAddressLength_ = dlen;
    return true;
}

bool BACnetNPDU::DecodeSourceAddress(BACnetStackOctetReader& reader, BACnetErrorOutcome* outcome) {
    const char* failure = nullptr;
    uint8_t slen = 0;
    if (reader.AtEnd()) {
        // Only the caller's closing line describes this case.
        SetAbort(outcome, kAbortOther);
        return false;
    }
    if (!reader.ReadU16(sourceNetwork_)) {
        failure = "Not enough bytes to decode the SNET";
    } else if (!reader.ReadU8(slen)) {
        failure = "Not enough bytes to decode the SLEN";
    } else if (slen > kMaxSourceAddressLength) {
        StackErrorLog(kDecodeSource, kSource, __LINE__, "Invalid SLEN=[%u]", unsigned{slen});
        SetAbort(outcome, kAbortOther);
        return false;
    } else if (!reader.ReadBytes(sourceAddress_.data(), slen)) {
        failure = "Not enough bytes to decode the SADR";
    }
    if (failure != nullptr) {
        StackErrorLog(kDecodeSource, kSource, __LINE__, "%s", failure);
        SetAbort(outcome, kAbortOther);
        return false;
    }
    sourceAddressLength_ = slen;
    return true;
}

uint16_t BACnetNPDU::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (room < 2) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough space to encode the minimum object");
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    BACnetStackOctetWriter writer(buffer, room);
    writer.WriteU8(version_);
    writer.WriteU8(control_);
    if (HasDestination() && !EncodeDestinationAddress(writer, outcome)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Unable to encode the destination address");
        return 0;
    }
    if (HasSource() && !EncodeSourceAddress(writer, outcome)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Unable to encode the source address");
        return 0;
    }
    if (HasDestination() && !writer.WriteU8(hopCount_)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough space to encode the hop count");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    return static_cast<uint16_t>(writer.Position());
}

bool BACnetNPDU::EncodeDestinationAddress(BACnetStackOctetWriter& writer, BACnetErrorOutcome* outcome) {
    const char* failure = nullptr;
    if (writer.Remaining() == 0) {
        failure = "Invalid parameters";
    } else if (!writer.WriteU16(destinationNetwork_)) {
        failure = "Not enough space to encode DNET";
    } else if (!writer.WriteU8(destinationAddressLength_)) {
        failure = "Not enough space to encode DLEN";
    } else if (!writer.WriteBytes(destinationAddress_.data(), destinationAddressLength_)) {
        failure = " Not enough space to encode DADR";
    }
    if (failure == nullptr) return true;
    StackErrorLog(kEncodeDestination, kSource, __LINE__, "%s", failure);
    SetAbort(outcome, kAbortOther);
    return false;
}

bool BACnetNPDU::EncodeSourceAddress(BACnetStackOctetWriter& writer, BACnetErrorOutcome* outcome) {
    const char* failure = nullptr;
    if (writer.Remaining() == 0) {
        failure = "Invalid parameters";
    } else if (!writer.WriteU16(sourceNetwork_)) {
        failure = "Not enough space to encode SNET";
    } else if (sourceAddressLength_ == 0) {
        // A source is always a specific station: SLEN 0 is not a valid address.
        failure = "Invalid SLEN, SLEN must be > 0 ";
    } else if (!writer.WriteU8(sourceAddressLength_)) {
        failure = "Not enough space to encode SLEN";
    } else if (!writer.WriteBytes(sourceAddress_.data(), sourceAddressLength_)) {
        failure = "Not enough space to encode SADR";
    }
    if (failure == nullptr) return true;
    StackErrorLog(kEncodeSource, kSource, __LINE__, "%s", failure);
    SetAbort(outcome, kAbortOther);
    return false;
}

std::unique_ptr<ICodable> BACnetNPDU::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetNPDU(*this));
}

uint8_t BACnetNPDU::GetDatatype() const { return Datatype::kNPDU; }

void BACnetNPDU::Reset() { *this = BACnetNPDU{}; }

bool BACnetNPDU::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* npdu = dynamic_cast<const BACnetNPDU*>(other);
    return npdu != nullptr && npdu->valid_ == valid_ && npdu->version_ == version_ && npdu->control_ == control_ &&
           npdu->destinationNetwork_ == destinationNetwork_ &&
           npdu->destinationAddressLength_ == destinationAddressLength_ &&
           std::memcmp(npdu->destinationAddress_.data(), destinationAddress_.data(), destinationAddressLength_) == 0 &&
           npdu->sourceNetwork_ == sourceNetwork_ && npdu->sourceAddressLength_ == sourceAddressLength_ &&
           std::memcmp(npdu->sourceAddress_.data(), sourceAddress_.data(), sourceAddressLength_) == 0 &&
           npdu->hopCount_ == hopCount_;
}

std::string BACnetNPDU::GetElementName() const { return "NPDU"; }

// The hop count is shown right after the destination, before the source,
// although on the wire it closes the header.
std::string BACnetNPDU::GetElementText() const {
    std::string text;
    if (HasDestination()) {
        AppendSpecifier(text, "DestinationNetwork", destinationNetwork_, "DestinationAddress",
                        destinationAddress_.data(), destinationAddressLength_);
        text += "<HopCount>";
        text += std::to_string(hopCount_);
        text += "</HopCount>";
    }
    if (HasSource()) {
        AppendSpecifier(text, "SourceNetwork", sourceNetwork_, "SourceAddress", sourceAddress_.data(),
                        sourceAddressLength_);
    }
    return text;
}

bool BACnetNPDU::GetAttributes(RenderAttributes& attributes) const {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    attributes["version"] = std::to_string(version_);
    attributes["control"] = std::string{'0', 'x', kDigits[control_ >> 4], kDigits[control_ & 0x0F]};
    return true;
}

bool BACnetNPDU::SetDestination(uint16_t network, const uint8_t* address, uint8_t length) {
    if (length > kMaxDestinationAddressLength) return false;
    control_ = static_cast<uint8_t>(control_ | kDestinationSpecifier);
    destinationNetwork_ = network;
    destinationAddressLength_ = length;
    if (address != nullptr && length != 0) std::memcpy(destinationAddress_.data(), address, length);
    hopCount_ = kDefaultHopCount;
    valid_ = true;
    return true;
}

bool BACnetNPDU::SetSource(uint16_t network, const uint8_t* address, uint8_t length) {
    if (length > kMaxSourceAddressLength) return false;
    control_ = static_cast<uint8_t>(control_ | kSourceSpecifier);
    sourceNetwork_ = network;
    sourceAddressLength_ = length;
    if (address != nullptr && length != 0) std::memcpy(sourceAddress_.data(), address, length);
    valid_ = true;
    return true;
}

}  // namespace ZalvoBACnetStack
