#include "services/bacnetchangelisterror.h"

#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr BACnetStackElementNumberError::ReportNames kNames{"bacnetchangelisterror",
                                                            "ZalvoBACnetStack::BACnetChangeListError::Decode",
                                                            "ZalvoBACnetStack::BACnetChangeListError::Encode"};
}  // namespace

BACnetChangeListError::BACnetChangeListError() : BACnetStackElementNumberError(kNames) {}

std::unique_ptr<ICodable> BACnetChangeListError::Clone() const { return BACnetServiceCodec::CopyOf(*this); }

}  // namespace ZalvoBACnetStack
