#include "core/bacnetstackunknownapdu.h"

#include <cstring>
#include <new>

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetstackunknownapdu";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetStackUnknownAPDU::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetStackUnknownAPDU::Encode";
constexpr const char* kSetBuffer = "ZalvoBACnetStack::BACnetStackUnknownAPDU::SetBuffer";
}  // namespace

uint16_t BACnetStackUnknownAPDU::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    Reset();
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters ");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    BACnetTag tag;
    const uint16_t headerSize = tag.Decode(buffer, length);
    if (headerSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Error decoding tag");
        return 0;
    }
    if (!tag.IsContext()) {
        StackErrorLog(kDecode, kSource, __LINE__, "Error - not a context tag");
        return 0;
    }
    if (headerSize > length) {
        StackErrorLog(kDecode, kSource, __LINE__, "Error - ran out of bytes");
        return 0;
    }
    if (tag.lengthValueType > static_cast<uint32_t>(length - headerSize)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Error - not enough bytes");
        return 0;
    }
    if (!SetBuffer(buffer + headerSize, tag.lengthValueType)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Error - failed to set the buffer");
        return 0;
    }
    tag_ = tag;
    contextTag_ = tag.tagNumber;
    valid_ = true;
    return static_cast<uint16_t>(headerSize + length_);
}

uint16_t BACnetStackUnknownAPDU::Encode(uint8_t* /*buffer*/, uint16_t /*room*/, BACnetErrorOutcome* /*outcome*/) {
    StackErrorLog(kEncode, kSource, __LINE__, "PANIC - attempted to Encode an UnknownAPDU object");
    return 0;
}

std::unique_ptr<ICodable> BACnetStackUnknownAPDU::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetStackUnknownAPDU(*this));
}

void BACnetStackUnknownAPDU::Reset() {
    length_ = 0;
    tag_.Reset();
    contextTag_ = -1;
    valid_ = false;
}

bool BACnetStackUnknownAPDU::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* unknown = dynamic_cast<const BACnetStackUnknownAPDU*>(other);
    return unknown != nullptr && unknown->length_ == length_ &&
           std::memcmp(unknown->data_.data(), data_.data(), length_) == 0;
}

bool BACnetStackUnknownAPDU::SetBuffer(const uint8_t* bytes, uint32_t n) {
    if (bytes == nullptr || n == 0) {
        StackErrorLog(kSetBuffer, kSource, __LINE__, "Error - invalid buffer");
        return false;
    }
    if (n > kMaxLength) {
        StackErrorLog(kSetBuffer, kSource, __LINE__, "Error - buffer overflow");
        return false;
    }
    std::memcpy(data_.data(), bytes, n);
    length_ = n;
    valid_ = true;
    return true;
}

}  // namespace ZalvoBACnetStack
