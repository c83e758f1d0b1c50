#include "report/packetrecords.h"

namespace Tarnwick {

void PropertyRecord::AddValue(uint32_t packetNumber, std::string_view value) {
    // Only the newest entry is compared: A, B, A gives three entries.
    if (!values.empty() && values.rbegin()->second == value) return;
    values.insert_or_assign(packetNumber, std::string(value));
    if (values.size() > kPropertyValuesKept) {
        values.erase(values.begin());
        olderValuesDropped = true;
    }
}

PropertyRecord& ObjectRecord::GetOrAddProperty(std::string_view name) {
    for (PropertyRecord& property : properties) {
        if (property.name == name) return property;
    }
    PropertyRecord& added = properties.emplace_back();
    added.name.assign(name);
    return added;
}

ObjectRecord* DeviceRecord::GetOrAddObject(uint32_t instance, uint32_t type) {
    if (instance > kMaxObjectInstance || type > kMaxObjectType) return nullptr;
    const uint32_t identifier = (type << 22) | instance;
    for (ObjectRecord& object : objects) {
        if (object.objectIdentifier == identifier) return &object;
    }
    ObjectRecord& added = objects.emplace_back();
    added.objectIdentifier = identifier;
    return &added;
}

DeviceRecord& BACnetNetworkRecord::GetOrAddDevice(std::string_view address) {
    for (DeviceRecord& device : devices) {
        if (device.address == address) return device;
    }
    DeviceRecord& added = devices.emplace_back();
    added.address.assign(address);
    return added;
}

BACnetNetworkRecord& NetworkAddressRecord::GetOrAddNetwork(uint16_t networkNumber) {
    for (BACnetNetworkRecord& network : networks) {
        if (network.networkNumber == networkNumber) return network;
    }
    BACnetNetworkRecord& added = networks.emplace_back();
    added.networkNumber = networkNumber;
    return added;
}

void PendingRequest::Clear() {
    ipv4Address = {};
    network = 0;
    deviceAddress.clear();
    objectInstance = 0;
    objectType = 0;
    propertyName.clear();
}

}  // namespace Tarnwick
