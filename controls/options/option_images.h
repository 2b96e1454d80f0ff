#pragma once
// The three 14 by 14 pictures a tree of options shows: a closed folder, an open folder and
// the arrow of the page shown, under the keys of ky_tree_functions.h.

#include "platform/forms/intrinsics/image_list.h"

namespace options {

// One list per thread, shared by every tree of options (the tree host's and the editor's).
const forms::ImageList& option_images();

} // namespace options
