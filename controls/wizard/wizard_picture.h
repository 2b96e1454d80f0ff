#pragma once
// The picture reference that the navigation object keeps for the banner and the watermark
// and hands on to the pages unchanged: the runtime's shared picture object.

#include "platform/forms/core/screen.h"
#include "platform/forms/core/std_picture.h"

using WizardPicture = forms::PictureRef;

// Whether the screen meets a picture's pixel with 15 twips, as the plain pictures (drawn for
// 96 dots per inch) expect: then they show as they are. Any other screen (another resolution,
// or a scaled one with more device pixels to a pixel) gets the Big pictures, stretched.
inline bool plain_pictures_screen()
{
    return forms::Screen::TwipsPerPixelY() / forms::Screen::DevicePixelRatio() == 15.0;
}
