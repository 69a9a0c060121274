// Atoms, named list elements and links. An atom that is linked is registered under a unique id
// while it lives, so a BaseLink resolves to null once its atom is freed and never dangles.
#ifndef C4D_BASELIST_H
#define C4D_BASELIST_H

#include <atomic>

#include "c4d_container.h"
#include "c4d_string.h"
#include "c4d_types.h"

class AliasTrans;
class BaseDocument;
class CTrack;
class LayerObject;

// Type ids for C4DAtom::GetType and IsInstanceOf.
enum {
  Obase = 5155,      // any object
  Onull = 5140,      // a plain object
  Tbase = 5694,      // any tag
  Tdisplay = 5613,   // a plain tag
  Mbase = 5702,      // any material
  Mmaterial = 5703,  // a plain material
  ID_LAYER_OBJECT = 100004801,
  ID_BASE_DOCUMENT = 110059,
  ID_CTRACK = 5350,
  ID_CCURVE = 5351,
  ID_CKEY = 5352,
};

// Copy flags for GetClone and CopyTo; the stand-in always makes a full copy.
enum { COPYFLAGS_0 = 0 };

class C4DAtom {
 public:
  virtual ~C4DAtom();
  C4DAtom(const C4DAtom&) = delete;
  C4DAtom& operator=(const C4DAtom&) = delete;

  LONG GetType() const { return _type; }
  // True for the atom's own type and for the base kind it belongs to (Obase, Tbase, Mbase).
  Bool IsInstanceOf(LONG id) const;
  // A new, independent copy, or null. The caller owns it.
  virtual C4DAtom* GetClone(LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const = 0;
  // Copies this atom's content onto dst, which must be of the same kind; FALSE otherwise.
  virtual Bool CopyTo(C4DAtom* dst, LONG flags = COPYFLAGS_0, AliasTrans* trn = nullptr) const = 0;

  // The stand-in's registry id, unique for the life of the process. The first call registers
  // the atom, so that links find it; atoms nobody asks for (most keys) stay out of the registry.
  LLONG GetAtomId() const;

 protected:
  explicit C4DAtom(LONG type);
  // Takes the atom out of the registry, so that no link resolves to it while it is torn down.
  void Unregister();

 private:
  LONG _type;
  mutable std::atomic<bool> _registered{false};
};

// Layer flags and colour of an element's layer.
struct LayerData {
  Vector color;
  Bool solo = FALSE, view = TRUE, render = TRUE, manager = TRUE, locked = FALSE;
  Bool generators = TRUE, deformers = TRUE, expressions = TRUE, animation = TRUE;
};

class BaseList2D : public C4DAtom {
 public:
  ~BaseList2D() override;

  String GetName() const;
  void SetName(const String& name);
  BaseContainer* GetDataInstance();
  const BaseContainer* GetDataInstance() const;
  BaseContainer GetData() const { return *GetDataInstance(); }
  void SetData(const BaseContainer& data);

  // The element's animation tracks, in the order of InsertTrackSorted.
  CTrack* GetFirstCTrack() const;
  // Takes ownership of the track and keeps the tracks sorted by description id; a track with an
  // id already present goes after the tracks with that id. Tracks arriving in ascending id
  // order go in without a walk.
  void InsertTrackSorted(CTrack* track);

  // The element's layer, or null.
  LayerObject* GetLayerObject(BaseDocument* doc) const;
  void SetLayerObject(LayerObject* layer);
  // The data of the element's layer, or null when it has none.
  const LayerData* GetLayerData(BaseDocument* doc, Bool rawdata = FALSE) const;

  // The document that holds the element, or null while it is in none.
  virtual BaseDocument* GetDocument() const = 0;

 protected:
  explicit BaseList2D(LONG type) : C4DAtom(type) {}
  // Copies name, data container, layer reference and tracks onto dst.
  void CopyBaseTo(BaseList2D* dst) const;
  // Unlinks and frees every track.
  void FreeTracks();

 private:
  friend class CTrack;
  // Name, data, tracks and layer, made when first set: keys, the elements the host holds by
  // the million, have none of them.
  struct Extras {
    String name;
    BaseContainer data;
    CTrack* firstTrack = nullptr;
    CTrack* lastTrack = nullptr;
    LLONG layerId = 0;
  };
  const Extras* FindExtras() const { return _extras.load(std::memory_order_acquire); }
  Extras& MakeExtras();
  std::atomic<Extras*> _extras{nullptr};
};

// A reference to an atom that survives the atom: resolving gives null once it is freed.
class BaseLink {
 public:
  static BaseLink* Alloc();
  static void Free(BaseLink*& link);

  void SetLink(C4DAtom* atom);
  // The linked element when it is alive, belongs to doc (or is doc) and is an instance of
  // instanceOf (0: any type); otherwise null.
  BaseList2D* GetLink(const BaseDocument* doc, LONG instanceOf = 0) const;
  // The linked element when it is alive, wherever it is; otherwise null.
  BaseList2D* ForceGetLink() const;

 private:
  BaseLink() = default;
  LLONG _atomId = 0;
};

// A list of atoms that the document fills with its selection.
class AtomArray {
 public:
  static AtomArray* Alloc();
  static void Free(AtomArray*& array);

  LONG GetCount() const { return static_cast<LONG>(_atoms.size()); }
  // The atom at index, or null outside the array.
  C4DAtom* GetIndex(LONG index) const;
  Bool Append(C4DAtom* atom);
  void Flush() { _atoms.clear(); }

 private:
  AtomArray() = default;
  std::vector<C4DAtom*> _atoms;
};

#endif
