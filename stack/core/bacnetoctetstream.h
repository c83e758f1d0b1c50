// Bounds-checked cursors over a caller's byte buffer. Every decode reads
// through a BACnetStackOctetReader and every encode writes through a
// BACnetStackOctetWriter: each access checks the remaining octets first and
// a failed access makes the cursor fail for good (sticky), so a caller may
// run a sequence of reads and test Failed() once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ZalvoBACnetStack {

class BACnetStackOctetReader {
public:
    BACnetStackOctetReader(const uint8_t* data, size_t length)
        : data_(data), length_(data == nullptr ? 0 : length) {}

    size_t Position() const { return position_; }
    size_t Remaining() const { return failed_ ? 0 : length_ - position_; }
    bool Failed() const { return failed_; }
    bool AtEnd() const { return Remaining() == 0; }
    // The unread octets (valid while Remaining() > 0).
    const uint8_t* Current() const { return data_ + position_; }

    bool ReadU8(uint8_t& value) {
        if (!Require(1)) return false;
        value = data_[position_++];
        return true;
    }
    bool ReadU16(uint16_t& value) {  // most significant octet first
        if (!Require(2)) return false;
        value = static_cast<uint16_t>(data_[position_] << 8 | data_[position_ + 1]);
        position_ += 2;
        return true;
    }
    bool ReadU32(uint32_t& value) {  // most significant octet first
        if (!Require(4)) return false;
        value = uint32_t{data_[position_]} << 24 | uint32_t{data_[position_ + 1]} << 16 |
                uint32_t{data_[position_ + 2]} << 8 | uint32_t{data_[position_ + 3]};
        position_ += 4;
        return true;
    }
    // Reads `count` octets, most significant first, into an unsigned value (count <= 8).
    bool ReadUnsigned(size_t count, uint64_t& value) {
        if (count > 8 || !Require(count)) return fail();
        value = 0;
        for (size_t i = 0; i < count; ++i) value = value << 8 | data_[position_ + i];
        position_ += count;
        return true;
    }
    bool ReadBytes(uint8_t* out, size_t count) {
        if (!Require(count)) return false;
        if (count != 0) std::memcpy(out, data_ + position_, count);
        position_ += count;
        return true;
    }
    bool Skip(size_t count) {
        if (!Require(count)) return false;
        position_ += count;
        return true;
    }
    bool PeekU8(uint8_t& value) const {
        if (Remaining() < 1) return false;
        value = data_[position_];
        return true;
    }

private:
    bool Require(size_t count) {
        if (failed_ || length_ - position_ < count) return fail();
        return true;
    }
    bool fail() {
        failed_ = true;
        return false;
    }

    const uint8_t* data_;
    size_t length_;
    size_t position_ = 0;
    bool failed_ = false;
};

class BACnetStackOctetWriter {
public:
    BACnetStackOctetWriter(uint8_t* data, size_t room) : data_(data), room_(data == nullptr ? 0 : room) {}

    size_t Position() const { return position_; }
    size_t Remaining() const { return failed_ ? 0 : room_ - position_; }
    bool Failed() const { return failed_; }

    bool WriteU8(uint8_t value) {
        if (!Require(1)) return false;
        data_[position_++] = value;
        return true;
    }
    bool WriteU16(uint16_t value) {  // most significant octet first
        if (!Require(2)) return false;
        data_[position_++] = static_cast<uint8_t>(value >> 8);
        data_[position_++] = static_cast<uint8_t>(value);
        return true;
    }
    bool WriteU32(uint32_t value) {  // most significant octet first
        if (!Require(4)) return false;
        for (int shift = 24; shift >= 0; shift -= 8) data_[position_++] = static_cast<uint8_t>(value >> shift);
        return true;
    }
    // Writes the low `count` octets of value, most significant first (count <= 8).
    bool WriteUnsigned(size_t count, uint64_t value) {
        if (count > 8 || !Require(count)) return fail();
        for (size_t i = 0; i < count; ++i) data_[position_++] = static_cast<uint8_t>(value >> (8 * (count - 1 - i)));
        return true;
    }
    bool WriteBytes(const uint8_t* bytes, size_t count) {
        if (!Require(count)) return false;
        if (count != 0) std::memcpy(data_ + position_, bytes, count);
        position_ += count;
        return true;
    }

private:
    bool Require(size_t count) {
        if (failed_ || room_ - position_ < count) return fail();
        return true;
    }
    bool fail() {
        failed_ = true;
        return false;
    }

    uint8_t* data_;
    size_t room_;
    size_t position_ = 0;
    bool failed_ = false;
};

}  // namespace ZalvoBACnetStack
