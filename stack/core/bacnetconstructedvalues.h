// The constructed classes that a property value of a known datatype may be
// (a COV subscription, a priority value, a priority array). They belong to
// the services layer, so the value holder reaches them through this table,
// which is defined beside them in services/bacnetconstructedvalues.cpp.
#pragma once

#include <cstdint>
#include <memory>

#include "core/icodable.h"

namespace ZalvoBACnetStack {

class BACnetConstructedValues {
public:
    struct Entry {
        uint8_t datatype;
        // A new empty value, owned by the caller (null when allocation fails).
        std::unique_ptr<ICodable> (*create)();
        // For a value that wraps one other value (a priority value): that
        // value, or null when it holds none. Null for the other classes.
        const ICodable* (*innerValue)(const ICodable& value);
    };

    // The entry of a constructed datatype, or null when it has none.
    static const Entry* Find(uint8_t datatype);
};

}  // namespace ZalvoBACnetStack
