// The database of local devices, in the order they were added. The database
// owns its devices; lookups hand out pointers that stay valid until the
// device is removed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "server/bacnetdbdevice.h"

namespace ZalvoBACnetStack {

class BACnetDatabase {
public:
    // The first device with this instance (a linear walk in insertion
    // order), or null.
    BACnetDBDevice* GetDevice(uint32_t deviceInstance) const;
    // True at once, without change, when the device exists; otherwise
    // creates the device with its defaults and appends it (false only when
    // memory runs out). Whether another device may be added at all is the
    // caller's rule (one device unless the virtual router is on).
    [[nodiscard]] bool AddDevice(uint32_t deviceInstance);
    // Destroys the device with its objects, stored values and
    // subscriptions; nothing when it does not exist.
    void RemoveDevice(uint32_t deviceInstance);
    size_t GetDeviceCount() const { return devices_.size(); }
    // The device at `index` in insertion order, or null past the end.
    BACnetDBDevice* GetDeviceAt(size_t index) const {
        return index < devices_.size() ? devices_[index].get() : nullptr;
    }

    // Unknown device: "Error - device does not exist", false. Otherwise
    // BACnetDBDevice::AddObject (an existing object is success).
    [[nodiscard]] bool AddObject(uint32_t deviceInstance, uint16_t objectType, uint32_t objectInstance);
    // Adds network port (56, objectInstance) to the device and enables the
    // properties of its network type (BACnetNetworkType: 0 ethernet, 5
    // ipv4) and protocol level. The object stays added whatever fails later.
    [[nodiscard]] bool AddNetworkPortObject(uint32_t deviceInstance, uint32_t objectInstance, uint8_t networkType,
                                            uint8_t protocolLevel, uint32_t referencePort);

private:
    std::vector<std::unique_ptr<BACnetDBDevice>> devices_;
};

}  // namespace ZalvoBACnetStack
