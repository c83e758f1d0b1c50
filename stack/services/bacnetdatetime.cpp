#include "services/bacnetdatetime.h"

#include "core/stackerrorlog.h"
#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetdatetime";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetDateTime::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetDateTime::Encode";
using Codec = BACnetServiceCodec;
}  // namespace

bool BACnetDateTime::SetDateTime(const BACnetPrimitiveDATE& date, const BACnetPrimitiveTIME& time) {
    if (!date.IsValid() || !time.IsValid()) return false;
    date_.Reset();
    time_.Reset();
    date_.SetValue(date.GetYear(), date.GetMonth(), date.GetDay(), date.GetWeekday());
    time_.SetValue(time.GetHour(), time.GetMinute(), time.GetSecond(), time.GetHundredths());
    valid_ = true;
    return true;
}

uint16_t BACnetDateTime::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || length == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid parameters");
        SetReject(outcome, kRejectOther);
        Reset();
        return 0;
    }
    Reset();
    Codec::DecodeCursor cursor{buffer, length};
    if (const char* failure = Codec::DecodeApplicationMembers(
            cursor, outcome, {{date_, "Failed to decode date"}, {time_, "Failed to decode time"}})) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        Reset();
        return 0;
    }
    valid_ = true;
    return cursor.used;
}

uint16_t BACnetDateTime::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (buffer == nullptr || room == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid parameters");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    if (!valid_) {
        StackErrorLog(kEncode, kSource, __LINE__, "Invalid DateTime object");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    Codec::EncodeCursor cursor{buffer, room};
    if (const char* failure = Codec::EncodeApplicationMembers(
            cursor, outcome, {{date_, "Failed to encode date"}, {time_, "Failed to encode time"}})) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    return cursor.used;
}

std::unique_ptr<ICodable> BACnetDateTime::Clone() const { return Codec::CopyOf(*this); }

void BACnetDateTime::Reset() {
    date_.Reset();
    time_.Reset();
    valid_ = false;
}

bool BACnetDateTime::IsEqual(const ICodable* other) const {
    if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
    const auto* same = dynamic_cast<const BACnetDateTime*>(other);
    return same != nullptr && date_.IsEqual(&same->date_) && time_.IsEqual(&same->time_);
}

bool BACnetDateTime::GetChildren(RenderChildren& children) const {
    children.push_back(MakeRenderChild(&date_));
    children.push_back(MakeRenderChild(&time_));
    return true;
}

}  // namespace ZalvoBACnetStack
