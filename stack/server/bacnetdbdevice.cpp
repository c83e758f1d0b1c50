#include "server/bacnetdbdevice.h"

#include <new>
#include <string>
#include <utility>

#include "core/bacnetenumerations.h"
#include "core/bacnetprimitivebitstring.h"
#include "core/bacnetprimitivebool.h"
#include "core/bacnetprimitivecharstring.h"
#include "core/bacnetprimitivedate.h"
#include "core/bacnetprimitivedouble.h"
#include "core/bacnetprimitiveenum.h"
#include "core/bacnetprimitiveint.h"
#include "core/bacnetprimitivenull.h"
#include "core/bacnetprimitiveobjectidentifier.h"
#include "core/bacnetprimitiveoctstring.h"
#include "core/bacnetprimitivereal.h"
#include "core/bacnetprimitivetime.h"
#include "core/bacnetprimitiveuint.h"
#include "core/bacnetstackversion.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {

constexpr const char* kSource = "bacnetdbdevice";
constexpr const char* kConstruct = "ZalvoBACnetStack::BACnetDBDevice::BACnetDBDevice";
constexpr const char* kDeleteObject = "ZalvoBACnetStack::BACnetDBDevice::DeleteObject";
constexpr const char* kConfirmedSupported = "ZalvoBACnetStack::BACnetDBDevice::IsConfirmedServiceSupported";
constexpr const char* kUnconfirmedSupported = "ZalvoBACnetStack::BACnetDBDevice::IsUnconfirmedServiceSupported";
constexpr const char* kDefaultDeviceProperty = "ZalvoBACnetStack::BACnetDBDevice::GetDefaultDeviceProperty";
constexpr const char* kDefaultDatatypeValue = "ZalvoBACnetStack::BACnetDBDevice::GetDefaultDatatypeValue";
constexpr const char* kEnableIPv4 = "ZalvoBACnetStack::BACnetDBDevice::EnableNetworkPortIPv4Properties";
constexpr const char* kEnableEthernet = "ZalvoBACnetStack::BACnetDBDevice::EnableNetworkPortEthernetProperties";

// Services-supported bit numbers of the services the device starts with
// and of those with companion properties.
constexpr uint32_t kSubscribeCOVService = 5;
constexpr uint32_t kReadPropertyService = 12;
constexpr uint32_t kTimeSynchronizationService = 32;
constexpr uint32_t kWhoHasService = 33;
constexpr uint32_t kWhoIsService = 34;
constexpr uint32_t kUTCTimeSynchronizationService = 36;

// Device object properties.
constexpr uint32_t kDaylightSavingsStatus = 24;
constexpr uint32_t kLocalDate = 56;
constexpr uint32_t kLocalTime = 57;
constexpr uint32_t kUTCOffset = 119;
constexpr uint32_t kActiveCOVSubscriptions = 152;

// Network port properties.
constexpr uint32_t kLinkSpeed = 420;
constexpr uint32_t kMACAddress = 423;
constexpr uint32_t kIPAddress = 400;
constexpr uint32_t kIPDefaultGateway = 401;
constexpr uint32_t kIPDNSServer = 406;
constexpr uint32_t kBACnetIPMode = 408;
constexpr uint32_t kIPSubnetMask = 411;
constexpr uint32_t kBACnetIPUDPPort = 412;
constexpr uint32_t kNetworkType = 427;
constexpr uint32_t kProtocolLevel = 482;
constexpr uint32_t kReferencePort = 483;

// BACnetNetworkType, BACnetProtocolLevel and BACnetIPMode values.
constexpr uint32_t kNetworkTypeEthernet = 0;
constexpr uint32_t kNetworkTypeIPv4 = 5;
constexpr uint8_t kProtocolLevelPhysical = 0;
constexpr uint8_t kProtocolLevelProtocol = 1;
constexpr uint8_t kProtocolLevelBACnetApplication = 2;
constexpr uint8_t kProtocolLevelNonBACnetApplication = 3;
constexpr uint32_t kIPModeNormal = 0;

// A network port property to enable, with what a failure reports.
struct PortProperty {
    uint32_t propertyIdentifier;
    const char* failure;
};

constexpr PortProperty kLinkLayerProperties[] = {
    {kMACAddress, "Error - failed to enable the mac address property"},
    {kLinkSpeed, "Error - failed to enable the link speed property"},
};

constexpr PortProperty kIPv4Properties[] = {
    {kMACAddress, "Error - failed to enable the mac address property"},
    {kLinkSpeed, "Error - failed to enable the link speed property"},
    {kIPAddress, "Error - failed to enable the ip address property"},
    {kIPSubnetMask, "Error - failed to enable the ip subnet mask property"},
    {kIPDefaultGateway, "Error - failed to enable the ip default gateway property"},
    {kIPDNSServer, "Error - failed to enable the ip dns server property"},
};

// A new value owned by the caller, or null when memory runs out.
template <class T, class... Args>
std::unique_ptr<ICodable> MakeValue(Args&&... args) {
    return std::unique_ptr<ICodable>(new (std::nothrow) T(std::forward<Args>(args)...));
}

// A bit string holding `bits`, or null when memory runs out.
std::unique_ptr<ICodable> MakeBitString(const std::vector<bool>& bits) {
    return MakeValue<BACnetPrimitiveBitSTRING>(bits);
}

std::string FirmwareRevision() {
    return std::to_string(kStackVersionMajor) + "." + std::to_string(kStackVersionMinor) + "." +
           std::to_string(kStackVersionPatch) + "." + std::to_string(kStackVersionBuild);
}

}  // namespace

BACnetDBDevice::BACnetDBDevice(uint32_t deviceInstance) : BACnetDBObject(kDeviceObjectType, deviceInstance) {
    Reset();
    if (!AddObject(kDeviceObjectType, deviceInstance)) {
        StackErrorLog(kConstruct, kSource, __LINE__, "Error: unable to add the device object to the object list");
    }
}

BACnetDBDevice::~BACnetDBDevice() = default;

void BACnetDBDevice::Reset() {
    ClearProperties();
    objectTypesSupported_.assign(kObjectTypesSupportedBits, false);
    servicesSupported_.assign(kServicesSupportedBits, false);
    unconfirmedCOVNotificationMultipleSupported_ = false;
    servicesSupported_[kReadPropertyService] = true;
    servicesSupported_[kWhoHasService] = true;
    servicesSupported_[kWhoIsService] = true;
    objects_.clear();
    storedValues_.Clear();
    subscriptions_.Clear();
    databaseRevision_ = 0;
    invokeId_ = 0;
}

bool BACnetDBDevice::AddObject(uint16_t objectType, uint32_t objectInstance) {
    if (objectType < objectTypesSupported_.size()) objectTypesSupported_[objectType] = true;
    const uint64_t key = Key(objectType, objectInstance);
    if (objects_.contains(key)) return true;
    std::unique_ptr<BACnetDBObject> object(new (std::nothrow) BACnetDBObject(objectType, objectInstance));
    if (object == nullptr) return false;
    objects_.emplace(key, std::move(object));
    ++databaseRevision_;
    return true;
}

void BACnetDBDevice::DeleteObject(uint16_t objectType, uint32_t objectInstance) {
    if (objectType == kDeviceObjectType && objectInstance == GetDeviceInstance()) {
        StackErrorLog(kDeleteObject, kSource, __LINE__, "PANIC - attempted to delete itself from the objectlist");
        return;
    }
    if (objects_.erase(Key(objectType, objectInstance)) == 0) return;
    storedValues_.RemoveObject(objectType, objectInstance);
    // The keys order by type first: the type is still held when any key
    // lies between (type, 0) and (type + 1, 0).
    const auto next = objects_.lower_bound(Key(objectType, 0));
    const bool typeRemains = next != objects_.end() && (next->first >> 32) == objectType;
    if (!typeRemains && objectType < objectTypesSupported_.size()) objectTypesSupported_[objectType] = false;
}

BACnetDBObject* BACnetDBDevice::GetObject(uint16_t objectType, uint32_t objectInstance) const {
    const auto it = objects_.find(Key(objectType, objectInstance));
    return it != objects_.end() ? it->second.get() : nullptr;
}

bool BACnetDBDevice::ObjectExists(uint16_t objectType, uint32_t objectInstance) const {
    return objects_.contains(Key(objectType, objectInstance));
}

std::vector<const BACnetDBObject*> BACnetDBDevice::GetObjects() const {
    std::vector<const BACnetDBObject*> objects;
    objects.reserve(objects_.size());
    for (const auto& [key, object] : objects_) objects.push_back(object.get());
    return objects;
}

bool BACnetDBDevice::SetPropertyEnabled(uint16_t objectType, uint32_t objectInstance, uint32_t propertyIdentifier,
                                        bool enabled) {
    BACnetDBObject* object = GetObject(objectType, objectInstance);
    return object != nullptr && object->SetPropertyEnabled(propertyIdentifier, enabled);
}

bool BACnetDBDevice::EnableDeviceProperty(uint32_t propertyIdentifier, bool enabled) {
    return SetPropertyEnabled(kDeviceObjectType, GetDeviceInstance(), propertyIdentifier, enabled);
}

bool BACnetDBDevice::SetServiceEnabled(uint32_t service, bool enabled) {
    if (service > kUnconfirmedCOVNotificationMultipleService) return false;
    if (service == kUnconfirmedCOVNotificationMultipleService) {
        unconfirmedCOVNotificationMultipleSupported_ = enabled;
    } else {
        servicesSupported_[service] = enabled;
    }
    bool companionsFollow = true;
    switch (service) {
        case kSubscribeCOVService:
            companionsFollow = EnableDeviceProperty(kActiveCOVSubscriptions, enabled);
            break;
        case kTimeSynchronizationService:
            companionsFollow = EnableDeviceProperty(kLocalDate, enabled) && EnableDeviceProperty(kLocalTime, enabled);
            break;
        case kUTCTimeSynchronizationService:
            companionsFollow = EnableDeviceProperty(kLocalDate, enabled) && EnableDeviceProperty(kLocalTime, enabled) &&
                               EnableDeviceProperty(kUTCOffset, enabled) &&
                               EnableDeviceProperty(kDaylightSavingsStatus, enabled);
            break;
        default:
            break;
    }
    return companionsFollow;
}

bool BACnetDBDevice::IsConfirmedServiceSupported(uint32_t serviceChoice) const {
    uint32_t bit = serviceChoice;
    switch (serviceChoice) {
        case 26: bit = 35; break;  // readRange
        case 27: bit = 37; break;  // lifeSafetyOperation
        case 28: bit = 38; break;  // subscribeCOVProperty
        case 29: bit = 39; break;  // getEventInformation
        case 30: bit = 41; break;  // subscribeCOVPropertyMultiple
        case 31: bit = 42; break;  // confirmedCOVNotificationMultiple
        default:
            // 13, 24 and 25 were removed from the standard.
            if (serviceChoice > 23 || serviceChoice == 13) {
                StackErrorLog(kConfirmedSupported, kSource, __LINE__, "Error - unknown confirmed service = [%u]",
                              serviceChoice);
                return false;
            }
            break;
    }
    return servicesSupported_[bit];
}

bool BACnetDBDevice::IsUnconfirmedServiceSupported(uint32_t serviceChoice) const {
    if (serviceChoice <= 8) return servicesSupported_[26 + serviceChoice];  // i-Am to who-Is
    switch (serviceChoice) {
        case 9: return servicesSupported_[36];   // utcTimeSynchronization
        case 10: return servicesSupported_[40];  // writeGroup
        case 11: return unconfirmedCOVNotificationMultipleSupported_;
        default:
            StackErrorLog(kUnconfirmedSupported, kSource, __LINE__, "Error - unknown unconfirmed service =[%u]",
                          serviceChoice);
            return false;
    }
}

bool BACnetDBDevice::StoreNetworkPortSettings(const char* operation, uint32_t objectInstance, uint32_t networkType,
                                              uint8_t protocolLevel, uint32_t referencePort) {
    if (!storedValues_.SetValueAndTakeControl(kNetworkPortObjectType, objectInstance, kNetworkType,
                                              MakeValue<BACnetNetworkType>(networkType))) {
        StackErrorLog(operation, kSource, __LINE__, "Error - failed to store the network type");
        return false;
    }
    if (!storedValues_.SetValueAndTakeControl(kNetworkPortObjectType, objectInstance, kProtocolLevel,
                                              MakeValue<BACnetProtocolLevel>(protocolLevel))) {
        StackErrorLog(operation, kSource, __LINE__, "Error - failed to store the protocol level");
        return false;
    }
    if (!storedValues_.SetValueAndTakeControl(kNetworkPortObjectType, objectInstance, kReferencePort,
                                              MakeValue<BACnetPrimitiveUINT>(referencePort)) ||
        !SetPropertyEnabled(kNetworkPortObjectType, objectInstance, kReferencePort, true)) {
        StackErrorLog(operation, kSource, __LINE__, "Error - failed to enable the referencePort property");
        return false;
    }
    return true;
}

bool BACnetDBDevice::EnableNetworkPortEthernetProperties(uint32_t objectInstance, uint8_t protocolLevel,
                                                         uint32_t referencePort) {
    if (!StoreNetworkPortSettings(kEnableEthernet, objectInstance, kNetworkTypeEthernet, protocolLevel,
                                  referencePort)) {
        return false;
    }
    switch (protocolLevel) {
        case kProtocolLevelPhysical:
            break;
        case kProtocolLevelProtocol:
        case kProtocolLevelBACnetApplication:
        case kProtocolLevelNonBACnetApplication:
            StackErrorLog(kEnableEthernet, kSource, __LINE__, "PANIC - Not yet implemented");
            return false;
        default:
            StackErrorLog(kEnableEthernet, kSource, __LINE__, "Error - unknown protocol level=[%u]", protocolLevel);
            return false;
    }
    for (const PortProperty& property : kLinkLayerProperties) {
        if (!SetPropertyEnabled(kNetworkPortObjectType, objectInstance, property.propertyIdentifier, true)) {
            StackErrorLog(kEnableEthernet, kSource, __LINE__, "%s", property.failure);
            return false;
        }
    }
    return true;
}

bool BACnetDBDevice::EnableNetworkPortIPv4Properties(uint32_t objectInstance, uint8_t protocolLevel,
                                                     uint32_t referencePort) {
    if (!StoreNetworkPortSettings(kEnableIPv4, objectInstance, kNetworkTypeIPv4, protocolLevel, referencePort)) {
        return false;
    }
    switch (protocolLevel) {
        case kProtocolLevelProtocol:
        case kProtocolLevelBACnetApplication:
            break;
        case kProtocolLevelPhysical:
        case kProtocolLevelNonBACnetApplication:
            StackErrorLog(kEnableIPv4, kSource, __LINE__, "PANIC - Not yet implemented");
            return false;
        default:
            StackErrorLog(kEnableIPv4, kSource, __LINE__, "Error - unknown protocol level=[%u]", protocolLevel);
            return false;
    }
    for (const PortProperty& property : kIPv4Properties) {
        if (!SetPropertyEnabled(kNetworkPortObjectType, objectInstance, property.propertyIdentifier, true)) {
            StackErrorLog(kEnableIPv4, kSource, __LINE__, "%s", property.failure);
            return false;
        }
    }
    if (protocolLevel != kProtocolLevelBACnetApplication) return true;
    if (!SetPropertyEnabled(kNetworkPortObjectType, objectInstance, kBACnetIPMode, true)) {
        StackErrorLog(kEnableIPv4, kSource, __LINE__, "Error - failed to enable the bacnet ip mode property");
        return false;
    }
    if (!storedValues_.SetValueAndTakeControl(kNetworkPortObjectType, objectInstance, kBACnetIPMode,
                                              MakeValue<BACnetIPMode>(kIPModeNormal))) {
        StackErrorLog(kEnableIPv4, kSource, __LINE__, "Error - failed to store the bacnet ip mode");
        return false;
    }
    if (!SetPropertyEnabled(kNetworkPortObjectType, objectInstance, kBACnetIPUDPPort, true)) {
        StackErrorLog(kEnableIPv4, kSource, __LINE__, "Error - failed to enable the bacnet ip udp port property");
        return false;
    }
    return true;
}

bool BACnetDBDevice::GetDefaultDeviceProperty(uint32_t propertyIdentifier, BACnetAbstractSyntaxType& holder) const {
    std::unique_ptr<ICodable> value;
    switch (propertyIdentifier) {
        case 11: value = MakeValue<BACnetPrimitiveUINT>(3000u); break;         // APDU-timeout
        case 12: value = MakeValue<BACnetPrimitiveCharSTRING>("v1"); break;    // application-software-version
        case 30: return true;                                                  // device-address-binding: empty
        case 44: value = MakeValue<BACnetPrimitiveCharSTRING>(FirmwareRevision()); break;  // firmware-revision
        case 62: value = MakeValue<BACnetPrimitiveUINT>(1476u); break;         // max-APDU-length-accepted
        case 70: value = MakeValue<BACnetPrimitiveCharSTRING>("Zalvo BACnet Stack"); break;  // model-name
        case 73: value = MakeValue<BACnetPrimitiveUINT>(0u); break;            // number-of-APDU-retries
        case 77: value = MakeValue<BACnetPrimitiveCharSTRING>("Morvane BACnet Device"); break;  // object-name
        case 96:  // protocol-object-types-supported
            if (objectTypesSupported_.size() > kObjectTypesSupportedBits) {
                StackErrorLog(kDefaultDeviceProperty, kSource, __LINE__,
                              "Objects Types Supported contains more entries than the max=[%d]",
                              static_cast<int>(kObjectTypesSupportedBits));
                return false;
            }
            value = MakeBitString(objectTypesSupported_);
            break;
        case 97:  // protocol-services-supported
            if (servicesSupported_.size() > kServicesSupportedBits) {
                StackErrorLog(kDefaultDeviceProperty, kSource, __LINE__,
                              "Services Supported contains more entries than the max=[%d]",
                              static_cast<int>(kServicesSupportedBits));
                return false;
            }
            value = MakeBitString(servicesSupported_);
            break;
        case 98: value = MakeValue<BACnetPrimitiveUINT>(1u); break;            // protocol-version
        case 107: value = MakeValue<BACnetSegmentation>(3u); break;            // segmentation-supported: none
        case 112: value = MakeValue<BACnetDeviceStatus>(0u); break;            // system-status: operational
        case 120: value = MakeValue<BACnetPrimitiveUINT>(kVendorIdentifier); break;  // vendor-identifier
        case 121: value = MakeValue<BACnetPrimitiveCharSTRING>("Morvane Automation Systems"); break;  // vendor-name
        case 139: value = MakeValue<BACnetPrimitiveUINT>(12u); break;          // protocol-revision
        default:
            return false;
    }
    return holder.AddValueAndTakeOwnership(std::move(value));
}

bool BACnetDBDevice::GetDefaultDatatypeValue(uint8_t datatype, BACnetAbstractSyntaxType& holder) {
    std::unique_ptr<ICodable> value;
    switch (datatype) {
        case Datatype::kNull: {
            auto null = std::unique_ptr<BACnetPrimitiveNULL>(new (std::nothrow) BACnetPrimitiveNULL);
            if (null != nullptr) null->SetValue();
            value = std::move(null);
            break;
        }
        case Datatype::kBoolean: value = MakeValue<BACnetPrimitiveBOOL>(false); break;
        case Datatype::kUnsigned: value = MakeValue<BACnetPrimitiveUINT>(0u); break;
        case Datatype::kSigned: value = MakeValue<BACnetPrimitiveINT>(0); break;
        case Datatype::kReal: value = MakeValue<BACnetPrimitiveREAL>(0.0f); break;
        case Datatype::kDouble: value = MakeValue<BACnetPrimitiveDOUBLE>(0.0); break;
        case Datatype::kOctetString: value = MakeValue<BACnetPrimitiveOctSTRING>(nullptr, size_t{0}); break;
        case Datatype::kCharacterString: value = MakeValue<BACnetPrimitiveCharSTRING>(""); break;
        case Datatype::kBitString: value = MakeBitString({}); break;
        case Datatype::kEnumerated: value = MakeValue<BACnetPrimitiveENUM>(0u); break;
        case Datatype::kDate: value = MakeValue<BACnetPrimitiveDATE>(0, 0, 0, 0); break;
        case Datatype::kTime: value = MakeValue<BACnetPrimitiveTIME>(0, 0, 0, 0); break;
        case Datatype::kObjectIdentifier: value = MakeValue<BACnetPrimitiveObjectIdentifier>(0, 0u); break;
        default:
            StackErrorLog(kDefaultDatatypeValue, kSource, __LINE__,
                          "Error - unable to create a default value for datatype=[%u]", datatype);
            return false;
    }
    return holder.AddValueAndTakeOwnership(std::move(value));
}

}  // namespace ZalvoBACnetStack
