#pragma once
// Layout tables are kept in twips, as the windows were designed: 1440 to the
// inch, 15 to the pixel at 96 dots per inch. Qt scales the device-independent
// pixels for high-DPI screens.

#include <QRect>

namespace tarq::ui {

constexpr int TwipsToPixels(int twips) {
  return (twips + 7) / 15;
}

struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
  QRect ToPixels() const {
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
  }
};

}  // namespace tarq::ui
