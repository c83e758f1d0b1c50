#include "render/xmlrenderer.h"

#include <gtest/gtest.h>

namespace ZalvoBACnetStack {
namespace {

// A hand-built node: whatever the test wants it to say about itself.
struct Node : IRenderable {
    std::string name, text;
    RenderAttributes attributes;
    RenderChildren children;
    std::string GetElementName() const override { return name; }
    std::string GetElementText() const override { return text; }
    bool GetChildren(RenderChildren& out) const override {
        out.insert(out.end(), children.begin(), children.end());
        return !children.empty();
    }
    bool GetAttributes(RenderAttributes& out) const override {
        for (const auto& [k, v] : attributes) out[k] = v;
        return !attributes.empty();
    }
};

std::string Render(const IRenderable* root) {
    std::string out;
    XMLRenderer().Render(root, out);
    return out;
}

TEST(XMLRenderer, HeaderCarriesTheStackVersion) {
    std::string out;
    XMLRenderer().WriteHeader(out);
    EXPECT_EQ(out, "<!-- Zalvo BACnet Stack v3.3.2.0 -->");
}

TEST(XMLRenderer, NullRootWritesNothing) { EXPECT_EQ(Render(nullptr), ""); }

TEST(XMLRenderer, LeavesSelfCloseWithoutTextAndCloseWithText) {
    Node empty;
    empty.name = "Null";
    empty.attributes = {{"datatype", "0"}};
    EXPECT_EQ(Render(&empty), "<Null datatype='0' />");

    Node withText;
    withText.name = "UnsignedInteger";
    withText.text = "5";
    withText.attributes = {{"value", "5"}, {"datatype", "2"}, {"context", "1"}};
    EXPECT_EQ(Render(&withText), "<UnsignedInteger context='1' datatype='2' value='5'>5</UnsignedInteger>");
}

TEST(XMLRenderer, AttributesSortByteWiseCapitalsFirst) {
    Node node;
    node.name = "ObjectIdentifier";
    node.attributes = {{"objectType", "8"}, {"objectInstance", "1"}, {"a", "x"}, {"Z", "y"}};
    EXPECT_EQ(Render(&node), "<ObjectIdentifier Z='y' a='x' objectInstance='1' objectType='8' />");
}

TEST(XMLRenderer, ChildrenFollowTheParentTextAndEntriesRenameAndTag) {
    Node leaf;
    leaf.name = "UnsignedInteger";
    leaf.text = "7";
    leaf.attributes = {{"context", "9"}};
    Node parent;
    parent.name = "Parent";
    parent.text = "<Inline />";
    parent.children = {MakeRenderChild(&leaf), MakeRenderChild(&leaf, "PropertyArrayIndex", 2),
                       MakeRenderChild(nullptr), MakeRenderChild(&leaf, "", 3, "priority")};
    EXPECT_EQ(Render(&parent),
              "<Parent><Inline /><UnsignedInteger context='9'>7</UnsignedInteger>"
              "<PropertyArrayIndex context='2'>7</PropertyArrayIndex>"
              "<UnsignedInteger context='9' priority='3'>7</UnsignedInteger></Parent>");
}

TEST(XMLRenderer, NamelessValuesAreTransparent) {
    Node leaf;
    leaf.name = "Real";
    Node list;  // no name: its children stand in its place, its own attributes and text are dropped
    list.text = "dropped";
    list.attributes = {{"count", "2"}};
    list.children = {MakeRenderChild(&leaf), MakeRenderChild(&leaf)};
    Node parent;
    parent.name = "P";
    parent.children = {MakeRenderChild(&list)};
    EXPECT_EQ(Render(&parent), "<P><Real /><Real /></P>");

    Node nothing;
    nothing.text = "ignored";
    EXPECT_EQ(Render(&nothing), "");
}

TEST(XMLRenderer, NothingIsEscaped) {
    Node node;
    node.name = "CharacterString";
    node.text = "a<b&c'd";
    node.attributes = {{"value", "<&'"}};
    EXPECT_EQ(Render(&node), "<CharacterString value='<&''>a<b&c'd</CharacterString>");
}

}  // namespace
}  // namespace ZalvoBACnetStack
