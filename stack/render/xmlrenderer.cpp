#include "render/xmlrenderer.h"

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

}  // namespace

void XMLRenderer::WriteHeader(std::string& out) const {
    out += "<!-- Zalvo BACnet Stack v";
    out += std::to_string(kStackVersionMajor);
    out += '.';
    out += std::to_string(kStackVersionMinor);
    out += '.';
    out += std::to_string(kStackVersionPatch);
    out += '.';
    out += std::to_string(kStackVersionBuild);
    out += " -->";
}

void XMLRenderer::Render(const IRenderable* root, std::string& out) const {
    if (root != nullptr) RenderValue(*root, nullptr, out);
}

void XMLRenderer::RenderValue(const IRenderable& value, const RenderChild* entry, std::string& out) const {
    RenderAttributes attributes;
    value.GetAttributes(attributes);
    const std::string text = value.GetElementText();
    RenderChildren children;
    value.GetChildren(children);
    std::string name = value.GetElementName();

    if (entry != nullptr) {
        if (!entry->elementName.empty()) name = entry->elementName;
        if (entry->contextNumber != kNoContextNumber) {
            attributes[entry->attributeKey] = std::to_string(static_cast<int32_t>(entry->contextNumber));
        }
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
        if (child.child != nullptr) RenderValue(*child.child, &child, out);
    }
    if (!name.empty()) {
        out += "</";
        out += name;
        out += '>';
    }
}

}  // namespace ZalvoBACnetStack
