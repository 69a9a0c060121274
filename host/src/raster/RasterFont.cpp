// The interface fonts: each face loaded on first use and kept for the process, its advances
// cached; text is drawn glyph by glyph at whole-pixel pen positions. A face that cannot be read
// gets fixed metrics and draws nothing, and says so once.
#include "raster/RasterFont.h"

#include <map>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "raster/GlyphFace.h"
#include "system/Utf8Codes.h"
#include "c4d_debug.h"

namespace standin {

namespace {

// Metrics of a face that cannot be read.
constexpr LONG kFallbackAdvance = 7;
constexpr LONG kFallbackHeight = 15;
constexpr LONG kFallbackAscent = 12;

struct LoadedFace {
  std::unique_ptr<GlyphFace> glyphs;  // null when the face cannot be read
  std::unordered_map<char32_t, LONG> advances;
};

struct FontStore {
  std::mutex mutex;
  std::optional<FontFiles> files;
  std::map<FontFace, LoadedFace> faces;
};

FontStore& Store() {
  static FontStore* store = new FontStore;
  return *store;
}

// The face of font, or null when it cannot be read. Call with the store locked.
LoadedFace* LoadFace(FontStore& store, LONG font) {
  const FontFace face = FaceOf(font);
  auto found = store.faces.find(face);
  if (found != store.faces.end()) return found->second.glyphs ? &found->second : nullptr;
  if (!store.files) store.files = FindFontFiles();
  LoadedFace& entry = store.faces[face];
  const std::filesystem::path& file = (*store.files)[static_cast<size_t>(face)];
  std::string reason = "no font file found";
  if (!file.empty()) entry.glyphs = GlyphFace::Open(file, reason);
  if (entry.glyphs) return &entry;
  GeDebugOut("%s: %s; text is measured roughly and not drawn", FaceName(face), reason.c_str());
  return nullptr;
}

LONG Advance(LoadedFace& face, char32_t code) {
  auto found = face.advances.find(code);
  if (found != face.advances.end()) return found->second;
  return face.advances[code] = face.glyphs->Advance(code);
}

}  // namespace

LONG FontTextWidth(LONG font, const std::string& utf8) {
  FontStore& store = Store();
  std::lock_guard<std::mutex> lock(store.mutex);
  const std::vector<char32_t> codes = DecodeUtf8(utf8);
  LoadedFace* face = LoadFace(store, font);
  if (!face) return static_cast<LONG>(codes.size()) * kFallbackAdvance;
  LONG width = 0;
  for (char32_t code : codes) width += Advance(*face, code);
  return width;
}

LONG FontLineHeight(LONG font) {
  FontStore& store = Store();
  std::lock_guard<std::mutex> lock(store.mutex);
  LoadedFace* face = LoadFace(store, font);
  return face ? face->glyphs->LineHeight() : kFallbackHeight;
}

LONG FontAscent(LONG font) {
  FontStore& store = Store();
  std::lock_guard<std::mutex> lock(store.mutex);
  LoadedFace* face = LoadFace(store, font);
  return face ? face->glyphs->Ascent() : kFallbackAscent;
}

void FontRenderText(LONG font, LONG x, LONG y, const std::string& utf8, const GlyphPlot& plot) {
  FontStore& store = Store();
  std::lock_guard<std::mutex> lock(store.mutex);
  LoadedFace* face = LoadFace(store, font);
  if (!face) return;
  const LONG baseline = y + face->glyphs->Ascent();
  LONG penX = x;
  for (char32_t code : DecodeUtf8(utf8)) {
    face->glyphs->Render(code, penX, baseline, plot);
    penX += Advance(*face, code);
  }
}

}  // namespace standin
