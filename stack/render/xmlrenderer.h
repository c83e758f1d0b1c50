// Writes a tree of IRenderable values as one compact XML document: a header
// comment, then the root element; no declaration, no line breaks, no
// indentation and no escaping. The traffic report parses exactly this form.
#pragma once

#include <cstddef>
#include <string>

#include "render/irenderable.h"

namespace ZalvoBACnetStack {

class MorvaneRenderer {
public:
    virtual ~MorvaneRenderer() = default;
    virtual void WriteHeader(std::string& out) const = 0;
    virtual void Render(const IRenderable* root, std::string& out) const = 0;
};

class XMLRenderer final : public MorvaneRenderer {
public:
    // "<!-- Zalvo BACnet Stack v3.3.2.0 -->"
    void WriteHeader(std::string& out) const override;
    // Nothing for a null root.
    void Render(const IRenderable* root, std::string& out) const override;

private:
    // `depth` is the nesting level of `value`: the level its children list
    // is kept at while its children are written.
    void RenderValue(const IRenderable& value, const RenderChild* entry, size_t depth, std::string& out) const;
};

}  // namespace ZalvoBACnetStack
