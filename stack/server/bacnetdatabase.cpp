#include "server/bacnetdatabase.h"

#include <algorithm>
#include <new>

#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {
namespace {

constexpr const char* kSource = "bacnetdatabase";
constexpr const char* kAddObject = "ZalvoBACnetStack::BACnetDatabase::AddObject";
constexpr const char* kAddNetworkPort = "ZalvoBACnetStack::BACnetDatabase::AddNetworkPortObject";

// BACnetNetworkType values.
constexpr uint8_t kEthernet = 0;
constexpr uint8_t kIPv4 = 5;
constexpr uint8_t kReservedNetworkType = 8;
constexpr uint8_t kLastNetworkType = 10;

}  // namespace

BACnetDBDevice* BACnetDatabase::GetDevice(uint32_t deviceInstance) const {
    for (const std::unique_ptr<BACnetDBDevice>& device : devices_) {
        if (device->GetDeviceInstance() == deviceInstance) return device.get();
    }
    return nullptr;
}

bool BACnetDatabase::AddDevice(uint32_t deviceInstance) {
    if (GetDevice(deviceInstance) != nullptr) return true;
    std::unique_ptr<BACnetDBDevice> device(new (std::nothrow) BACnetDBDevice(deviceInstance));
    if (device == nullptr) return false;
    devices_.push_back(std::move(device));
    return true;
}

void BACnetDatabase::RemoveDevice(uint32_t deviceInstance) {
    const auto it = std::find_if(devices_.begin(), devices_.end(), [deviceInstance](const auto& device) {
        return device->GetDeviceInstance() == deviceInstance;
    });
    if (it != devices_.end()) devices_.erase(it);
}

bool BACnetDatabase::AddObject(uint32_t deviceInstance, uint16_t objectType, uint32_t objectInstance) {
    BACnetDBDevice* device = GetDevice(deviceInstance);
    if (device == nullptr) {
        StackErrorLog(kAddObject, kSource, __LINE__, "Error - device does not exist");
        return false;
    }
    return device->AddObject(objectType, objectInstance);
}

bool BACnetDatabase::AddNetworkPortObject(uint32_t deviceInstance, uint32_t objectInstance, uint8_t networkType,
                                          uint8_t protocolLevel, uint32_t referencePort) {
    BACnetDBDevice* device = GetDevice(deviceInstance);
    if (device == nullptr) {
        StackErrorLog(kAddNetworkPort, kSource, __LINE__, "Error - device does not exist");
        return false;
    }
    if (!device->AddObject(BACnetDBDevice::kNetworkPortObjectType, objectInstance)) {
        StackErrorLog(kAddNetworkPort, kSource, __LINE__,
                      "Error - failed to add network port object with instance=[%u]", objectInstance);
        return false;
    }
    bool enabled = false;
    if (networkType == kEthernet) {
        enabled = device->EnableNetworkPortEthernetProperties(objectInstance, protocolLevel, referencePort);
    } else if (networkType == kIPv4) {
        enabled = device->EnableNetworkPortIPv4Properties(objectInstance, protocolLevel, referencePort);
    } else if (networkType == kReservedNetworkType || networkType > kLastNetworkType) {
        StackErrorLog(kAddNetworkPort, kSource, __LINE__, "Error - unknown network type=[%u]", networkType);
        return false;
    } else {
        StackErrorLog(kAddNetworkPort, kSource, __LINE__, "PANIC - Not yet implemented");
        return false;
    }
    if (!enabled) {
        StackErrorLog(kAddNetworkPort, kSource, __LINE__,
                      "Error - failed to enable the network port properties for networkType=[%u], "
                      "protocolLevel=[%u], referencePort=[%u]",
                      networkType, protocolLevel, referencePort);
        return false;
    }
    return true;
}

}  // namespace ZalvoBACnetStack
