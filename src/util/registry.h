// A keyed, insertion-ordered table that owns its values: what a game creates
// by name (objects, their animations, buttons, variables) lives in one of
// these and goes when the table is cleared or destroyed. Values come as
// Owned, made where their type is whole, so a table can be declared where the
// type is only named.
#pragma once

#include <string>

#include "util/hashtable.h"
#include "util/owned.h"

template <class T>
class Registry {
 public:
  Registry() = default;
  ~Registry() { Clear(); }
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;
  Registry(Registry&& other) noexcept : table_(other.table_), free_(other.free_) { other.table_.Clear(); }
  Registry& operator=(Registry&& other) noexcept {
    if (this != &other) {
      Clear();
      table_ = other.table_;
      free_ = other.free_;
      other.table_.Clear();
    }
    return *this;
  }

  // Takes the value unless the key already holds one, which stays (the value
  // is then freed). Returns what the key holds afterwards, null when the
  // table could not take it.
  T* Add(const std::string& key, Owned<T> value) {
    if (T* known = table_.Get(key)) return known;
    T* raw = value.get();
    table_.Add(key, raw);
    if (table_.Get(key) != raw) return nullptr;
    free_ = value.get_deleter().free;
    value.release();  // the table owns it now
    return raw;
  }

  // Hands the value under the key back to the caller and removes the entry.
  Owned<T> Take(const std::string& key) {
    T* value = table_.Get(key);
    if (!value) return Owned<T>();
    table_.Remove(key);
    return Owned<T>(value, OwnedDeleter<T>{free_});
  }

  void Clear() {
    for (int i = 0; i < table_.Count(); ++i) free_(table_.ValueAt(i));
    table_.Clear();
  }

  T* Get(const std::string& key) const { return table_.Get(key); }
  int IndexOf(const std::string& key) const { return table_.IndexOf(key); }
  std::string KeyOf(const T* value) const { return table_.KeyOf(const_cast<T*>(value)); }
  bool Contains(const T* value) const { return table_.Contains(const_cast<T*>(value)); }
  T* ValueAt(int index) const { return table_.ValueAt(index); }
  const std::string& KeyAt(int index) const { return table_.KeyAt(index); }
  int32_t Count() const { return table_.Count(); }
  void Print() const { table_.Print(); }
  void Swap(int a, int b) { table_.Swap(a, b); }

 private:
  Hashtable<T*> table_;
  void (*free_)(T*) = nullptr;  // the deleter every value came with
};
