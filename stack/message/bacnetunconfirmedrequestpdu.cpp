#include "message/bacnetunconfirmedrequestpdu.h"

#include <new>

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"
#include "message/bacnetservicefactory.h"
#include "render/bacnetnametables.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacnetunconfirmedrequestpdu";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetUnconfirmedRequestPDU::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetUnconfirmedRequestPDU::Encode";
constexpr const char* kSetService = "ZalvoBACnetStack::BACnetUnconfirmedRequestPDU::SetService";
}  // namespace

BACnetUnconfirmedRequestPDU::BACnetUnconfirmedRequestPDU(const BACnetUnconfirmedRequestPDU& other)
    : BACnetPDU(other), serviceChoice_(other.serviceChoice_), service_(CloneOwned(other.service_.get())) {}

BACnetUnconfirmedRequestPDU::~BACnetUnconfirmedRequestPDU() = default;

uint16_t BACnetUnconfirmedRequestPDU::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (const char* failure = StartDecode(buffer, length, outcome)) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    if (length < kHeaderSize) {
        StackErrorLog(kDecode, kSource, __LINE__, "Not enough bytes to decode a unconfirmed request pdu");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    serviceChoice_ = buffer[1];
    service_ = BACnetServiceFactory::CreateUnconfirmedServiceRequest(serviceChoice_);
    if (service_ == nullptr) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid unconfirmed service choice ");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    const uint16_t serviceSize =
        service_->Decode(buffer + kHeaderSize, static_cast<uint16_t>(length - kHeaderSize), outcome);
    // An empty Who-Is is complete; one that failed is kept without a
    // service to show.
    if (serviceSize == 0 && serviceChoice_ != kWhoIsChoice) {
        StackErrorLog(kDecode, kSource, __LINE__, "Unable to decode the BACnet Unconfirmed Service Request");
        return 0;
    }
    valid_ = true;
    return static_cast<uint16_t>(kHeaderSize + serviceSize);
}

uint16_t BACnetUnconfirmedRequestPDU::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (const char* failure = StartEncode(buffer, room, outcome, "Invalid unconfirmed request pdu object")) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    if (room < kHeaderSize) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough bytes to decode a unconfirmed request pdu");
        SetReject(outcome, kRejectOther);
        return 0;
    }
    if (service_ == nullptr) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error occurred while encoding the BACnetUnconfirmedRequest");
        return 0;
    }
    BACnetStackOctetWriter writer(buffer, room);
    writer.WriteU8(static_cast<uint8_t>(GetPDUType() << 4));
    writer.WriteU8(static_cast<uint8_t>(serviceChoice_));
    if (service_->IsValid() && service_->HasNoContents()) return kHeaderSize;
    const uint16_t serviceSize =
        service_->Encode(buffer + kHeaderSize, static_cast<uint16_t>(room - kHeaderSize), outcome);
    if (serviceSize == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error occurred while encoding the BACnetUnconfirmedRequest");
        return 0;
    }
    return static_cast<uint16_t>(kHeaderSize + serviceSize);
}

std::unique_ptr<ICodable> BACnetUnconfirmedRequestPDU::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetUnconfirmedRequestPDU(*this));
}

void BACnetUnconfirmedRequestPDU::Reset() {
    serviceChoice_ = 0;
    service_.reset();
    valid_ = false;
}

std::string BACnetUnconfirmedRequestPDU::GetElementName() const { return "UnconfirmedRequestPDU"; }

bool BACnetUnconfirmedRequestPDU::GetAttributes(RenderAttributes& attributes) const {
    attributes["serviceChoice"] = NameTables::UnconfirmedServiceChoice().Name(serviceChoice_);
    return true;
}

bool BACnetUnconfirmedRequestPDU::GetChildren(RenderChildren& children) const {
    if (service_ == nullptr || !service_->IsValid()) return false;
    children.push_back(MakeRenderChild(service_.get()));
    return true;
}

bool BACnetUnconfirmedRequestPDU::SetService(const BACnetUnconfirmedServiceRequest& service) {
    if (!service.IsValid()) {
        StackErrorLog(kSetService, kSource, __LINE__, "Unconfirmed service request is invalid");
        return false;
    }
    std::unique_ptr<BACnetUnconfirmedServiceRequest> copy =
        BACnetServiceFactory::CopyUnconfirmedServiceRequest(service);
    if (copy == nullptr) {
        StackErrorLog(kSetService, kSource, __LINE__, "Invalid unconfirmed service choice");
        return false;
    }
    service_ = std::move(copy);
    serviceChoice_ = service.GetServiceChoice();
    valid_ = true;
    return true;
}

bool BACnetUnconfirmedRequestPDU::HasSameFields(const BACnetPDU& other) const {
    const auto& request = static_cast<const BACnetUnconfirmedRequestPDU&>(other);
    return request.serviceChoice_ == serviceChoice_ && SameOwned(request.service_.get(), service_.get());
}

}  // namespace ZalvoBACnetStack
