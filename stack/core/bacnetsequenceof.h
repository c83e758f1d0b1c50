// A homogeneous list of values of one class T (SEQUENCE OF / list-of in the
// standard), held by value in order. The list has no element name of its
// own: rendered without a name from its parent, its elements stand directly
// inside the parent element; rendered under a name, the wrapper carries the
// element count.
#pragma once

#include <cxxabi.h>

#include <cstdlib>
#include <new>
#include <string>
#include <typeinfo>
#include <vector>

#include "core/bacnetobjectbase.h"
#include "core/bacnettag.h"
#include "core/stackerrorlog.h"

namespace ZalvoBACnetStack {

template <class T>
class BACnetSequenceOf : public BACnetObjectBase {
public:
    BACnetSequenceOf() = default;

    // Elements one after the other until one does not decode (a closing tag,
    // normally) or the buffer ends; that element is dropped and the list
    // keeps what it has. Returns the octets of the elements (0 for none).
    [[nodiscard]] uint16_t Decode(const uint8_t* buffer, uint16_t length, BACnetErrorOutcome* outcome) override {
        Reset();
        if (buffer == nullptr || length == 0) {
            StackErrorLog(OperationName("Decode").c_str(), kSource, __LINE__, "Invalid parameters");
            return 0;
        }
        uint16_t position = 0;
        while (position < length) {
            BACnetTag header;
            if (header.Decode(buffer + position, static_cast<uint16_t>(length - position)) == 0) {
                StackErrorLog(OperationName("Decode").c_str(), kSource, __LINE__, "Error decoding tag");
                Reset();
                return 0;
            }
            T element;
            const uint16_t used = element.Decode(buffer + position, static_cast<uint16_t>(length - position), outcome);
            if (used == 0) break;
            elements_.push_back(std::move(element));
            position = static_cast<uint16_t>(position + used);
        }
        valid_ = true;
        return position;
    }

    // Each element's own encoding in order; an empty list writes nothing.
    [[nodiscard]] uint16_t Encode(uint8_t* buffer, uint16_t room, BACnetErrorOutcome* outcome) override {
        if (buffer == nullptr || room == 0) {
            StackErrorLog(OperationName("Encode").c_str(), kSource, __LINE__, "Invalid parameters");
            return 0;
        }
        if (!valid_) {
            StackErrorLog(OperationName("Encode").c_str(), kSource, __LINE__, "Invalid BACnetListOfValues object");
            return 0;
        }
        uint16_t position = 0;
        for (T& element : elements_) {
            const uint16_t written =
                position < room ? element.Encode(buffer + position, static_cast<uint16_t>(room - position), outcome) : 0;
            if (written == 0) {
                StackErrorLog(OperationName("Encode").c_str(), kSource, __LINE__, "Error encoding a list item");
                return 0;
            }
            position = static_cast<uint16_t>(position + written);
        }
        return position;
    }

    [[nodiscard]] std::unique_ptr<ICodable> Clone() const override {
        return std::unique_ptr<ICodable>(new (std::nothrow) BACnetSequenceOf<T>(*this));
    }
    uint8_t GetDatatype() const override { return Datatype::kSequenceOf; }
    // Empty, not valid.
    void Reset() override {
        elements_.clear();
        valid_ = false;
    }
    bool IsEqual(const ICodable* other) const override {
        if (other == nullptr || other->GetDatatype() != GetDatatype()) return false;
        const auto* list = dynamic_cast<const BACnetSequenceOf<T>*>(other);
        if (list == nullptr || list->elements_.size() != elements_.size()) return false;
        for (size_t i = 0; i < elements_.size(); ++i) {
            if (!elements_[i].IsEqual(&list->elements_[i])) return false;
        }
        return true;
    }

    std::string GetElementName() const override { return {}; }
    bool GetAttributes(RenderAttributes& attributes) const override {
        attributes["count"] = std::to_string(elements_.size());
        return true;
    }
    bool GetChildren(RenderChildren& children) const override {
        for (const T& element : elements_) children.push_back(MakeRenderChild(&element));
        return !elements_.empty();
    }

    // Appends a copy of `element`; the list becomes valid.
    void Add(const T& element) {
        elements_.push_back(element);
        valid_ = true;
    }
    // An empty but valid list.
    void SetEmpty() {
        elements_.clear();
        valid_ = true;
    }
    size_t Size() const { return elements_.size(); }
    const T& At(size_t index) const { return elements_.at(index); }
    const std::vector<T>& Elements() const { return elements_; }

private:
    static constexpr const char* kSource = "bacnetsequenceof";

    // "ZalvoBACnetStack::BACnetSequenceOf<class ZalvoBACnetStack::<T>>::<operation>"
    static std::string OperationName(const char* operation) {
        static const std::string prefix = [] {
            int status = 0;
            char* demangled = abi::__cxa_demangle(typeid(T).name(), nullptr, nullptr, &status);
            std::string name = status == 0 && demangled != nullptr ? demangled : typeid(T).name();
            std::free(demangled);
            return "ZalvoBACnetStack::BACnetSequenceOf<class " + name + ">::";
        }();
        return prefix + operation;
    }

    std::vector<T> elements_;
};

}  // namespace ZalvoBACnetStack
