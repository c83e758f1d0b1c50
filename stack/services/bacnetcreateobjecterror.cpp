#include "services/bacnetcreateobjecterror.h"

#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {
namespace {
constexpr BACnetStackElementNumberError::ReportNames kNames{"bacnetcreateobjecterror",
                                                            "ZalvoBACnetStack::BACnetCreateObjectError::Decode",
                                                            "ZalvoBACnetStack::BACnetCreateObjectError::Encode"};
}  // namespace

BACnetCreateObjectError::BACnetCreateObjectError() : BACnetStackElementNumberError(kNames) {}

std::unique_ptr<ICodable> BACnetCreateObjectError::Clone() const { return BACnetServiceCodec::CopyOf(*this); }

}  // namespace ZalvoBACnetStack
