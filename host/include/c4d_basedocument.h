// Scene elements: objects with tags and children, materials, layers, and the document that
// holds them. Elements belong to at most one parent list; the document owns everything in it.
#ifndef C4D_BASEDOCUMENT_H
#define C4D_BASEDOCUMENT_H

#include <unordered_set>
#include <vector>

#include "c4d_baselist.h"
#include "c4d_time.h"

class BaseTag;

// Modes of the selection setters.
enum { SELECTION_NEW = 0, SELECTION_ADD = 1, SELECTION_SUB = 2 };

class BaseObject : public BaseList2D {
 public:
  static BaseObject* Alloc(LONG type = Onull);
  // Removes the object from its document first; frees its tags, children and tracks.
  static void Free(BaseObject*& object);

  BaseObject* GetNext() const { return _next; }
  BaseObject* GetPred() const { return _pred; }
  BaseObject* GetDown() const { return _down; }
  BaseObject* GetUp() const { return _up; }
  BaseTag* GetFirstTag() const { return _firstTag; }

  // Makes this object the last child of parent (which must be in a document or under one).
  void InsertUnderLast(BaseObject* parent);
  // Puts tag after pred (first when pred is null); the object takes ownership.
  void InsertTag(BaseTag* tag, BaseTag* pred = nullptr);
  // Unlinks the object (with its subtree) from wherever it is; the caller owns it then.
  void Remove();

  BaseDocument* GetDocument() const override;
  C4DAtom* GetClone(LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const override;
  Bool CopyTo(C4DAtom* dst, LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const override;

 private:
  friend class BaseDocument;
  friend class BaseTag;
  explicit BaseObject(LONG type) : BaseList2D(type) {}
  ~BaseObject() override;
  BaseObject* _next = nullptr;
  BaseObject* _pred = nullptr;
  BaseObject* _down = nullptr;
  BaseObject* _up = nullptr;
  BaseTag* _firstTag = nullptr;
  BaseDocument* _doc = nullptr;
};

class BaseTag : public BaseList2D {
 public:
  static BaseTag* Alloc(LONG type = Tdisplay);
  static void Free(BaseTag*& tag);

  BaseTag* GetNext() const { return _next; }
  BaseTag* GetPred() const { return _pred; }
  // The object that carries the tag, or null.
  BaseObject* GetObject() const { return _object; }
  void Remove();

  BaseDocument* GetDocument() const override;
  C4DAtom* GetClone(LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const override;
  Bool CopyTo(C4DAtom* dst, LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const override;

 private:
  friend class BaseObject;
  explicit BaseTag(LONG type) : BaseList2D(type) {}
  ~BaseTag() override;
  BaseTag* _next = nullptr;
  BaseTag* _pred = nullptr;
  BaseObject* _object = nullptr;
};

class BaseMaterial : public BaseList2D {
 public:
  static BaseMaterial* Alloc(LONG type = Mmaterial);
  static void Free(BaseMaterial*& material);

  BaseMaterial* GetNext() const { return _next; }
  BaseMaterial* GetPred() const { return _pred; }
  void Remove();

  BaseDocument* GetDocument() const override;
  C4DAtom* GetClone(LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const override;
  Bool CopyTo(C4DAtom* dst, LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const override;

 private:
  friend class BaseDocument;
  explicit BaseMaterial(LONG type) : BaseList2D(type) {}
  ~BaseMaterial() override;
  BaseMaterial* _next = nullptr;
  BaseMaterial* _pred = nullptr;
  BaseDocument* _doc = nullptr;
};

class LayerObject : public BaseList2D {
 public:
  static LayerObject* Alloc();
  static void Free(LayerObject*& layer);

  LayerObject* GetNext() const { return _next; }
  const LayerData& GetData() const { return _layerData; }
  void SetLayerData(const LayerData& data) { _layerData = data; }

  BaseDocument* GetDocument() const override { return _doc; }
  C4DAtom* GetClone(LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const override;
  Bool CopyTo(C4DAtom* dst, LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const override;

 private:
  friend class GeListHead;
  friend class BaseDocument;
  LayerObject() : BaseList2D(ID_LAYER_OBJECT) {}
  ~LayerObject() override = default;
  LayerObject* _next = nullptr;
  LayerObject* _pred = nullptr;
  LayerData _layerData;
  BaseDocument* _doc = nullptr;
};

// The head of a document's layer list.
class GeListHead {
 public:
  LayerObject* GetFirst() const { return _first; }
  // Appends the layer; the document takes ownership.
  void InsertLast(LayerObject* layer);

 private:
  friend class BaseDocument;
  friend class LayerObject;
  GeListHead() = default;
  ~GeListHead();
  // Takes the layer out of the list.
  void Unlink(LayerObject* layer);
  LayerObject* _first = nullptr;
  LayerObject* _last = nullptr;
  BaseDocument* _doc = nullptr;
};

class BaseDocument : public BaseList2D {
 public:
  // A new empty document at 30 fps with a layer root.
  static BaseDocument* Alloc();
  // Frees the document and everything in it; sets doc to null.
  static void Free(BaseDocument*& doc);

  // Whole frames per second, above 0.
  LONG GetFps() const { return _fps; }
  void SetFps(LONG fps);

  BaseObject* GetFirstObject() const { return _firstObject; }
  BaseMaterial* GetFirstMaterial() const { return _firstMaterial; }
  // Puts op under parent (top level when null) after pred (first when null).
  void InsertObject(BaseObject* op, BaseObject* parent, BaseObject* pred);
  // Puts the material after pred (first when null).
  void InsertMaterial(BaseMaterial* material, BaseMaterial* pred = nullptr);

  // The layer root, or null for a document made without one.
  GeListHead* GetLayerObjectRoot() const { return _layerRoot; }
  // Drops the layer root with its layers (for tests of documents without one).
  void RemoveLayerObjectRoot();

  // Selected objects and tags, in selection order.
  void GetSelection(AtomArray& selection) const;
  // Selected materials, in selection order.
  void GetActiveMaterials(AtomArray& selection) const;
  void SetActiveObject(BaseObject* op, LONG mode = SELECTION_NEW);
  void SetActiveTag(BaseTag* tag, LONG mode = SELECTION_NEW);
  void SetActiveMaterial(BaseMaterial* material, LONG mode = SELECTION_NEW);

  void SetChanged() { _changed = TRUE; }
  Bool GetChanged() const { return _changed; }

  BaseDocument* GetDocument() const override { return const_cast<BaseDocument*>(this); }
  // A deep copy: walks of the copy meet the same elements and tracks in the same order, as new
  // atoms; selection, layers and layer references are carried over.
  C4DAtom* GetClone(LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const override;
  Bool CopyTo(C4DAtom* dst, LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const override;

 private:
  friend class BaseObject;
  friend class BaseMaterial;
  BaseDocument();
  ~BaseDocument() override;
  // Copies layers, objects and materials into target, which holds none.
  Bool CopyContent(BaseDocument* target, LONG flags, AliasTrans* trn) const;
  LONG _fps = 30;
  Bool _changed = FALSE;
  BaseObject* _firstObject = nullptr;
  BaseMaterial* _firstMaterial = nullptr;
  GeListHead* _layerRoot = nullptr;
  // Selected elements by atom id, in selection order and as a set for finding one.
  struct Selection {
    std::vector<LLONG> order;
    std::unordered_set<LLONG> members;
  };
  static void ChangeSelection(Selection& selection, const BaseList2D* element, LONG mode);
  Selection _objectTagSelection;
  Selection _materialSelection;
};

// The document the command works on, or null. The host program sets it with SetActiveDocument.
BaseDocument* GetActiveDocument();
void SetActiveDocument(BaseDocument* doc);

#endif
