#pragma once

#include "host/ui/Picture.h"

#include <memory>

namespace vorq {

// The dialog's own 16x16 pictures: the tree's node images, and the picture that stands in
// for a repository class without an icon.
enum class BuiltinPicture { Item, Items, Key, Type };

std::shared_ptr<const Picture> builtinPicture(BuiltinPicture which);

} // namespace vorq
