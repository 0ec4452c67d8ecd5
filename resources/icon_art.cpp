#include "resources/icon_art.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <utility>

#include "foundation/byte_writer.h"
#include "resources/icon_canvas.h"

namespace {

using namespace IconDrawing;

// ---- The category icons ----

void DrawFolder(CCanvas& c) {
  c.Outlined(Union({Box(1, 2.5, 7, 6, 1), Polygon({{5, 3.5}, {7.5, 3.5}, {9, 5}, {5, 5}})}),
             Hex(0xE8A93A), Hex(0xA8701C));
  c.Outlined(Box(1, 4.5, 15, 14, 1), Hex(0xFFCB5C), Hex(0xB67C20));
  c.Paint(Box(2, 5.5, 14, 6.5), Hex(0xFFE29A));
}

void DrawStar(CCanvas& c) {
  c.Outlined(Star(8, 8.6, 7.6, 3.2, 5), Hex(0xFFD43B), Hex(0xC58F00));
}

void DrawHeart(CCanvas& c) {
  const Shape heart = Union({Circle(4.9, 5.8, 3.6), Circle(11.1, 5.8, 3.6),
                             Polygon({{1.55, 7.2}, {14.45, 7.2}, {8, 14.6}})});
  c.Outlined(heart, Hex(0xEC3E57), Hex(0xA5172D));
  c.Paint(Circle(4.6, 5.3, 1.2), Hex(0xFFFFFF, 0.55));
}

void DrawFlag(CCanvas& c) {
  c.Paint(Line({{3, 1.5}, {3, 15}}, 1.6), Hex(0x5D6670));
  c.Outlined(Polygon({{3.8, 2}, {14.5, 2}, {11.8, 5.5}, {14.5, 9}, {3.8, 9}}), Hex(0x33B35A),
             Hex(0x1D7A3A));
}

void DrawCode(CCanvas& c) {
  const Colour violet = Hex(0x6B4FD1);
  c.Paint(Line({{5.4, 4.2}, {1.8, 8}, {5.4, 11.8}}, 1.8), violet);
  c.Paint(Line({{10.6, 4.2}, {14.2, 8}, {10.6, 11.8}}, 1.8), violet);
  c.Paint(Line({{9.3, 3}, {6.7, 13}}, 1.6), Hex(0x9B86E8));
}

void DrawMail(CCanvas& c) {
  c.Outlined(Box(0.8, 3, 15.2, 13, 1.2), Hex(0xF4F8FD), Hex(0x3F72C4));
  c.Paint(Line({{1.8, 4.2}, {8, 9}, {14.2, 4.2}}, 1.3), Hex(0x3F72C4));
}

void DrawLink(CCanvas& c) {
  const Colour blue = Hex(0x2B8CC4);
  // Two stadium-shaped links, each turned 45 degrees, overlapping in the middle.
  const Shape first = Rotate(Box(1.6, 7.4, 10, 12.2, 2.4), -45, 5.8, 9.8);
  const Shape second = Rotate(Box(6, 3.8, 14.4, 8.6, 2.4), -45, 10.2, 6.2);
  c.Paint(Rim(first, 1.7), blue);
  c.Paint(Rim(second, 1.7), Hex(0x1B6A99));
}

void DrawDocument(CCanvas& c) {
  c.Outlined(Polygon({{2.5, 1}, {10, 1}, {13.5, 4.5}, {13.5, 15}, {2.5, 15}}), kWhite,
             Hex(0x66768A));
  c.Outlined(Polygon({{9.5, 1}, {13.5, 5}, {9.5, 5}}), Hex(0xD5DDE6), Hex(0x66768A));
  for (double y : {7.5, 9.8, 12.1}) c.Paint(Line({{5, y}, {11, y}}, 1.1), Hex(0x7E9BC0));
}

void DrawMusic(CCanvas& c) {
  const Colour pink = Hex(0xD0439B);
  c.Paint(Rotate(Ellipse(5.3, 12.4, 3, 2.1), -20, 5.3, 12.4), pink);
  c.Paint(Line({{7.6, 12}, {7.6, 2}}, 1.5), pink);
  c.Paint(Polygon({{7, 1.4}, {13, 3.6}, {13, 6.8}, {7, 4.6}}), pink);
}

void DrawPicture(CCanvas& c) {
  const Shape frame = Box(0.8, 2, 15.2, 14, 1);
  c.Paint(frame, Hex(0x3C7DB9));
  const Shape inside = Inset(frame, 1);
  c.Paint(inside, Hex(0xC4E6FF));
  c.Paint(Intersect(inside, Polygon({{1, 14}, {5.8, 7.2}, {9, 11}, {11.2, 8.6}, {15, 14}})),
          Hex(0x3EA55D));
  c.Paint(Circle(11.6, 5.5, 1.7), Hex(0xFFC83D));
}

void DrawBookmark(CCanvas& c) {
  c.Outlined(Polygon({{3.5, 0.8}, {12.5, 0.8}, {12.5, 15.2}, {8, 11}, {3.5, 15.2}}), Hex(0x1FB5AC),
             Hex(0x0E7A74));
}

void DrawClock(CCanvas& c) {
  c.Outlined(Circle(8, 8, 7.2), kWhite, Hex(0x37474F), 1.4);
  c.Paint(Line({{8, 8}, {8, 3.6}}, 1.4), kInk);
  c.Paint(Line({{8, 8}, {11.2, 9.8}}, 1.4), Hex(0xE53935));
  c.Paint(Circle(8, 8, 1.1), kInk);
}

void DrawHome(CCanvas& c) {
  c.Outlined(Box(3, 7, 13, 15, 0.5), Hex(0xF7E3C4), Hex(0x8D5A2B));
  c.Outlined(Polygon({{8, 1}, {15.5, 8.2}, {0.5, 8.2}}), Hex(0xE0533A), Hex(0x9B2A17));
  c.Paint(Box(6.6, 10, 9.4, 15), Hex(0x8D5A2B));
}

void DrawGear(CCanvas& c) {
  std::vector<Shape> parts{Circle(8, 8, 5.2)};
  for (int i = 0; i < 8; ++i) parts.push_back(Rotate(Box(6.6, 0.6, 9.4, 4, 0.5), 45.0 * i, 8, 8));
  c.Outlined(Minus(Union(std::move(parts)), Circle(8, 8, 2.2)), Hex(0x8E9EAE), Hex(0x4F5E6C));
}

void DrawBulb(CCanvas& c) {
  c.Outlined(Union({Circle(8, 6.2, 5.2), Polygon({{5.2, 9}, {10.8, 9}, {10.2, 12}, {5.8, 12}})}),
             Hex(0xFFE45C), Hex(0xC29A00));
  c.Paint(Box(5.8, 12.2, 10.2, 15.2, 1), Hex(0x78909C));
  c.Paint(Line({{6.4, 13.7}, {9.6, 13.7}}, 0.6), Hex(0xCFD8DC));
  c.Paint(Circle(6.3, 4.8, 1.3), Hex(0xFFFFFF, 0.7));
}

void DrawPerson(CCanvas& c) {
  const Colour blue = Hex(0x3A6FD8);
  c.Paint(Circle(8, 4.6, 3.3), blue);
  c.Paint(Intersect(Ellipse(8, 15.5, 6.8, 6.6), Box(0, 0, 16, 15.2)), blue);
}

void DrawCalendar(CCanvas& c) {
  const Shape page = Box(1.2, 2.5, 14.8, 15, 1.2);
  c.Outlined(page, kWhite, Hex(0x5F6B77));
  c.Paint(Intersect(page, Box(0, 0, 16, 6.2)), Hex(0xE8463A));
  c.Paint(Line({{5, 1}, {5, 4}}, 1.5), Hex(0x37474F));
  c.Paint(Line({{11, 1}, {11, 4}}, 1.5), Hex(0x37474F));
  for (double y : {8.6, 11.8}) {
    for (double x : {4.5, 8.0, 11.5}) c.Paint(Box(x - 1, y - 0.9, x + 1, y + 0.9), Hex(0x90A4AE));
  }
}

void DrawLock(CCanvas& c) {
  c.Paint(Intersect(Rim(Circle(8, 6.4, 4.4), 1.8), Box(0, 0, 16, 7.5)), Hex(0x8A97A3));
  c.Paint(Line({{3.6, 6.4}, {3.6, 8}}, 1.8), Hex(0x8A97A3));
  c.Paint(Line({{12.4, 6.4}, {12.4, 8}}, 1.8), Hex(0x8A97A3));
  c.Outlined(Box(2.2, 7.2, 13.8, 15.2, 1.2), Hex(0xF2B731), Hex(0xA77A00));
  c.Paint(Union({Circle(8, 10.3, 1.3), Line({{8, 10.5}, {8, 13}}, 1.1)}), Hex(0x5C4300));
}

void DrawTag(CCanvas& c) {
  const Shape tag = Polygon({{1.2, 8.8}, {8.8, 1.2}, {14.8, 1.2}, {14.8, 7.2}, {7.2, 14.8}});
  c.Outlined(Minus(tag, Circle(11.6, 4.4, 1.4)), Hex(0xF5902A), Hex(0xB35C00));
}

void DrawChat(CCanvas& c) {
  c.Outlined(Union({Box(0.8, 1.8, 15.2, 11.6, 3), Polygon({{3.5, 10}, {8, 10}, {2.8, 15}})}),
             Hex(0x4CBB5A), Hex(0x2A8A38));
  for (double x : {4.8, 8.0, 11.2}) c.Paint(Circle(x, 6.7, 1.15), kWhite);
}

void DrawCheck(CCanvas& c) {
  c.Paint(Circle(8, 8, 7.4), Hex(0x2EAF5F));
  c.Paint(Line({{4.4, 8.3}, {7, 10.9}, {11.9, 5.4}}, 2.0), kWhite);
}

void DrawWarning(CCanvas& c) {
  const Shape triangle = Polygon({{8, 1.2}, {15.4, 14.6}, {0.6, 14.6}});
  c.Outlined(triangle, Hex(0xFFCC2E), Hex(0xB88600));
  c.Paint(Line({{8, 5.6}, {8, 9.6}}, 1.7), kInk);
  c.Paint(Circle(8, 12.1, 1.0), kInk);
}

void DrawGlobe(CCanvas& c) {
  const Shape globe = Circle(8, 8, 7.3);
  c.Paint(globe, Hex(0x2F86D6));
  const Colour line = Hex(0xDDEFFF);
  c.Paint(Intersect(Inset(globe, 0.4),
                    Union({Rim(Ellipse(8, 8, 3.3, 7.3), 0.9), Line({{0, 8}, {16, 8}}, 0.9),
                           Line({{0, 4.4}, {16, 4.4}}, 0.8), Line({{0, 11.6}, {16, 11.6}}, 0.8),
                           Line({{8, 0}, {8, 16}}, 0.9)})),
          line);
}

void DrawPencil(CCanvas& c) {
  // Drawn lying flat, then turned to run from the lower left to the upper right.
  const double cx = 8;
  const double cy = 8;
  c.Outlined(Rotate(Box(4.2, 5.9, 13.2, 10.1), -45, cx, cy), Hex(0xF7B731), Hex(0xA8760A), 0.9);
  c.Paint(Rotate(Box(13.2, 5.9, 15.6, 10.1, 0.6), -45, cx, cy), Hex(0xF08FA0));
  c.Paint(Rotate(Polygon({{4.4, 5.9}, {4.4, 10.1}, {0.4, 8}}), -45, cx, cy), Hex(0xF2D4A2));
  c.Paint(Rotate(Polygon({{1.6, 7.4}, {1.6, 8.6}, {0.4, 8}}), -45, cx, cy), kInk);
}

void DrawCart(CCanvas& c) {
  const Colour blue = Hex(0x4E5FBF);
  c.Paint(Line({{0.8, 2}, {3, 2}, {5.2, 10.6}, {13.4, 10.6}}, 1.4), blue);
  c.Paint(Polygon({{3.4, 3.8}, {15.2, 3.8}, {13.6, 9.2}, {4.8, 9.2}}), Hex(0x7C8CE0));
  c.Paint(Circle(6, 13.5, 1.5), blue);
  c.Paint(Circle(12.4, 13.5, 1.5), blue);
}

void DrawPhone(CCanvas& c) {
  c.Paint(Box(3.6, 0.6, 12.4, 15.4, 1.6), Hex(0x37474F));
  c.Paint(Box(4.8, 2.4, 11.2, 12.2, 0.3), Hex(0x9ED4FF));
  c.Paint(Circle(8, 13.8, 0.8), Hex(0xB0BEC5));
}

void DrawCloud(CCanvas& c) {
  c.Outlined(Union({Circle(5, 9.4, 3.4), Circle(9.2, 7, 4.3), Circle(12.3, 10, 2.9),
                    Box(1.6, 9.4, 14.6, 13.6, 2)}),
             Hex(0xEAF3FC), Hex(0x5F93CF));
}

void DrawBolt(CCanvas& c) {
  c.Outlined(
      Polygon(
          {{9.8, 0.6}, {2.8, 9.2}, {7.2, 9.2}, {5.8, 15.4}, {13.2, 6.4}, {8.8, 6.4}, {11, 0.6}}),
      Hex(0xFFB71C), Hex(0xC27400));
}

void DrawBox(CCanvas& c) {
  c.Outlined(Box(1.6, 5.6, 14.4, 15, 0.6), Hex(0xC99A66), Hex(0x7A5530));
  c.Outlined(Box(0.8, 2.6, 15.2, 6.2, 0.6), Hex(0xDDB27E), Hex(0x7A5530));
  c.Paint(Box(6, 8, 10, 9.6, 0.8), Hex(0x7A5530));
}

struct Icon {
  std::string_view name;
  void (*draw)(CCanvas&);
};

// Image-list order; categories store the position, so new icons go at the end.
const Icon kCategoryIcons[] = {
    {"folder", DrawFolder},   {"star", DrawStar},         {"heart", DrawHeart},
    {"flag", DrawFlag},       {"code", DrawCode},         {"mail", DrawMail},
    {"link", DrawLink},       {"document", DrawDocument}, {"music", DrawMusic},
    {"picture", DrawPicture}, {"bookmark", DrawBookmark}, {"clock", DrawClock},
    {"home", DrawHome},       {"gear", DrawGear},         {"bulb", DrawBulb},
    {"person", DrawPerson},   {"calendar", DrawCalendar}, {"lock", DrawLock},
    {"tag", DrawTag},         {"chat", DrawChat},         {"check", DrawCheck},
    {"warning", DrawWarning}, {"globe", DrawGlobe},       {"pencil", DrawPencil},
    {"cart", DrawCart},       {"phone", DrawPhone},       {"cloud", DrawCloud},
    {"bolt", DrawBolt},       {"box", DrawBox},
};

// ---- The extra marks and the application icon ----

void DrawHotKeyMark(CCanvas& c) {
  const Colour gold = Hex(0xE2A812);
  const Colour dark = Hex(0x8A6100);
  const Shape key = Union({Circle(4.6, 8, 3.8), Line({{7, 8}, {15, 8}}, 2.4),
                           Box(11.4, 8, 13, 11.6), Box(13.6, 8, 15, 10.8)});
  c.Outlined(Minus(key, Circle(4.2, 8, 1.4)), gold, dark, 0.9);
}

void DrawMainIcon(CCanvas& c) {
  // A clipboard with a written page and a quill across it.
  c.Outlined(Box(1.6, 2, 13.4, 15.6, 1.4), Hex(0xB07A4A), Hex(0x6D4525));
  c.Paint(Box(3.2, 4, 11.8, 14.2, 0.4), kWhite);
  for (double y : {7.0, 9.2, 11.4}) c.Paint(Line({{4.6, y}, {9.4, y}}, 0.8), Hex(0x90A4AE));
  c.Outlined(Box(4.6, 0.6, 10.4, 4.2, 1), Hex(0xB0BEC5), Hex(0x546E7A), 0.8);
  const Shape feather = Rotate(Ellipse(11.6, 7.8, 2.1, 6.6), 38, 11.6, 7.8);
  c.Outlined(feather, Hex(0x7E57C2), Hex(0x4527A0), 0.8);
  c.Paint(Line({{15.2, 2.4}, {7.8, 13.6}}, 0.7), Hex(0xD1C4E9));
  c.Paint(Line({{8.4, 12.6}, {6.9, 15.2}}, 1.0), kInk);
}

TBitmap Strip(const std::vector<void (*)(CCanvas&)>& draws, int side) {
  TBitmap strip(side * static_cast<int>(draws.size()), side, 32);
  for (std::size_t i = 0; i < draws.size(); ++i) {
    CCanvas canvas(side);
    draws[i](canvas);
    canvas.CopyTo(strip, static_cast<int>(i) * side, 0);
  }
  return strip;
}

// One image of an icon file: BITMAPINFOHEADER of twice the height, the colour rows
// bottom-up, then the AND mask (set where the picture is fully transparent) bottom-up.
std::vector<std::uint8_t> IconImage(const TBitmap& picture) {
  const int side = picture.Width();
  const int maskStride = (side + 31) / 32 * 4;
  CByteWriter out;
  out.WriteUInt32(40);
  out.WriteInt32(side);
  out.WriteInt32(side * 2);
  out.WriteUInt16(1);
  out.WriteUInt16(32);
  out.WriteUInt32(0);
  out.WriteUInt32(static_cast<std::uint32_t>(side * side * 4 + maskStride * side));
  for (int i = 0; i < 4; ++i) out.WriteUInt32(0);
  for (int y = side - 1; y >= 0; --y)
    out.WriteBytes(picture.Row(y), static_cast<std::size_t>(side) * 4);
  for (int y = side - 1; y >= 0; --y) {
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(maskStride), 0);
    for (int x = 0; x < side; ++x) {
      if (picture.Row(y)[x * 4 + 3] == 0) mask[static_cast<std::size_t>(x / 8)] |= 0x80 >> (x % 8);
    }
    out.WriteBytes(mask.data(), mask.size());
  }
  return out.Bytes();
}

}  // namespace

const std::vector<std::string_view>& CategoryIconNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> list;
    for (const Icon& icon : kCategoryIcons) list.push_back(icon.name);
    return list;
  }();
  return names;
}

TBitmap MakeCategoryIconsImage(int side) {
  std::vector<void (*)(CCanvas&)> draws;
  for (const Icon& icon : kCategoryIcons) draws.push_back(icon.draw);
  return Strip(draws, side);
}

TBitmap MakeMoreIconsImage(int side) {
  return Strip({DrawHotKeyMark}, side);
}

TBitmap MakeMainIconImage(int side) {
  TBitmap picture(side, side, 32);
  CCanvas canvas(side);
  DrawMainIcon(canvas);
  canvas.CopyTo(picture, 0, 0);
  return picture;
}

std::vector<std::uint8_t> MakeMainIconFile() {
  const int sides[] = {16, 20, 24, 32, 40, 48};
  std::vector<std::vector<std::uint8_t>> images;
  for (int side : sides) images.push_back(IconImage(MakeMainIconImage(side)));

  CByteWriter file;
  file.WriteUInt16(0);  // reserved
  file.WriteUInt16(1);  // an icon
  file.WriteUInt16(static_cast<std::uint16_t>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const auto side = static_cast<std::uint8_t>(sides[i]);
    const std::uint8_t entry[4] = {side, side, 0, 0};  // width, height, no palette, reserved
    file.WriteBytes(entry, sizeof(entry));
    file.WriteUInt16(1);   // planes
    file.WriteUInt16(32);  // bits per pixel
    file.WriteUInt32(static_cast<std::uint32_t>(images[i].size()));
    file.WriteUInt32(offset);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const auto& image : images) file.WriteBytes(image.data(), image.size());
  return file.Bytes();
}
