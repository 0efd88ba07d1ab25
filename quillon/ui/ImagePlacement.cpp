#include "quillon/ui/ImagePlacement.h"

#include <cmath>

MrPoint ImageOrigin(int mode, const MrRect& rect, int imageWidth, int imageHeight) {
  switch (mode) {
    case kPlaceCentre: {
      int x = rect.left;
      int y = rect.top;
      if (imageWidth < rect.Width()) x += CeilDiv(rect.Width() - imageWidth, 2);
      if (imageHeight < rect.Height()) y += CeilDiv(rect.Height() - imageHeight, 2);
      return MrPoint{x, y};
    }
    case kPlaceRight:
      return MrPoint{rect.Width() - imageWidth, 0};
    default:
      return MrPoint{rect.left, rect.top};
  }
}

int SpinnerSteps(int requested) {
  if (requested < 1) return 1;
  return requested > 360 ? 360 : requested;
}

int SpinnerAngle(int steps, int counter) {
  steps = SpinnerSteps(steps);
  return static_cast<int>(std::ceil(360.0 / steps * counter));
}

MrPoint SpinnerCentre(int imageWidth, int imageHeight) {
  return MrPoint{CeilDiv(imageWidth < 0 ? 0 : imageWidth, 2), CeilDiv(imageHeight < 0 ? 0 : imageHeight, 2)};
}
