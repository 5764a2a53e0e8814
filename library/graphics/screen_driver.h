// What the screen driver needs of other parts and what it offers them. Win32 only.
#ifndef QUILL_GRAPHICS_SCREEN_DRIVER_H
#define QUILL_GRAPHICS_SCREEN_DRIVER_H

namespace quill {

// Forgets the screen driver's last font, so that the next op 21 makes a new one.
void ResetScreenFont();

// Op 38: draws the image file named in ctext at lower-left point 1 inside the clip rectangle,
// with the image options id(1), id(2). Returns 0, or the reader's status when it cannot.
int DrawImageFileOp();

// Op 40: the gradient fill of the gradient vertices on the current drawable.
void ScreenGradientOp();

}  // namespace quill

#endif
