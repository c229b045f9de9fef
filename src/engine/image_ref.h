// A holder's hold on an image of the registry. The registry owns the surface;
// whoever shows it (the background, an animation, a button, an icon) holds an
// ImageRef, which reads as null from the moment the registry lets it go, so
// no holder is ever left pointing at freed pixels and none needs telling.
#pragma once

#include <SDL/SDL.h>

#include <cstddef>
#include <memory>

class ImageRef {
 public:
  ImageRef() = default;
  ImageRef(std::nullptr_t) {}
  explicit ImageRef(const std::shared_ptr<SDL_Surface>& owned) : life_(owned), surface_(owned.get()) {}

  SDL_Surface* get() const { return life_.expired() ? nullptr : surface_; }
  operator SDL_Surface*() const { return get(); }
  SDL_Surface* operator->() const { return get(); }

 private:
  std::weak_ptr<SDL_Surface> life_;  // expires when the registry frees the surface
  SDL_Surface* surface_ = nullptr;
};
