#include "message/bacnetbvll.h"

#include <cstdio>
#include <iterator>

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"
#include "message/bacnetmessagedatatypes.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetbvll";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetBVLL::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetBVLL::Encode";

// How a function's octets after the header are laid out.
enum class Payload { kUnknown, kHeaderOnly, kOriginatingAddress, kRestOfBuffer };

Payload PayloadOf(uint8_t function) {
    switch (function) {
        case BACnetBVLL::kReadBroadcastDistributionTable:
        case BACnetBVLL::kReadForeignDeviceTable:
        case BACnetBVLL::kDistributeBroadcastToNetwork:
        case BACnetBVLL::kOriginalUnicastNPDU:
        case BACnetBVLL::kOriginalBroadcastNPDU:
            return Payload::kHeaderOnly;
        case BACnetBVLL::kForwardedNPDU:
            return Payload::kOriginatingAddress;
        case BACnetBVLL::kResult:
        case BACnetBVLL::kWriteBroadcastDistributionTable:
        case BACnetBVLL::kReadBroadcastDistributionTableAck:
        case BACnetBVLL::kRegisterForeignDevice:
        case BACnetBVLL::kReadForeignDeviceTableAck:
        case BACnetBVLL::kDeleteForeignDeviceTableEntry:
        case BACnetBVLL::kSecureBVLL:
            return Payload::kRestOfBuffer;
        default:
            return Payload::kUnknown;
    }
}
}  // namespace

bool BACnetBVLL::CarriesNPDU(uint8_t function) {
    return function == kForwardedNPDU || function == kDistributeBroadcastToNetwork ||
           function == kOriginalUnicastNPDU || function == kOriginalBroadcastNPDU;
}

const char* BACnetBVLL::FunctionName(uint8_t function) {
    static constexpr const char* kNames[] = {
        "result",
        "writeBroadcastDistributionTable",
        "readBroadcastDistributionTable",
        "readBroadcastDistributionTableAck",
        "forwardedNPDU",
        "registerForeignDevice",
        "readForeignDeviceTable",
        "readForeignDeviceTableAck",
        "deleteForeignDeviceTableEntry",
        "distributeBroadcastToNetwork",
        "originalUnicastNPDU",
        "originalBroadcastNPDU",
        "secureBVLL",
    };
    return function < std::size(kNames) ? kNames[function] : nullptr;
}

const char* BACnetBVLL::ResultName(uint16_t resultCode) {
    switch (resultCode) {
        case 0x0000: return "Success";
        case 0x0010: return "WriteBroadcastDistributionTableNAK";
        case 0x0020: return "ReadBroadcastDistributionTableNAK";
        case 0x0030: return "RegisterForeignDeviceNAK";
        case 0x0040: return "ReadForeignDeviceTableNAK";
        case 0x0050: return "DeleteForeignDeviceTableEntryNAK";
        case 0x0060: return "DistributeBroadcastToNetworkNAK";
        default: return nullptr;
    }
}

uint16_t BACnetBVLL::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* /*outcome*/) {
    Reset();
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        return 0;
    }
    if (length < kHeaderSize) {
        StackErrorLog(kDecode, kSource, __LINE__, "Buffer does not have enough bytes to decode a proper BVLL");
        return 0;
    }
    BACnetStackOctetReader reader(buffer, length);
    uint8_t type = 0;
    uint8_t function = 0;
    uint16_t lengthField = 0;
    if (!reader.ReadU8(type) || !reader.ReadU8(function) || !reader.ReadU16(lengthField)) return 0;
    if (type != kBACnetIPType) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid BVLC type=[%u]", unsigned{type});
        return 0;
    }
    type_ = type;
    function_ = function;
    length_ = lengthField;
    switch (PayloadOf(function)) {
        case Payload::kHeaderOnly:
            break;
        case Payload::kOriginatingAddress:
            if (reader.Remaining() < kOriginatingAddressSize) {
                StackErrorLog(kDecode, kSource, __LINE__,
                              "Buffer does not have enough bytes to decode the originating device address");
                return 0;
            }
            data_.assign(reader.Current(), reader.Current() + kOriginatingAddressSize);
            break;
        case Payload::kRestOfBuffer:
            data_.assign(reader.Current(), reader.Current() + reader.Remaining());
            break;
        case Payload::kUnknown:
            StackErrorLog(kDecode, kSource, __LINE__, "Invalid BVLC function=[%u]", unsigned{function});
            return 0;
    }
    valid_ = true;
    return static_cast<uint16_t>(kHeaderSize + data_.size());
}

uint16_t BACnetBVLL::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* /*outcome*/) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        return 0;
    }
    const Payload payload = PayloadOf(function_);
    // A Forwarded-NPDU header is exactly ten octets; other sizes would
    // misplace the NPDU behind it.
    if (!valid_ || (payload == Payload::kOriginatingAddress && data_.size() != kOriginatingAddressSize)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid bvll object");
        return 0;
    }
    if (room < kHeaderSize) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough space to encode this object");
        return 0;
    }
    if (payload == Payload::kUnknown) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid BVLC function=[%u]", unsigned{function_});
        return 0;
    }
    const bool withData = payload != Payload::kHeaderOnly;
    BACnetStackOctetWriter writer(buffer, room);
    if (withData && writer.Remaining() < kHeaderSize + data_.size()) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough space to encode this object");
        return 0;
    }
    writer.WriteU8(type_);
    writer.WriteU8(function_);
    writer.WriteU16(length_);
    if (withData) writer.WriteBytes(data_.data(), data_.size());
    return static_cast<uint16_t>(writer.Position());
}

std::unique_ptr<ICodable> BACnetBVLL::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetBVLL(*this));
}

uint8_t BACnetBVLL::GetDatatype() const { return Datatype::kBVLL; }

void BACnetBVLL::Reset() {
    type_ = kBACnetIPType;
    function_ = 0;
    length_ = 0;
    data_.clear();
    valid_ = false;
}

bool BACnetBVLL::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* bvll = dynamic_cast<const BACnetBVLL*>(other);
    return bvll != nullptr && bvll->valid_ == valid_ && bvll->type_ == type_ && bvll->function_ == function_ &&
           bvll->length_ == length_ && bvll->data_ == data_;
}

std::string BACnetBVLL::GetElementName() const { return "BVLL"; }

std::string BACnetBVLL::GetElementText() const {
    char text[96];
    if (function_ == kResult) {
        if (data_.size() < 2) return {};
        const uint16_t code = static_cast<uint16_t>(data_[0] << 8 | data_[1]);
        const char* name = ResultName(code);
        if (name == nullptr) return {};
        std::snprintf(text, sizeof text, "<Result code='0x%04X'>%s</Result>", unsigned{code}, name);
        return text;
    }
    if (function_ == kForwardedNPDU && data_.size() == kOriginatingAddressSize) {
        std::snprintf(text, sizeof text, "<OriginatingDevice>%u.%u.%u.%u:%u</OriginatingDevice>", unsigned{data_[0]},
                      unsigned{data_[1]}, unsigned{data_[2]}, unsigned{data_[3]}, unsigned{data_[4]} << 8 | data_[5]);
        return text;
    }
    return {};
}

bool BACnetBVLL::GetAttributes(RenderAttributes& attributes) const {
    const char* name = FunctionName(function_);
    if (name == nullptr) return false;
    attributes["function"] = name;
    return true;
}

void BACnetBVLL::SetResult(uint16_t resultCode) {
    Reset();
    function_ = kResult;
    length_ = kHeaderSize + 2;
    data_ = {static_cast<uint8_t>(resultCode >> 8), static_cast<uint8_t>(resultCode)};
    valid_ = true;
}

void BACnetBVLL::SetOriginalUnicastNPDU() {
    type_ = kBACnetIPType;
    function_ = kOriginalUnicastNPDU;
    length_ = kHeaderSize;
    data_.clear();
    valid_ = true;
}

void BACnetBVLL::SetOriginalBroadcastNPDU() {
    type_ = kBACnetIPType;
    function_ = kOriginalBroadcastNPDU;
    length_ = kHeaderSize;
    data_.clear();
    valid_ = true;
}

void BACnetBVLL::SetLengthForNPDU(uint16_t n) {
    if (function_ == kForwardedNPDU) {
        length_ = static_cast<uint16_t>(n + kHeaderSize + kOriginatingAddressSize);
    } else if (function_ == kDistributeBroadcastToNetwork || function_ == kOriginalUnicastNPDU ||
               function_ == kOriginalBroadcastNPDU) {
        length_ = static_cast<uint16_t>(n + kHeaderSize);
    }
}

void BACnetBVLL::CopyFrom(const BACnetBVLL& other) {
    function_ = other.function_;
    length_ = other.length_;
    data_ = other.data_;
    valid_ = other.valid_;
}

}  // namespace ZalvoBACnetStack
