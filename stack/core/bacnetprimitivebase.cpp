#include "core/bacnetprimitivebase.h"

#include <string>

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitivebase";
constexpr const char* kDecodeWithContext = "ZalvoBACnetStack::BACnetPrimitiveBase::DecodeWithContext";
constexpr const char* kEncodeWithContext = "ZalvoBACnetStack::BACnetPrimitiveBase::EncodeWithContext";
// A date or time: four content octets.
constexpr uint16_t kFourOctets = 4;
}  // namespace

// The numbers' texts, and the dates' and times' (which have their own).
const BACnetPrimitiveBase::ContentTexts BACnetPrimitiveBase::kNumberTexts{
    "Can not extract Property length ", kRejectInvalidTag, "Invalid application tag",
    "Invalid parameters", nullptr, "Could not encode BACnet Tag"};
const BACnetPrimitiveBase::ContentTexts BACnetPrimitiveBase::kFourOctetTexts{
    "Could not extract BACnet Tag", kRejectOther, nullptr,
    "Invalid prameters", "Invalid primitive integer object", "Could not encode BACnet tag"};

uint16_t BACnetPrimitiveBase::DecodeWithContext(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                                uint8_t contextTag, bool quiet) {
    if (buffer == nullptr || length == 0) {
        if (!quiet) {
            StackErrorLog(kDecodeWithContext, kSource, __LINE__, "Invalid parameters ");
            SetReject(outcome, kRejectOther);
        }
        return 0;
    }
    Reset();
    if (tag_.Decode(buffer, length) == 0) {
        StackErrorLog(kDecodeWithContext, kSource, __LINE__, "Could not decode the tag");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    if (!tag_.IsContext() || tag_.tagNumber != contextTag) {
        if (!quiet) {
            StackErrorLog(kDecodeWithContext, kSource, __LINE__, "Invalid Tag Number");
            SetReject(outcome, kRejectInvalidTag);
        }
        Reset();
        return 0;
    }
    if (tag_.IsOpeningOrClosing()) {
        if (!quiet) {
            StackErrorLog(kDecodeWithContext, kSource, __LINE__,
                          "Invalid tag, decoded an opening or closing tag when this is a primitive");
            SetReject(outcome, kRejectInvalidTag);
        }
        Reset();
        return 0;
    }
    const uint16_t used = Decode(buffer, length, outcome);
    if (used == 0) {
        StackErrorLog(kDecodeWithContext, kSource, __LINE__, "Could not decode the primitive");
        return 0;
    }
    return used;
}

uint16_t BACnetPrimitiveBase::EncodeWithContext(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                                uint8_t contextTag) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Invalid primitive");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!tag_.IsContext() || tag_.tagNumber != contextTag) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Invalid tag");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    const uint16_t written = Encode(buffer, room, outcome);
    if (written == 0) {
        StackErrorLog(kEncodeWithContext, kSource, __LINE__, "Error encoding primitive");
        return 0;
    }
    return written;
}

bool BACnetPrimitiveBase::GetAttributes(RenderAttributes& attributes) const {
    attributes["datatype"] = std::to_string(GetDatatype());
    if (tag_.IsContext()) attributes["context"] = std::to_string(tag_.tagNumber);
    return true;
}

uint16_t BACnetPrimitiveBase::DecodeNumber(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                           uint8_t datatype, uint32_t fixedLength, uint64_t& contents,
                                           uint32_t& contentLength, const char*& failure) {
    failure = nullptr;
    contents = 0;
    contentLength = 0;
    Reset();
    if (buffer == nullptr || length == 0) {
        failure = "Invalid parameters ";
        SetReject(outcome, kRejectOther);
        return 0;
    }
    return DecodeContents(buffer, length, outcome, datatype, fixedLength, kNumberTexts, contents, contentLength,
                          failure);
}

uint16_t BACnetPrimitiveBase::EncodeNumber(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                           uint32_t contentLength, uint64_t contents, const char* invalidText,
                                           const char*& failure) const {
    ContentTexts texts = kNumberTexts;
    texts.invalidObject = invalidText;
    return EncodeContents(buffer, room, outcome, contentLength, contents, texts, failure);
}

uint16_t BACnetPrimitiveBase::DecodeContents(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                             uint8_t datatype, uint32_t fixedLength, const ContentTexts& texts,
                                             uint64_t& contents, uint32_t& contentLength, const char*& failure) {
    const uint16_t headerSize = tag_.Decode(buffer, length);
    if (headerSize == 0) {
        failure = texts.tagFailure;
        SetReject(outcome, texts.tagFailureReason);
        Reset();
        return 0;
    }
    if (!tag_.IsContext() && tag_.tagNumber != datatype) {
        failure = texts.invalidTag;
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    if (fixedLength != 0 && tag_.lengthValueType != fixedLength) {
        SetReject(outcome, kRejectParameterOutOfRange);
        Reset();
        return 0;
    }
    if (fixedLength == 0 && (tag_.lengthValueType == 0 || tag_.lengthValueType > 4)) {
        failure = "Tag value out of range";
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    BACnetStackOctetReader reader(buffer, length);
    if (!reader.Skip(headerSize) || !reader.ReadUnsigned(tag_.lengthValueType, contents)) {
        failure = "Message is to short. ";
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    contentLength = tag_.lengthValueType;
    return static_cast<uint16_t>(reader.Position());
}

uint16_t BACnetPrimitiveBase::EncodeContents(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                             uint32_t contentLength, uint64_t contents, const ContentTexts& texts,
                                             const char*& failure) const {
    failure = nullptr;
    if (buffer == nullptr || room == 0) {
        failure = texts.invalidParameters;
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        failure = texts.invalidObject;
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    uint8_t header[BACnetTag::kMaxHeaderSize];
    const uint16_t headerSize = BuildHeader(contentLength, BACnetTag::kMaxHeaderSize, header);
    if (headerSize == 0) {
        failure = texts.headerFailure;
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (room < headerSize + contentLength) {
        failure = "Not enough space to encode this object";
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    BACnetStackOctetWriter writer(buffer, room);
    writer.WriteBytes(header, headerSize);
    writer.WriteUnsigned(contentLength, contents);
    return static_cast<uint16_t>(writer.Position());
}

uint16_t BACnetPrimitiveBase::DecodeStringHeader(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                                 uint8_t datatype, const char* tagFailureText,
                                                 uint32_t& contentLength, const char*& failure) {
    failure = nullptr;
    contentLength = 0;
    const uint16_t headerSize = tag_.Decode(buffer, length);
    if (headerSize == 0) {
        failure = tagFailureText;
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    if (!tag_.IsContext() && tag_.tagNumber != datatype) {
        failure = "Invalid application tag";
        SetReject(outcome, kRejectInvalidTag);
        Reset();
        return 0;
    }
    if (static_cast<uint32_t>(length - headerSize) < tag_.lengthValueType) {
        failure = "Not enough bytes to read";
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    contentLength = tag_.lengthValueType;
    return headerSize;
}

uint16_t BACnetPrimitiveBase::DecodeFourOctets(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome,
                                               uint8_t datatype, const char* invalidTagText, uint8_t (&contents)[4],
                                               const char*& failure) {
    failure = nullptr;
    Reset();
    // A one-octet header and the four contents at the least.
    if (buffer == nullptr || length < kFourOctets + 1) {
        SetReject(outcome, kRejectOther);
        return 0;
    }
    ContentTexts texts = kFourOctetTexts;
    texts.invalidTag = invalidTagText;
    uint64_t packed = 0;
    uint32_t contentLength = 0;
    const uint16_t used =
        DecodeContents(buffer, length, outcome, datatype, kFourOctets, texts, packed, contentLength, failure);
    for (size_t index = 0; index < kFourOctets; ++index) {
        contents[index] = static_cast<uint8_t>(packed >> (8 * (kFourOctets - 1 - index)));
    }
    return used;
}

uint16_t BACnetPrimitiveBase::EncodeFourOctets(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome,
                                               const uint8_t (&contents)[4], const char*& failure) const {
    uint64_t packed = 0;
    for (const uint8_t octet : contents) packed = packed << 8 | octet;
    return EncodeContents(buffer, room, outcome, kFourOctets, packed, kFourOctetTexts, failure);
}

}  // namespace ZalvoBACnetStack
