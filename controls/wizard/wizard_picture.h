#pragma once
// The picture reference that the navigation object keeps for the banner and the watermark
// and hands on to the pages unchanged: the runtime's shared picture object.

#include "platform/forms/std_picture.h"

using WizardPicture = forms::PictureRef;
