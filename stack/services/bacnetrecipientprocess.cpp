#include "services/bacnetrecipientprocess.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetrecipientprocess";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetRecipientProcess::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetRecipientProcess::Encode";
constexpr const char* kSet = "ZalvoBACnetStack::BACnetRecipientProcess::SetRecipientProcess";
constexpr uint8_t kRecipientTag = 0;
constexpr uint8_t kProcessIdentifierTag = 1;
using Codec = BACnetServiceCodec;
}  // namespace

BACnetRecipientProcess::BACnetRecipientProcess() { Reset(); }

bool BACnetRecipientProcess::SetRecipientProcess(const BACnetRecipient& recipient,
                                                 const BACnetPrimitiveUINT& processIdentifier) {
    Reset();
    if (!recipient_.SetRecipient(recipient)) {
        StackErrorLog(kSet, kSource, __LINE__, "Failed to set the recipient");
        Reset();
        return false;
    }
    if (!processIdentifier.IsValid()) {
        StackErrorLog(kSet, kSource, __LINE__, "Failed to set the process identifier");
        Reset();
        return false;
    }
    processIdentifier_.SetValue(processIdentifier.GetValue());
    valid_ = true;
    return true;
}

uint16_t BACnetRecipientProcess::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid prameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    if (!Codec::DecodeRequired(recipient_, cursor, outcome, kRecipientTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode recipient");
        Reset();
        return 0;
    }
    if (!Codec::DecodeRequired(processIdentifier_, cursor, outcome, kProcessIdentifierTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode processIdentifier");
        Reset();
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetRecipientProcess::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "BACnetRecipientProcess::Encode - Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__,
                      "BACnetRecipientProcess::Encode - Invalid BACnetPropertyReference object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    if (!Codec::EncodeContext(recipient_, cursor, outcome, kRecipientTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode recipient");
        return 0;
    }
    if (!Codec::EncodeContext(processIdentifier_, cursor, outcome, kProcessIdentifierTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Failed to encode processIdentifier");
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetRecipientProcess::Clone() const { return Codec::CopyOf(*this); }

void BACnetRecipientProcess::Reset() {
    recipient_.Reset();
    Codec::ResetContextMember(processIdentifier_, kProcessIdentifierTag);
    valid_ = false;
}

bool BACnetRecipientProcess::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetRecipientProcess*>(other);
    return same != nullptr && recipient_.IsEqual(&same->recipient_) &&
           Codec::SameOptional(processIdentifier_, same->processIdentifier_);
}

bool BACnetRecipientProcess::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&recipient_, {}, kRecipientTag));
    children.push_back(MakeRenderChild(&processIdentifier_, "ProcessIdentifier", kProcessIdentifierTag));
    return true;
}

}  // namespace ZalvoBACnetStack
