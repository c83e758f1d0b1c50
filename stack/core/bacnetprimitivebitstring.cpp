#include "core/bacnetprimitivebitstring.h"

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetprimitivebitstring";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetPrimitiveBitSTRING::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetPrimitiveBitSTRING::Encode";
constexpr uint8_t kMaxUnusedBits = 7;

size_t OctetsFor(uint64_t bitCount) { return static_cast<size_t>((bitCount + 7) / 8); }
uint8_t BitMask(uint32_t index) { return static_cast<uint8_t>(0x80u >> (index % 8)); }
constexpr const char* kTagFailure = "Can not extract Property length ";
}  // namespace

void BACnetPrimitiveBitSTRING::SetValue(const std::vector<bool>& bits) {
    bitCount_ = static_cast<uint32_t>(bits.size());
    octets_.assign(OctetsFor(bitCount_), 0);
    for (uint32_t i = 0; i < bitCount_; ++i) {
        if (bits[i]) octets_[i / 8] |= BitMask(i);
    }
    MarkAssigned(ContentLength());
}

void BACnetPrimitiveBitSTRING::SetValue(const uint8_t* octets, uint32_t bitCount) {
    if (octets == nullptr) bitCount = 0;
    bitCount_ = bitCount;
    octets_.assign(octets, octets + OctetsFor(bitCount));
    ClearUnusedBits();
    MarkAssigned(ContentLength());
}

bool BACnetPrimitiveBitSTRING::SetBit(uint32_t index, bool bit) {
    if (index >= kMaxBitCount) return false;
    if (index >= bitCount_) {
        bitCount_ = index + 1;
        octets_.resize(OctetsFor(bitCount_), 0);
    }
    if (bit) {
        octets_[index / 8] |= BitMask(index);
    } else {
        octets_[index / 8] &= static_cast<uint8_t>(~BitMask(index));
    }
    MarkAssigned(ContentLength());
    return true;
}

bool BACnetPrimitiveBitSTRING::GetBit(uint32_t index) const {
    return index < bitCount_ && (octets_[index / 8] & BitMask(index)) != 0;
}

void BACnetPrimitiveBitSTRING::ClearUnusedBits() {
    if (!octets_.empty()) octets_.back() &= static_cast<uint8_t>(0xFFu << UnusedBits());
}

uint16_t BACnetPrimitiveBitSTRING::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    Reset();
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    uint32_t contentLength = 0;
    const char* failure = nullptr;
    const uint16_t headerSize =
        DecodeStringHeader(buffer, length, outcome, Datatype::kBitString, kTagFailure, contentLength, failure);
    if (headerSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    BACnetStackOctetReader reader(buffer, length);
    reader.Skip(headerSize);
    // The unused-bits octet is part of every BIT STRING.
    if (contentLength == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Missing unused bits octet");
        SetReject(outcome, kRejectParameterOutOfRange);
        Reset();
        return 0;
    }
    uint8_t unusedBits = 0;
    reader.ReadU8(unusedBits);
    if (unusedBits > kMaxUnusedBits) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid number of unused bits=[%u]", unsigned{unusedBits});
        SetReject(outcome, kRejectParameterOutOfRange);
        Reset();
        return 0;
    }
    const uint32_t bitOctets = contentLength - 1;
    octets_.assign(reader.Current(), reader.Current() + bitOctets);
    reader.Skip(bitOctets);
    // Without bit octets the string is empty whatever the unused-bits octet says.
    bitCount_ = bitOctets == 0 ? 0 : bitOctets * 8 - unusedBits;
    ClearUnusedBits();
    valid_ = true;
    return static_cast<uint16_t>(reader.Position());
}

uint16_t BACnetPrimitiveBitSTRING::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid primitive enum object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    const uint32_t contentLength = ContentLength();
    if (uint64_t{room} < uint64_t{contentLength} + 1) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough space to encode this object");
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    uint8_t header[BACnetTag::kMaxHeaderSize];
    const uint16_t headerSize = BuildHeader(contentLength, room, header);
    if (headerSize == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Could not encode BACnet Tag");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (uint32_t{room} - headerSize <= contentLength) {
        StackErrorLog(kEncode, kSource, __LINE__,
                      "Error insufficient space. max_length=[%d], message_offset=[%d], value.size+encoding=[%d]",
                      int{room}, int{headerSize}, static_cast<int>(contentLength));
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    BACnetStackOctetWriter writer(buffer, room);
    writer.WriteBytes(header, headerSize);
    writer.WriteU8(UnusedBits());
    writer.WriteBytes(octets_.data(), octets_.size());
    return static_cast<uint16_t>(writer.Position());
}

void BACnetPrimitiveBitSTRING::Reset() {
    octets_.clear();
    bitCount_ = 0;
    ResetPrimitive(Datatype::kBitString);
}

bool BACnetPrimitiveBitSTRING::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != Datatype::kBitString) return false;
    const auto* same = dynamic_cast<const BACnetPrimitiveBitSTRING*>(other);
    return same != nullptr && same->bitCount_ == bitCount_ && same->octets_ == octets_;
}

std::string BACnetPrimitiveBitSTRING::GetElementText() const {
    if (bitCount_ == 0) return {};
    std::string text;
    text.reserve(1 + bitCount_);
    text += 'b';
    for (uint32_t i = 0; i < bitCount_; ++i) text += GetBit(i) ? '1' : '0';
    return text;
}

bool BACnetPrimitiveBitSTRING::GetAttributes(RenderAttributes& attributes) const {
    BACnetPrimitiveBase::GetAttributes(attributes);
    attributes["length"] = std::to_string(bitCount_);
    attributes["unusedBits"] = std::to_string(UnusedBits());
    return true;
}

}  // namespace ZalvoBACnetStack
