// Results of reading and writing scene files. Readers never throw: a failure gives a null
// document and a message that names the place (file, line or JSON path) and what was wrong.
#ifndef THINFOLD_SCENE_DOCUMENT_H
#define THINFOLD_SCENE_DOCUMENT_H

#include <memory>
#include <string>

#include "c4d.h"

struct DocumentDeleter {
  void operator()(BaseDocument* doc) const { BaseDocument::Free(doc); }
};
// A document the caller owns; freed with BaseDocument::Free.
using DocumentPtr = std::unique_ptr<BaseDocument, DocumentDeleter>;

struct SceneReadResult {
  DocumentPtr document;  // null on failure
  std::string error;     // empty on success
  // The failure is the reading options' (a frame range the file does not have), not the file's.
  bool badOption = false;
};

struct SceneWriteResult {
  std::string text;   // the scene file's text (empty on failure)
  std::string error;  // empty on success
};

#endif
