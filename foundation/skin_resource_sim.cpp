// The native build has no resources: the skin comes from the same function that made the
// resource's file.

#include "foundation/skin_image.h"

TBitmap LoadSkinImage() {
  return MakeSkinImage();
}
