// What a value tells a renderer about itself: an element name, a text,
// attributes and children. The renderer walks this description; values
// never write markup themselves (apart from the few fixed texts that stand
// inside an element).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace ZalvoBACnetStack {

class IRenderable;

// Attributes are written in byte-wise order of their names.
using RenderAttributes = std::map<std::string, std::string>;

inline constexpr uint32_t kNoContextNumber = 0xFFFFFFFF;

// One child occurrence, as its parent lists it.
struct RenderChild {
    const IRenderable* child = nullptr;        // not owned; null entries are skipped
    std::string elementName;                   // when not empty, renames this occurrence
    uint32_t contextNumber = kNoContextNumber; // when set, written as attribute `attributeKey`
    std::string attributeKey = "context";
};

using RenderChildren = std::vector<RenderChild>;

class IRenderable {
public:
    virtual ~IRenderable() = default;
    virtual std::string GetElementName() const = 0;
    virtual std::string GetElementText() const { return {}; }
    // Appends one entry per child in document order.
    virtual bool GetChildren(RenderChildren& children) const {
        (void)children;
        return false;
    }
    // Inserts or overwrites entries.
    virtual bool GetAttributes(RenderAttributes& attributes) const {
        (void)attributes;
        return false;
    }
};

// Convenience for parents: a child entry without override.
inline RenderChild MakeRenderChild(const IRenderable* child, std::string elementName = {},
                                   uint32_t contextNumber = kNoContextNumber, std::string attributeKey = "context") {
    return RenderChild{child, std::move(elementName), contextNumber, std::move(attributeKey)};
}

}  // namespace ZalvoBACnetStack
