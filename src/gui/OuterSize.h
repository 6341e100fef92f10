// A window's outer size, frame included, as the design gives it: the client area is the outer
// size less the frame the window manager draws, measured once the window shows, and a window
// that opens centred is centred by its outer size.
#pragma once

#include <QSize>

#include <functional>

class QScreen;
class QWidget;

// The frame assumed until (or unless) the window manager tells its own: 6 × 28 pixels.
constexpr QSize AssumedFrame{6, 28};

// Gives window the client area outer less the frame, now with the frame last seen (the assumed
// one before any) and again whenever the window manager's frame turns out to differ; setClient
// sets the client area (window->setFixedSize when none). With screen, the window is centred on it
// each time.
void KeepOuterSize(QWidget* window, QSize outer, const QScreen* screen = nullptr,
                   std::function<void(QSize)> setClient = {});
