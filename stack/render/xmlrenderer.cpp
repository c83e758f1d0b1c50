#include "render/xmlrenderer.h"

#include <deque>

#include "core/bacnetstackversion.h"

namespace ZalvoBACnetStack {
namespace {

void AppendAttributes(const RenderAttributes& attributes, std::string& out) {
    for (const auto& [name, text] : attributes) {
        out += ' ';
        out += name;
        out += "='";
        out += text;
        out += '\'';
    }
}

// The header comment is the same for every document; it is built once.
const std::string& HeaderText() {
    static const std::string text = "<!-- Zalvo BACnet Stack v" + std::to_string(kStackVersionMajor) + '.' +
                                    std::to_string(kStackVersionMinor) + '.' + std::to_string(kStackVersionPatch) +
                                    '.' + std::to_string(kStackVersionBuild) + " -->";
    return text;
}

// The children lists of the elements being written, one per nesting level,
// kept from one document to the next so that walking a tree does not
// allocate a fresh list for every element. A deque, because a parent's list
// must stay where it is while deeper levels are added.
thread_local std::deque<RenderChildren> tChildrenByDepth;
// Levels whose lists are in use: a render started while another one is
// under way (a value that renders something while it is being rendered)
// takes the levels below them and leaves them untouched.
thread_local size_t tLevelsInUse = 0;

class LevelInUse {
public:
    LevelInUse() { ++tLevelsInUse; }
    ~LevelInUse() { --tLevelsInUse; }
    LevelInUse(const LevelInUse&) = delete;
    LevelInUse& operator=(const LevelInUse&) = delete;
};

}  // namespace

void XMLRenderer::WriteHeader(std::string& out) const { out += HeaderText(); }

void XMLRenderer::Render(const IRenderable* root, std::string& out) const {
    if (root != nullptr) RenderValue(*root, nullptr, tLevelsInUse, out);
}

void XMLRenderer::RenderValue(const IRenderable& value, const RenderChild* entry, size_t depth,
                              std::string& out) const {
    RenderAttributes attributes;
    value.GetAttributes(attributes);
    const std::string text = value.GetElementText();
    while (tChildrenByDepth.size() <= depth) tChildrenByDepth.emplace_back();
    const LevelInUse level;
    RenderChildren& children = tChildrenByDepth[depth];
    children.clear();
    value.GetChildren(children);
    // A parent's entry may rename this occurrence; the value's own name is
    // only asked for when it is the one written.
    std::string ownName;
    const bool renamed = entry != nullptr && !entry->elementName.empty();
    if (!renamed) ownName = value.GetElementName();
    const std::string& name = renamed ? entry->elementName : ownName;

    if (entry != nullptr && entry->contextNumber != kNoContextNumber) {
        attributes[entry->attributeKey] = std::to_string(static_cast<int32_t>(entry->contextNumber));
    }

    if (children.empty()) {
        if (name.empty()) return;
        out += '<';
        out += name;
        AppendAttributes(attributes, out);
        if (text.empty()) {
            out += " />";
        } else {
            out += '>';
            out += text;
            out += "</";
            out += name;
            out += '>';
        }
        return;
    }

    if (!name.empty()) {
        out += '<';
        out += name;
        AppendAttributes(attributes, out);
        out += '>';
        out += text;
    }
    for (const RenderChild& child : children) {
        if (child.child != nullptr) RenderValue(*child.child, &child, depth + 1, out);
    }
    if (!name.empty()) {
        out += "</";
        out += name;
        out += '>';
    }
}

}  // namespace ZalvoBACnetStack
