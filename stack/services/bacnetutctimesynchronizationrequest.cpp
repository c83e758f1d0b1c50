#include "services/bacnetutctimesynchronizationrequest.h"

#include "services/bacnetservicecodec.h"

namespace ZalvoBACnetStack {

std::unique_ptr<ICodable> BACnetUTCTimeSynchronizationRequest::Clone() const {
    return BACnetServiceCodec::CopyOf(*this);
}

}  // namespace ZalvoBACnetStack
