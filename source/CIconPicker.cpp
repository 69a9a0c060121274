#include "CIconPicker.h"

CIconPicker::CIconPicker(int width, int height, int cellWidth, int cellHeight)
    : _width(width),
      _height(height),
      _cellwidth(cellWidth),
      _cellheight(cellHeight),
      _strip(BaseBitmap::Alloc()) {}

CIconPicker::~CIconPicker() { BaseBitmap::Free(_strip); }

Bool CIconPicker::Init(const Filename& file) {
  if (!_strip) return FALSE;
  if (_strip->Init(file, -1) != IMAGERESULT_OK) return FALSE;
  return _strip->GetBw() == _width && _strip->GetBh() == _height;
}

BaseBitmap* CIconPicker::GetIcon(int index) const {
  if (!_strip || _cellwidth <= 0 || _cellheight <= 0) return nullptr;
  const int columns = _width / _cellwidth;
  const int rows = _height / _cellheight;
  if (columns <= 0 || rows <= 0) return nullptr;
  const int lastIndex = columns * rows - 1;
  if (index < 0) index = 0;
  if (index > lastIndex) index = lastIndex;
  const int row = index / columns;
  const int column = index % columns;
  return _strip->GetClonePart(column * _cellwidth, row * _cellheight, _cellwidth, _cellheight);
}

BaseBitmap* GetGlobalIcon(GlobalIcon icon) {
  const Filename path = GeGetPluginPath() + Filename("res") + Filename("IconPalette.tif");
  CIconPicker picker(ICONSTRIP_WIDTH, ICONSTRIP_HEIGHT, ICONSTRIP_CELL, ICONSTRIP_CELL);
  picker.Init(path);
  return picker.GetIcon(icon);
}
