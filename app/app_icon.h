// The application icon: a corner of a board with a black and a white stone.
#pragma once

#include <QIcon>
#include <QImage>

// The icon drawn at `size` x `size` pixels; needs no application object, so that the build can
// write the installed icons with it.
QImage AppIconImage(int size);

// The window icon: the 16 and 32 pixel images.
QIcon MakeAppIcon();
