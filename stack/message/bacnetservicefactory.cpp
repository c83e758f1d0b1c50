#include "message/bacnetservicefactory.h"

#include <new>

#include "services/bacnetchangelisterror.h"
#include "services/bacnetconfirmedprivatetransfererror.h"
#include "services/bacnetconfirmedcovnotificationrequest.h"
#include "services/bacnetcreateobjecterror.h"
#include "services/bacneterrorbase.h"
#include "services/bacnetiamrequest.h"
#include "services/bacnetreadpropertyack.h"
#include "services/bacnetreadpropertymultipleack.h"
#include "services/bacnetreadpropertymultiplerequest.h"
#include "services/bacnetreadpropertyrequest.h"
#include "services/bacnetihaverequest.h"
#include "services/bacnetsubscribecovpropertymultipleerror.h"
#include "services/bacnetsubscribecovrequest.h"
#include "services/bacnetunconfirmedcovnotificationrequest.h"
#include "services/bacnettimesynchronizationrequest.h"
#include "services/bacnetunconfirmedprivatetransferrequest.h"
#include "services/bacnetutctimesynchronizationrequest.h"
#include "services/bacnetvtcloseerror.h"
#include "services/bacnetwhohasrequest.h"
#include "services/bacnetwhoisrequest.h"
#include "services/bacnetwritepropertymultipleerror.h"
#include "services/bacnetwritepropertymultiplerequest.h"
#include "services/bacnetwritepropertyrequest.h"

namespace ZalvoBACnetStack {
namespace {

template <class Base, class T>
std::unique_ptr<Base> CreateAs() {
    return std::unique_ptr<Base>(new (std::nothrow) T());
}

// Copies through Clone, so classes that own their members need no copy
// constructor.
template <class Base, class T>
std::unique_ptr<Base> CopyAs(const Base& original) {
    const T* typed = dynamic_cast<const T*>(&original);
    if (typed == nullptr) return nullptr;
    std::unique_ptr<ICodable> copy = typed->Clone();
    T* typedCopy = dynamic_cast<T*>(copy.get());
    if (typedCopy == nullptr) return nullptr;
    copy.release();
    return std::unique_ptr<Base>(typedCopy);
}

template <class Base>
struct ServiceEntry {
    uint32_t choice;
    std::unique_ptr<Base> (*create)();
    std::unique_ptr<Base> (*copy)(const Base&);
};

template <class Base, class T>
constexpr ServiceEntry<Base> Service(uint32_t choice) {
    return {choice, &CreateAs<Base, T>, &CopyAs<Base, T>};
}

// Every table ends with this row.
template <class Base>
constexpr ServiceEntry<Base> EndOfTable() {
    return {0, nullptr, nullptr};
}

template <class Base, size_t N>
const ServiceEntry<Base>* Find(const ServiceEntry<Base> (&table)[N], uint32_t choice) {
    for (const ServiceEntry<Base>& entry : table) {
        if (entry.create == nullptr) break;
        if (entry.choice == choice) return &entry;
    }
    return nullptr;
}

// Confirmed service requests, by BACnetConfirmedServiceChoice.
const ServiceEntry<BACnetConfirmedServiceRequest> kConfirmedServices[] = {
    Service<BACnetConfirmedServiceRequest, BACnetConfirmedCOVNotificationRequest>(1),
    Service<BACnetConfirmedServiceRequest, BACnetSubscribeCOVRequest>(5),
    Service<BACnetConfirmedServiceRequest, BACnetReadPropertyRequest>(12),
    Service<BACnetConfirmedServiceRequest, BACnetReadPropertyMultipleRequest>(14),
    Service<BACnetConfirmedServiceRequest, BACnetWritePropertyRequest>(15),
    Service<BACnetConfirmedServiceRequest, BACnetWritePropertyMultipleRequest>(16),
    EndOfTable<BACnetConfirmedServiceRequest>(),
};

// Unconfirmed service requests, by BACnetUnconfirmedServiceChoice.
const ServiceEntry<BACnetUnconfirmedServiceRequest> kUnconfirmedServices[] = {
    Service<BACnetUnconfirmedServiceRequest, BACnetIAmRequest>(0),
    Service<BACnetUnconfirmedServiceRequest, BACnetIHaveRequest>(1),
    Service<BACnetUnconfirmedServiceRequest, BACnetUnconfirmedCOVNotificationRequest>(2),
    Service<BACnetUnconfirmedServiceRequest, BACnetUnconfirmedPrivateTransferRequest>(4),
    Service<BACnetUnconfirmedServiceRequest, BACnetTimeSynchronizationRequest>(6),
    Service<BACnetUnconfirmedServiceRequest, BACnetWhoHasRequest>(7),
    Service<BACnetUnconfirmedServiceRequest, BACnetWhoIsRequest>(8),
    Service<BACnetUnconfirmedServiceRequest, BACnetUTCTimeSynchronizationRequest>(9),
    EndOfTable<BACnetUnconfirmedServiceRequest>(),
};

// Confirmed service acknowledgements, by the service they answer.
const ServiceEntry<BACnetConfirmedServiceACK> kServiceAcks[] = {
    Service<BACnetConfirmedServiceACK, BACnetReadPropertyACK>(12),
    Service<BACnetConfirmedServiceACK, BACnetReadPropertyMultipleACK>(14),
    EndOfTable<BACnetConfirmedServiceACK>(),
};

// Error types, by error choice: a range of choices per line. T must offer
// SetErrorChoice(uint32_t).
struct ErrorEntry {
    uint32_t firstChoice;
    uint32_t lastChoice;
    std::unique_ptr<BACnetObjectBase> (*create)();
    bool (*assignChoice)(BACnetObjectBase&, uint32_t);
};

template <class T>
bool AssignChoiceAs(BACnetObjectBase& error, uint32_t errorChoice) {
    T* typed = dynamic_cast<T*>(&error);
    if (typed == nullptr) return false;
    typed->SetErrorChoice(errorChoice);
    return true;
}

template <class T>
constexpr ErrorEntry Error(uint32_t firstChoice, uint32_t lastChoice) {
    return {firstChoice, lastChoice, &CreateAs<BACnetObjectBase, T>, &AssignChoiceAs<T>};
}

const ErrorEntry kErrors[] = {
    Error<BACnetErrorBase>(0, 7),
    Error<BACnetChangeListError>(8, 9),
    Error<BACnetCreateObjectError>(10, 10),
    Error<BACnetErrorBase>(11, 12),
    Error<BACnetErrorBase>(14, 15),
    Error<BACnetWritePropertyMultipleError>(16, 16),
    Error<BACnetErrorBase>(17, 17),
    Error<BACnetConfirmedPrivateTransferError>(18, 18),
    Error<BACnetErrorBase>(19, 21),
    Error<BACnetVTCloseError>(22, 22),
    Error<BACnetErrorBase>(23, 23),
    Error<BACnetErrorBase>(26, 29),
    Error<BACnetSubscribeCOVPropertyMultipleError>(30, 30),
    Error<BACnetErrorBase>(31, 31),
    Error<BACnetErrorBase>(127, 127),
    {0, 0, nullptr, nullptr},  // end of table
};

const ErrorEntry* FindError(uint32_t errorChoice) {
    for (const ErrorEntry& entry : kErrors) {
        if (entry.create == nullptr) break;
        if (errorChoice >= entry.firstChoice && errorChoice <= entry.lastChoice) return &entry;
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<BACnetConfirmedServiceRequest> BACnetServiceFactory::CreateConfirmedServiceRequest(
    uint32_t serviceChoice) {
    const auto* entry = Find(kConfirmedServices, serviceChoice);
    return entry != nullptr ? entry->create() : nullptr;
}

std::unique_ptr<BACnetConfirmedServiceRequest> BACnetServiceFactory::CopyConfirmedServiceRequest(
    const BACnetConfirmedServiceRequest& request) {
    const auto* entry = Find(kConfirmedServices, request.GetServiceChoice());
    return entry != nullptr ? entry->copy(request) : nullptr;
}

std::unique_ptr<BACnetUnconfirmedServiceRequest> BACnetServiceFactory::CreateUnconfirmedServiceRequest(
    uint32_t serviceChoice) {
    const auto* entry = Find(kUnconfirmedServices, serviceChoice);
    return entry != nullptr ? entry->create() : nullptr;
}

std::unique_ptr<BACnetUnconfirmedServiceRequest> BACnetServiceFactory::CopyUnconfirmedServiceRequest(
    const BACnetUnconfirmedServiceRequest& request) {
    const auto* entry = Find(kUnconfirmedServices, request.GetServiceChoice());
    return entry != nullptr ? entry->copy(request) : nullptr;
}

std::unique_ptr<BACnetConfirmedServiceACK> BACnetServiceFactory::CreateConfirmedServiceACK(uint32_t serviceAckChoice) {
    const auto* entry = Find(kServiceAcks, serviceAckChoice);
    return entry != nullptr ? entry->create() : nullptr;
}

std::unique_ptr<BACnetConfirmedServiceACK> BACnetServiceFactory::CopyConfirmedServiceACK(
    const BACnetConfirmedServiceACK& ack) {
    const auto* entry = Find(kServiceAcks, ack.GetServiceChoice());
    return entry != nullptr ? entry->copy(ack) : nullptr;
}

std::unique_ptr<BACnetObjectBase> BACnetServiceFactory::CreateError(uint32_t errorChoice) {
    const ErrorEntry* entry = FindError(errorChoice);
    return entry != nullptr ? entry->create() : nullptr;
}

bool BACnetServiceFactory::AssignErrorChoice(BACnetObjectBase& error, uint32_t errorChoice) {
    const ErrorEntry* entry = FindError(errorChoice);
    return entry != nullptr && entry->assignChoice(error, errorChoice);
}

}  // namespace ZalvoBACnetStack
