#pragma once
// Qt's image readers refuse any picture that needs more memory than their
// allocation limit (128 MB by default), whatever our own picture limits say.
// This sets their limit to what our largest picture needs, so that a picture
// is refused by our limits, with our message, or not at all.
void InstallImageReaderLimit();
