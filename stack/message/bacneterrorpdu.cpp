#include "message/bacneterrorpdu.h"

#include <new>

#include "core/bacnetoctetstream.h"
#include "core/stackerrorlog.h"
#include "message/bacnetservicefactory.h"
#include "render/bacnetnametables.h"

namespace ZalvoBACnetStack {
namespace {
constexpr const char* kSource = "bacneterrorpdu";
constexpr const char* kDecode = "ZalvoBACnetStack::BACnetErrorPDU::Decode";
constexpr const char* kEncode = "ZalvoBACnetStack::BACnetErrorPDU::Encode";
constexpr const char* kSetError = "ZalvoBACnetStack::BACnetErrorPDU::SetErrorAndTakeOwnership";
}  // namespace

BACnetErrorPDU::BACnetErrorPDU(const BACnetErrorPDU& other)
    : BACnetPDU(other),
      originalInvokeId_(other.originalInvokeId_),
      errorChoice_(other.errorChoice_),
      error_(CloneOwned(other.error_.get())) {}

BACnetErrorPDU::~BACnetErrorPDU() = default;

uint16_t BACnetErrorPDU::Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) {
    if (const char* failure = StartDecode(buffer, length, outcome)) {
        StackErrorLog(kDecode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    if (length < kMinimumSize) {
        StackErrorLog(kDecode, kSource, __LINE__, "Buffer does not have enough bytes to decode a proper Error message");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    originalInvokeId_ = buffer[1];
    errorChoice_ = buffer[2];
    error_ = BACnetServiceFactory::CreateError(errorChoice_);
    if (error_ == nullptr) {
        StackErrorLog(kDecode, kSource, __LINE__, "Invalid error choice");
        SetAbort(outcome, kAbortOther);
        return 0;
    }
    const uint16_t errorSize = error_->Decode(buffer + kHeaderSize, static_cast<uint16_t>(length - kHeaderSize), outcome);
    if (errorSize == 0) {
        StackErrorLog(kDecode, kSource, __LINE__, "Unable to decode the BACnet error");
        return 0;
    }
    BACnetServiceFactory::AssignErrorChoice(*error_, errorChoice_);
    valid_ = true;
    return static_cast<uint16_t>(kHeaderSize + errorSize);
}

uint16_t BACnetErrorPDU::Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) {
    if (const char* failure = StartEncode(buffer, room, outcome, "Invalid error pdu object")) {
        StackErrorLog(kEncode, kSource, __LINE__, "%s", failure);
        return 0;
    }
    if (room < kHeaderSize) {
        StackErrorLog(kEncode, kSource, __LINE__, "Not enough space to encode this object");
        SetAbort(outcome, kAbortSegmentationNotSupported);
        return 0;
    }
    BACnetStackOctetWriter writer(buffer, room);
    writer.WriteU8(static_cast<uint8_t>(GetPDUType() << 4));
    writer.WriteU8(originalInvokeId_);
    writer.WriteU8(static_cast<uint8_t>(errorChoice_));
    const uint16_t errorSize =
        error_ == nullptr ? 0
                          : error_->Encode(buffer + kHeaderSize, static_cast<uint16_t>(room - kHeaderSize), outcome);
    if (errorSize == 0) {
        StackErrorLog(kEncode, kSource, __LINE__, "Error occurred while encoding the BACnetError");
        return 0;
    }
    return static_cast<uint16_t>(kHeaderSize + errorSize);
}

std::unique_ptr<ICodable> BACnetErrorPDU::Clone() const {
    return std::unique_ptr<ICodable>(new (std::nothrow) BACnetErrorPDU(*this));
}

void BACnetErrorPDU::Reset() {
    originalInvokeId_ = 0;
    errorChoice_ = 0;
    error_.reset();
    valid_ = false;
}

std::string BACnetErrorPDU::GetElementName() const { return "ErrorPDU"; }

bool BACnetErrorPDU::GetAttributes(RenderAttributes& attributes) const {
    attributes["originalInvokeId"] = std::to_string(originalInvokeId_);
    attributes["errorChoice"] = NameTables::ConfirmedServiceChoice().Name(errorChoice_);
    return true;
}

bool BACnetErrorPDU::GetChildren(RenderChildren& children) const {
    if (error_ == nullptr || !error_->IsValid()) return false;
    children.push_back(MakeRenderChild(error_.get()));
    return true;
}

bool BACnetErrorPDU::SetErrorAndTakeOwnership(uint8_t originalInvokeId, uint32_t errorChoice,
                                              std::unique_ptr<BACnetObjectBase> adoptedError) {
    if (adoptedError == nullptr) {
        StackErrorLog(kSetError, kSource, __LINE__, "Error - error does not exist");
        return false;
    }
    if (!BACnetServiceFactory::AssignErrorChoice(*adoptedError, errorChoice)) {
        StackErrorLog(kSetError, kSource, __LINE__, "Invalid error choice");
        return false;
    }
    originalInvokeId_ = originalInvokeId;
    errorChoice_ = errorChoice;
    error_ = std::move(adoptedError);
    valid_ = true;
    return true;
}

bool BACnetErrorPDU::HasSameFields(const BACnetPDU& other) const {
    const auto& error = static_cast<const BACnetErrorPDU&>(other);
    return error.originalInvokeId_ == originalInvokeId_ && error.errorChoice_ == errorChoice_ &&
           SameOwned(error.error_.get(), error_.get());
}

}  // namespace ZalvoBACnetStack
