// The skin from the executable's bitmap resource "MAIN_SKIN". A bitmap resource is a BMP
// file without its 14-byte file header, which is put back in front for the BMP reader
// (which works out where the pixels are by itself, so the header's sizes do not matter).

#include <cstdint>
#include <vector>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "foundation/picture_error.h"
#include "foundation/skin_image.h"
#include "platform/windows_api.h"

TBitmap LoadSkinImage() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, L"MAIN_SKIN", MAKEINTRESOURCEW(2));  // RT_BITMAP
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) throw CPictureError("the bitmap resource MAIN_SKIN is missing");
  const DWORD size = SizeofResource(module, found);

  CByteWriter file;
  file.WriteBytes("BM", 2);
  file.WriteUInt32(14 + size);
  file.WriteUInt32(0);
  file.WriteUInt32(0);
  file.WriteBytes(data, size);
  CByteReader reader(file.Bytes().data(), file.Size());
  return TBitmap::ReadBmp(reader);
}
