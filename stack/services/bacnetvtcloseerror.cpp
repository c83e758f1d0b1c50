#include "services/bacnetvtcloseerror.h"

#include "core/bacnettag.h"
#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetvtcloseerror";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetVTCloseError::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetVTCloseError::Encode";
using Codec = BACnetServiceCodec;
}  // namespace

uint16_t BACnetVTCloseError::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    if (!Codec::DecodeRequired(error_, cursor, outcome, kErrorTypeTag)) {
        StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode errorType");
        Reset();
        return 0;
    }
    BACnetTag tag;
    if (!cursor.AtEnd() && tag.Decode(cursor.Here(), cursor.Left()) != 0 && tag.IsOpening() &&
        tag.tagNumber == kListOfVtSessionIdentifiersTag) {
        // The list ends where an element fails to decode (its closing tag),
        // which leaves that element's complaint in the outcome: keep it only
        // when the list itself fails.
        BACnetErrorOutcome listOutcome;
        if (!Codec::DecodeRequired(listOfVtSessionIdentifiers_, cursor, &listOutcome,
                                   kListOfVtSessionIdentifiersTag)) {
            if (outcome != nullptr && listOutcome.set) *outcome = listOutcome;
            StackErrorLog(kDecode, kSource, __LINE__, "Failed to decode listOfVtSessionIdentifiers");
            Reset();
            return 0;
        }
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetVTCloseError::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid BACnetPropertyReference object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    if (!Codec::EncodeContext(error_, cursor, outcome, kErrorTypeTag)) {
        StackErrorLog(kEncode, kSource, __LINE__, "Unable to encode the error");
        return 0;
    }
    if (!listOfVtSessionIdentifiers_.IsValid()) return cursor.used;
    bool written = false;
    if (listOfVtSessionIdentifiers_.Size() != 0) {
        written = Codec::EncodeContext(listOfVtSessionIdentifiers_, cursor, outcome, kListOfVtSessionIdentifiersTag);
    } else {
        // An empty list is only its two tags.
        const uint16_t opening = BACnetTag::Opening(kListOfVtSessionIdentifiersTag).Encode(cursor.Here(), cursor.Left());
        const uint16_t closing =
            opening != 0 && cursor.Advance(opening)
                ? BACnetTag::Closing(kListOfVtSessionIdentifiersTag).Encode(cursor.Here(), cursor.Left())
                : 0;
        written = closing != 0 && cursor.Advance(closing);
        if (!written) SetAbort(outcome, kAbortSegmentationNotSupported);
    }
    if (!written) {
        StackErrorLog(kEncode, kSource, __LINE__, "Unable to encode the listOfVtSessionIdentifiers");
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetVTCloseError::Clone() const { return Codec::CopyOf(*this); }

void BACnetVTCloseError::Reset() {
    BACnetErrorBase::Reset();
    listOfVtSessionIdentifiers_.Reset();
}

bool BACnetVTCloseError::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&error_, {}, kErrorTypeTag));
    if (listOfVtSessionIdentifiers_.IsValid()) {
        children.push_back(MakeRenderChild(&listOfVtSessionIdentifiers_, "ListOfVtSessionIdentifiers",
                                           kListOfVtSessionIdentifiersTag));
    }
    return true;
}

void BACnetVTCloseError::AddVtSessionIdentifier(uint32_t sessionIdentifier) {
    listOfVtSessionIdentifiers_.Add(BACnetPrimitiveUINT(sessionIdentifier));
}

bool BACnetVTCloseError::HasSameMembers(const BACnetErrorBase& other) const {
    const auto* error = dynamic_cast<const BACnetVTCloseError*>(&other);
    return error != nullptr && Codec::SameOptional(error->listOfVtSessionIdentifiers_, listOfVtSessionIdentifiers_);
}

}  // namespace ZalvoBACnetStack
