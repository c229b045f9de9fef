// Reads fuzz input bytes as small numbers and strings; past the end everything reads as zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool Empty() const { return at_ >= size_; }
  uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  uint16_t U16() { return static_cast<uint16_t>(Byte() | Byte() << 8); }
  int32_t I32() { return static_cast<int32_t>(static_cast<uint32_t>(U16()) | static_cast<uint32_t>(U16()) << 16); }
  // Up to count bytes as a string.
  std::string Bytes(size_t count) {
    size_t n = count < size_ - at_ ? count : (at_ < size_ ? size_ - at_ : 0);
    std::string s(reinterpret_cast<const char*>(data_ + at_), n);
    at_ += n;
    return s;
  }
  const uint8_t* Rest() const { return data_ + (at_ < size_ ? at_ : size_); }
  size_t RestSize() const { return at_ < size_ ? size_ - at_ : 0; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};
