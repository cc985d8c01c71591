// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The in-memory byte stream the picture code works on: a growable buffer with one
// read/write position. Reading past the end yields no data and is not an error; writing
// overwrites at the position and grows the buffer as needed.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace pictures {

class ByteStream {
public:
    ByteStream() = default;
    explicit ByteStream(std::vector<std::uint8_t> bytes) : data_(std::move(bytes)) {}

    std::size_t size() const { return data_.size(); }
    std::size_t position() const { return position_; }
    // Any position is allowed; past the end, reads give nothing and a write fills the gap
    // with zeros.
    void Seek(std::size_t position) { position_ = position; }

    const std::vector<std::uint8_t>& bytes() const { return data_; }
    std::vector<std::uint8_t>& bytes() { return data_; }
    std::span<const std::uint8_t> remaining() const;

    // One byte, or false at the end.
    bool ReadByte(std::uint8_t& byte) {
        if (position_ >= data_.size()) return false;
        byte = data_[position_++];
        return true;
    }
    // Up to count bytes; returns how many were read.
    std::size_t Read(std::uint8_t* out, std::size_t count);

    void WriteByte(std::uint8_t byte) {
        if (position_ < data_.size()) {
            data_[position_++] = byte;
        } else {
            Write(std::span<const std::uint8_t>(&byte, 1));
        }
    }
    void Write(std::span<const std::uint8_t> bytes);

private:
    std::vector<std::uint8_t> data_;
    std::size_t position_ = 0;
};

} // namespace pictures
