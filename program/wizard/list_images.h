#pragma once
// The small images of the wizard's two lists: "1" a domain, "2" an Exchange 5.5 server,
// 16 by 16 pixels, taken from the program's network and Exchange 5.5 icons.

#include "platform/forms/intrinsics/image_list.h"

namespace program {

forms::ImageList MakeListImages();

} // namespace program
