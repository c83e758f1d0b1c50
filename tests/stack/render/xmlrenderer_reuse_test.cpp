// The renderer keeps its working lists from one document to the next, and
// the decode entry keeps its text: nothing of an earlier document may show
// in a later one, and a render started inside another must leave the outer
// one intact.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "bacnetstack.h"
#include "render/xmlrenderer.h"

namespace ZalvoBACnetStack {
namespace {

struct Node : IRenderable {
    std::string name, text;
    RenderChildren children;
    std::string GetElementName() const override { return name; }
    std::string GetElementText() const override { return text; }
    bool GetChildren(RenderChildren& out) const override {
        out.insert(out.end(), children.begin(), children.end());
        return !children.empty();
    }
};

// A node whose text is the rendering of another tree, made while the node
// itself is being rendered, either while its text is asked for or while its
// own children are listed.
struct RenderingNode : Node {
    const IRenderable* inner = nullptr;
    bool renderWhileListingChildren = false;
    mutable std::string innerText;
    std::string GetElementText() const override {
        if (!renderWhileListingChildren) RenderInner();
        return innerText.empty() ? text : "[" + innerText + "]";
    }
    bool GetChildren(RenderChildren& out) const override {
        if (renderWhileListingChildren) RenderInner();
        return Node::GetChildren(out);
    }
    void RenderInner() const {
        innerText.clear();
        XMLRenderer().Render(inner, innerText);
    }
};

std::string Render(const IRenderable* root) {
    std::string out;
    XMLRenderer().Render(root, out);
    return out;
}

// A chain of `depth` nested elements, each with two leaves before its child.
struct Chain {
    std::vector<std::unique_ptr<Node>> nodes;
    Node* root = nullptr;
    explicit Chain(int depth, const std::string& prefix) {
        Node* parent = nullptr;
        for (int level = 0; level < depth; ++level) {
            auto leafA = std::make_unique<Node>();
            leafA->name = prefix + "A" + std::to_string(level);
            auto leafB = std::make_unique<Node>();
            leafB->name = prefix + "B" + std::to_string(level);
            leafB->text = "t";
            auto node = std::make_unique<Node>();
            node->name = prefix + "N" + std::to_string(level);
            node->children = {MakeRenderChild(leafA.get()), MakeRenderChild(leafB.get(), "", 1)};
            if (parent != nullptr) parent->children.push_back(MakeRenderChild(node.get(), "R" + std::to_string(level)));
            parent = node.get();
            if (root == nullptr) root = node.get();
            nodes.push_back(std::move(leafA));
            nodes.push_back(std::move(leafB));
            nodes.push_back(std::move(node));
        }
    }
};

std::string ExpectedChain(int depth, const std::string& prefix, int level = 0) {
    if (level == depth) return "";
    const std::string name = level == 0 ? prefix + "N0" : "R" + std::to_string(level);
    return "<" + name + "><" + prefix + "A" + std::to_string(level) + " /><" + prefix + "B" + std::to_string(level) +
           " context='1'>t</" + prefix + "B" + std::to_string(level) + ">" + ExpectedChain(depth, prefix, level + 1) +
           "</" + name + ">";
}

TEST(XMLRendererReuse, DocumentsOfAnyDepthInAnyOrderRenderAsIfAlone) {
    const int depths[] = {6, 1, 3, 12, 2, 12, 1};
    for (const int depth : depths) {
        SCOPED_TRACE(depth);
        const Chain chain(depth, "d" + std::to_string(depth));
        EXPECT_EQ(Render(chain.root), ExpectedChain(depth, "d" + std::to_string(depth)));
    }
}

TEST(XMLRendererReuse, ARenderStartedInsideAnotherLeavesTheOuterOneIntact) {
    const Chain inner(4, "i");
    const std::string innerText = ExpectedChain(4, "i");
    for (const bool whileListing : {false, true}) {
        SCOPED_TRACE(whileListing ? "inner render while listing children" : "inner render while asking the text");
        Node tail;
        tail.name = "Tail";
        RenderingNode middle;
        middle.name = "Middle";
        middle.inner = inner.root;
        middle.renderWhileListingChildren = whileListing;
        middle.children = {MakeRenderChild(&tail), MakeRenderChild(&tail, "Again")};
        Node sibling;
        sibling.name = "Sibling";
        Node root;
        root.name = "Root";
        root.children = {MakeRenderChild(&middle), MakeRenderChild(&sibling)};
        // The text is asked for before the children are listed, so only a
        // render made for the text shows in the outer document.
        const std::string shown = whileListing ? "" : "[" + innerText + "]";
        EXPECT_EQ(Render(&root), "<Root><Middle>" + shown + "<Tail /><Again /></Middle><Sibling /></Root>");
        EXPECT_EQ(middle.innerText, innerText);
    }
}

TEST(DecodeAsXMLReuse, ALargeDocumentLeavesNothingInTheNextOne) {
    // A ReadPropertyMultiple ACK of many results, then a Who-Is, then the
    // ACK again: each text equals the one a first decode gave.
    std::vector<uint8_t> ack = {0x81, 0x0A, 0x00, 0x00, 0x01, 0x00, 0x30, 0x01, 0x0E};
    for (int instance = 1; instance <= 120; ++instance) {
        const uint8_t result[] = {0x0C, 0x00, 0x00, 0x00, static_cast<uint8_t>(instance), 0x1E, 0x29, 0x55, 0x4E,
                                  0x44, 0x41, 0xB4, 0x00, 0x00, 0x4F, 0x1F};
        ack.insert(ack.end(), std::begin(result), std::end(result));
    }
    ack[2] = static_cast<uint8_t>(ack.size() >> 8);
    ack[3] = static_cast<uint8_t>(ack.size());
    const std::vector<uint8_t> whoIs = {0x81, 0x0B, 0x00, 0x08, 0x01, 0x00, 0x10, 0x08};

    auto decode = [](const std::vector<uint8_t>& payload, uint32_t room) {
        std::string buffer(room, '#');
        const uint32_t length = BACnetStack_DecodeAsXML(payload.data(), static_cast<uint16_t>(payload.size()),
                                                        buffer.data(), room);
        return length == 0 ? std::string() : buffer.substr(0, length);
    };
    const std::string firstAck = decode(ack, 102400);
    ASSERT_GT(firstAck.size(), 10000u);
    const std::string firstWhoIs = decode(whoIs, 102400);
    EXPECT_EQ(firstWhoIs,
              "<!-- Zalvo BACnet Stack v3.3.2.0 --><BACnetPacket networkType='IP'>"
              "<BVLL function='originalBroadcastNPDU' /><NPDU control='0x00' version='1' />"
              "<UnconfirmedRequestPDU serviceChoice='whoIs'><WhoIsRequest /></UnconfirmedRequestPDU></BACnetPacket>");
    EXPECT_EQ(decode(ack, 102400), firstAck);
    // Too small a buffer is refused and left untouched; the next decode is whole.
    std::string small(100, '#');
    EXPECT_EQ(BACnetStack_DecodeAsXML(ack.data(), static_cast<uint16_t>(ack.size()), small.data(), 100), 0u);
    EXPECT_EQ(small, std::string(100, '#'));
    EXPECT_EQ(decode(whoIs, 102400), firstWhoIs);
}

}  // namespace
}  // namespace ZalvoBACnetStack
