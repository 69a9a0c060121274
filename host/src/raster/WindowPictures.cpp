// Pictures of user areas and dialog windows, and PNG files of them.
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "gui/DialogLayout.h"
#include "gui/DialogRender.h"
#include "gui/GadgetAccess.h"
#include "raster/PngWrite.h"
#include "raster/RasterReplay.h"
#include "c4d_debug.h"
#include "c4d_standin.h"
#include "c4d_standin_gui.h"

namespace standin {

namespace {

std::vector<UCHAR> RgbaRows(const BaseBitmap& bitmap) {
  std::vector<UCHAR> rows(static_cast<size_t>(bitmap.GetBw()) * bitmap.GetBh() * 4);
  size_t at = 0;
  for (LONG y = 0; y < bitmap.GetBh(); ++y)
    for (LONG x = 0; x < bitmap.GetBw(); ++x, at += 4)
      bitmap.GetPixel(x, y, &rows[at], &rows[at + 1], &rows[at + 2], &rows[at + 3]);
  return rows;
}

}  // namespace

Bool RasterizeUserArea(const GeUserArea& area, BaseBitmap& target) {
  if (target.GetBw() <= 0 || target.GetBh() <= 0) return FALSE;
  RasterCanvas canvas(target.GetBw(), target.GetBh(), ResolveColour(GeData(COLOR_BG)));
  ReplayDrawCalls(area.GetDrawCalls(), canvas);
  return canvas.CopyTo(target);
}

Bool RenderDialog(GeDialog& dialog, BaseBitmap& target) {
  DialogWindow* window = GadgetAccess::Window(dialog);
  if (!dialog.IsOpen() || !window) return FALSE;
  LayoutWindow(*window);
  DialogWindow& top = window->Top();
  RasterCanvas canvas(top.width, top.height, ResolveColour(GeData(COLOR_BG)));
  RenderWindow(top, canvas);
  return canvas.CopyTo(target);
}

Bool WritePng(const BaseBitmap& bitmap, const Filename& path) {
  const std::string file = path.GetString().ToUtf8();
  if (bitmap.GetBw() <= 0 || bitmap.GetBh() <= 0 || file.empty()) {
    GeDebugOut("%s: no picture to write", file.c_str());
    return FALSE;
  }
  const std::string partial = file + ".partial";
  std::error_code removeError;
  std::string reason;
  if (!EncodePngFile(partial, bitmap.GetBw(), bitmap.GetBh(), RgbaRows(bitmap), reason)) {
    GeDebugOut("%s: %s", partial.c_str(), reason.c_str());
    std::filesystem::remove(PathFromUtf8(partial), removeError);
    return FALSE;
  }
  // filesystem::rename replaces an existing file on Windows too, where std::rename refuses.
  std::error_code renameError;
  std::filesystem::rename(PathFromUtf8(partial), PathFromUtf8(file), renameError);
  if (renameError) {
    GeDebugOut("%s: cannot be written", file.c_str());
    std::filesystem::remove(PathFromUtf8(partial), removeError);
    return FALSE;
  }
  return TRUE;
}

Bool WriteDialogPng(GeDialog& dialog, const Filename& path) {
  BaseBitmap* picture = BaseBitmap::Alloc();
  const Bool written = picture && RenderDialog(dialog, *picture) && WritePng(*picture, path);
  BaseBitmap::Free(picture);
  return written;
}

}  // namespace standin
