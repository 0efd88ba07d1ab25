#pragma once

#include "quillon/ui/SkinGeometry.h"

// Where the image control puts its picture, and its spinner overlay's steps.

enum ImagePlacementMode : int {
  kPlaceStretch = 0,
  kPlaceCentre = 1,
  kPlaceRight = 3,
  kPlaceTopLeft = 4,  // default; the control takes the picture's size
};

// Top-left corner of the unscaled picture for modes 1, 3 and 4 (any other
// value but 0 counts as 4).
MrPoint ImageOrigin(int mode, const MrRect& rect, int imageWidth, int imageHeight);

// Whether the control resizes itself to its picture.
inline bool PlacementSizesControl(int mode) {
  return mode != kPlaceStretch && mode != kPlaceCentre && mode != kPlaceRight;
}

// Spinner steps limited to 1..360.
int SpinnerSteps(int requested);
// Rotation of the overlay at `counter`: ceiling(360 / steps * counter).
int SpinnerAngle(int steps, int counter);
// The default rotation centre of a picture.
MrPoint SpinnerCentre(int imageWidth, int imageHeight);
