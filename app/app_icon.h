// The application icon: a corner of a board with a black and a white stone.
#pragma once

#include <QIcon>

QIcon MakeAppIcon();
