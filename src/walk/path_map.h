// The walk-box map: the walkable floor of the scene and the path search over it.
#pragma once

class PathMap {
 public:
  virtual ~PathMap() = default;
};
