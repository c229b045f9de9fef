// Insertion-ordered table of string keys and values with linear, case-sensitive lookup.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "util/log.h"

// Every named thing of the engine lives in one of these. Lookups scan from the
// first entry; the tables stay small (dozens to hundreds of entries). The table
// never owns its values: whoever fills it says who frees them.
template <class T>
class Hashtable {
 public:
  Hashtable() = default;
  Hashtable(const Hashtable&) = default;
  Hashtable& operator=(const Hashtable&) = default;

  // Appends unless the key already maps to a non-null value.
  void Add(std::string key, T value) {
    if (Get(key)) return;
    try {
      values_.push_back(value);
      try {
        keys_.push_back(std::move(key));
      } catch (...) {
        values_.pop_back();  // keep values, keys and count in step
        throw;
      }
      ++count_;
    } catch (const std::exception& failure) {
      LogFormat("Exception catched in Hashtable.Add: (%s)\r\n", failure.what());
    }
  }

  T Get(const std::string& key) const {
    int i = IndexOf(key);
    return i < 0 ? T() : values_[i];
  }

  int IndexOf(const std::string& key) const {
    for (int i = 0; i < count_; ++i)
      if (keys_[i] == key) return i;
    return -1;
  }

  // Removes the last entry with this key; later entries move down.
  void Remove(const std::string& key) {
    int found = -1;
    for (int i = 0; i < count_; ++i)
      if (keys_[i] == key) found = i;
    if (found < 0) return;
    values_.erase(values_.begin() + found);
    keys_.erase(keys_.begin() + found);
    --count_;
  }

  std::string KeyOf(T value) const {
    for (int i = 0; i < count_; ++i)
      if (values_[i] == value) return keys_[i];
    return std::string();
  }

  bool Contains(T value) const {
    for (int i = 0; i < count_; ++i)
      if (values_[i] == value) return true;
    return false;
  }

  void Clear() {
    values_.clear();
    keys_.clear();
    count_ = 0;
  }

  T& ValueAt(int index) { return values_[index]; }
  const T& ValueAt(int index) const { return values_[index]; }
  std::string& KeyAt(int index) { return keys_[index]; }
  const std::string& KeyAt(int index) const { return keys_[index]; }
  int32_t Count() const { return count_; }

  // Lines end LF then CR: the listing has always been printed that way.
  void Print() const {
    for (int i = 0; i < count_; ++i) LogFormat("%i - %s\n\r", i, keys_[i].c_str());
    if (count_ == 0) LogText("Hashtable is empty\r\n");
  }

  // Swaps two entries, each key travelling with its value.
  void Swap(int a, int b) {
    std::swap(values_[a], values_[b]);
    std::swap(keys_[a], keys_[b]);
  }

 private:
  std::vector<T> values_;          // values_[i] belongs to keys_[i]
  std::vector<std::string> keys_;  // owned copies of the keys
  int32_t count_ = 0;              // entries; always the size of both arrays
};
