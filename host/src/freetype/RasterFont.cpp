// FreeType faces of the interface fonts, loaded on first use and kept for the process.
#include "RasterFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <map>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "Utf8Codes.h"
#include "c4d_debug.h"
#include "c4d_userarea.h"

namespace standin {

namespace {

constexpr LONG kPixelSize = 12;

const char* FontPath(LONG font) {
  switch (font) {
    case FONT_BOLD:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
    case FONT_MONOSPACED:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
    default:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
  }
}

LONG FaceKey(LONG font) {
  return font == FONT_BOLD || font == FONT_MONOSPACED ? font : FONT_STANDARD;
}

struct Face {
  FT_Face face = nullptr;
  std::unordered_map<char32_t, FT_Pos> advances;  // 26.6 pixels
};

struct FontStore {
  std::mutex mutex;
  FT_Library library = nullptr;
  bool libraryTried = false;
  std::map<LONG, Face> faces;
};

FontStore& Store() {
  static FontStore* store = new FontStore;
  return *store;
}

// The face of font, or null when it cannot be loaded. Call with the store locked.
Face* LoadFace(FontStore& store, LONG font) {
  if (!store.libraryTried) {
    store.libraryTried = true;
    if (FT_Init_FreeType(&store.library) != 0) store.library = nullptr;
  }
  const LONG key = FaceKey(font);
  auto found = store.faces.find(key);
  if (found != store.faces.end()) return found->second.face ? &found->second : nullptr;
  Face& entry = store.faces[key];
  if (!store.library || FT_New_Face(store.library, FontPath(key), 0, &entry.face) != 0 ||
      FT_Set_Pixel_Sizes(entry.face, 0, kPixelSize) != 0) {
    entry.face = nullptr;
    GeDebugOut("font %s cannot be read: text is measured roughly and not drawn", FontPath(key));
    return nullptr;
  }
  return &entry;
}

FT_Pos Advance(Face& face, char32_t code) {
  auto found = face.advances.find(code);
  if (found != face.advances.end()) return found->second;
  FT_Pos advance = 0;
  if (FT_Load_Char(face.face, code, FT_LOAD_DEFAULT) == 0) advance = face.face->glyph->advance.x;
  face.advances[code] = advance;
  return advance;
}

}  // namespace

LONG FontTextWidth(LONG font, const std::string& utf8) {
  FontStore& store = Store();
  std::lock_guard<std::mutex> lock(store.mutex);
  const std::vector<char32_t> codes = DecodeUtf8(utf8);
  Face* face = LoadFace(store, font);
  if (!face) return static_cast<LONG>(codes.size()) * kFallbackAdvance;
  FT_Pos width = 0;
  for (char32_t code : codes) width += Advance(*face, code);
  return static_cast<LONG>((width + 63) >> 6);
}

LONG FontLineHeight(LONG font) {
  FontStore& store = Store();
  std::lock_guard<std::mutex> lock(store.mutex);
  Face* face = LoadFace(store, font);
  if (!face) return kFallbackHeight;
  const FT_Size_Metrics& metrics = face->face->size->metrics;
  return static_cast<LONG>((metrics.ascender - metrics.descender + 63) >> 6);
}

LONG FontAscent(LONG font) {
  FontStore& store = Store();
  std::lock_guard<std::mutex> lock(store.mutex);
  Face* face = LoadFace(store, font);
  if (!face) return kFallbackAscent;
  return static_cast<LONG>((face->face->size->metrics.ascender + 63) >> 6);
}

void FontRenderText(LONG font, LONG x, LONG y, const std::string& utf8, const GlyphPlot& plot) {
  const LONG baseline = y + FontAscent(font);
  FontStore& store = Store();
  std::lock_guard<std::mutex> lock(store.mutex);
  Face* face = LoadFace(store, font);
  if (!face) return;
  FT_Pos penX = static_cast<FT_Pos>(x) * 64;
  for (char32_t code : DecodeUtf8(utf8)) {
    if (FT_Load_Char(face->face, code, FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot glyph = face->face->glyph;
    const FT_Bitmap& bitmap = glyph->bitmap;
    const LONG left = static_cast<LONG>((penX + 32) >> 6) + glyph->bitmap_left;
    const LONG top = baseline - glyph->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row)
      for (unsigned column = 0; column < bitmap.width; ++column) {
        const UCHAR coverage =
            bitmap.buffer[static_cast<long>(row) * bitmap.pitch + static_cast<long>(column)];
        if (coverage)
          plot(left + static_cast<LONG>(column), top + static_cast<LONG>(row), coverage);
      }
    penX += glyph->advance.x;
  }
}

}  // namespace standin
