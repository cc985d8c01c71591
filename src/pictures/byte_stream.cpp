// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/byte_stream.h"

#include <algorithm>
#include <cstring>

namespace pictures {

std::span<const std::uint8_t> ByteStream::remaining() const {
    if (position_ >= data_.size()) return {};
    return std::span<const std::uint8_t>(data_).subspan(position_);
}

std::size_t ByteStream::Read(std::uint8_t* out, std::size_t count) {
    if (position_ >= data_.size()) return 0;
    const std::size_t n = std::min(count, data_.size() - position_);
    std::memcpy(out, data_.data() + position_, n);
    position_ += n;
    return n;
}

void ByteStream::Write(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return;
    const std::size_t end = position_ + bytes.size();
    if (end > data_.size()) data_.resize(end);
    std::memcpy(data_.data() + position_, bytes.data(), bytes.size());
    position_ = end;
}

} // namespace pictures
