// Ownership of a thing whose type the holder only names: the floor that makes
// it hands over its deleter with it, so the holder needs no code of its own
// and frees it wherever it lets go.
#pragma once

#include <memory>
#include <utility>

template <class T>
struct OwnedDeleter {
  void (*free)(T*) = nullptr;
  void operator()(T* thing) const {
    if (free) free(thing);
  }
};

template <class T>
using Owned = std::unique_ptr<T, OwnedDeleter<T>>;

template <class T>
void DeleteOwned(T* thing) {
  delete thing;
}

// Made where T is whole; only an Owned made here can be put in a holder.
template <class T, class... Args>
Owned<T> MakeOwned(Args&&... args) {
  return Owned<T>(new T(std::forward<Args>(args)...), OwnedDeleter<T>{&DeleteOwned<T>});
}
