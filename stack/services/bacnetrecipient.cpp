#include "services/bacnetrecipient.h"

#include "core/bacnettag.h"
#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetrecipient";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetRecipient::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetRecipient::Encode";
constexpr const char* kSetDevice = "ZalvoBACnetStack::BACnetRecipient::SetDevice";
constexpr const char* kSetAddress = "ZalvoBACnetStack::BACnetRecipient::SetAddress";
constexpr const char* kSetRecipient = "ZalvoBACnetStack::BACnetRecipient::SetRecipient";
constexpr uint8_t kDeviceTag = 0;
constexpr uint8_t kAddressTag = 1;
constexpr uint16_t kDeviceObjectType = 8;
using Codec = BACnetServiceCodec;
}  // namespace

BACnetRecipient::BACnetRecipient() { Reset(); }

bool BACnetRecipient::SetDevice(const BACnetPrimitiveObjectIdentifier& device) {
    if (!device.IsValid()) {
        StackErrorLog(kSetDevice, kSource, __LINE__, "Failed to set the device");
        return false;
    }
    Reset();
    device_.SetRawValue(device.GetRawValue());
    valid_ = true;
    return true;
}

bool BACnetRecipient::SetAddress(const BACnetAddress& address) {
    if (!address.IsValid()) {
        StackErrorLog(kSetAddress, kSource, __LINE__, "Failed to set the address");
        return false;
    }
    Reset();
    address_ = address;
    valid_ = true;
    return true;
}

void BACnetRecipient::SetDevice(uint32_t deviceInstance) {
    Reset();
    device_.SetValue(kDeviceObjectType, deviceInstance);
    valid_ = true;
}

void BACnetRecipient::SetAddress(uint16_t networkNumber, std::vector<uint8_t> macAddress) {
    Reset();
    address_.SetAddress(networkNumber, std::move(macAddress));
    valid_ = true;
}

bool BACnetRecipient::SetRecipient(const BACnetRecipient& recipient) {
    if (recipient.HasDevice()) return SetDevice(recipient.device_);
    if (recipient.HasAddress()) return SetAddress(recipient.address_);
    StackErrorLog(kSetRecipient, kSource, __LINE__, "Error - Both device and address are invalid and one must be valid");
    return false;
}

uint16_t BACnetRecipient::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid prameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    // The choice is the number of the first tag, which the chosen member
    // then decodes itself.
    BACnetTag choice;
    if (choice.Decode(buffer, length) == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Unable to decode the choice tag");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    Codec::DecodeCursor cursor{buffer, length};
    if (choice.IsContext() && choice.tagNumber == kDeviceTag) {
        if (!Codec::DecodeRequired(device_, cursor, outcome, kDeviceTag)) {
            StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode device");
            Reset();
            return 0;
        }
    } else if (choice.IsContext() && choice.tagNumber == kAddressTag) {
        if (!Codec::DecodeRequired(address_, cursor, outcome, kAddressTag)) {
            StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode address");
            Reset();
            return 0;
        }
    } else {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid context tag choice=[%u]", unsigned{choice.tagNumber});
        SetReject(outcome, kRejectOther);
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetRecipient::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    if (device_.IsValid()) {
        if (!Codec::EncodeContext(device_, cursor, outcome, kDeviceTag)) {
            StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode device");
            return 0;
        }
    } else if (address_.IsValid()) {
        if (!Codec::EncodeContext(address_, cursor, outcome, kAddressTag)) {
            StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode address");
            return 0;
        }
    } else {
        StackErrorLog(kEncode, kSource, __LINE__, "Error - Both device and address are invalid and one must be valid");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetRecipient::Clone() const { return Codec::CopyOf(*this); }

void BACnetRecipient::Reset() {
    Codec::ResetContextMember(device_, kDeviceTag);
    address_.Reset();
    valid_ = false;
}

bool BACnetRecipient::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetRecipient*>(other);
    return same != nullptr && Codec::SameOptional(device_, same->device_) &&
           Codec::SameOptional(address_, same->address_);
}

bool BACnetRecipient::GetChildren(RenderChildren& children) const {
    if (device_.IsValid()) {
        children.push_back(MakeRenderChild(&device_, "Device", kDeviceTag));
    } else if (address_.IsValid()) {
        children.push_back(MakeRenderChild(&address_, {}, kAddressTag));
    }
    return true;
}

}  // namespace ZalvoBACnetStack
