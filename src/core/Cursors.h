// The walk's one writer and one reader of a pack: Packer and Unpacker, the functors a layout's
// Wire hands its codecs to when a record is packed or unpacked.
//
// Both are fast paths around the codecs' own Pack and Unpack: a run of fixed-width fields is
// written or read with their Encode or Decode after one check of the room or the bytes there,
// and anything else goes through the codec's Pack or Unpack, so that the outcome (bytes,
// position, TPackError, LastUnpackBreak) is the field-by-field one. That equality, for every
// cut of a payload and every size of a caller's buffer, is what the tests FixedWidthWalk and
// EventWalk (tests/machinery_test.cpp) hold them to. Each lives on the stack of one
// call, used by one thread; neither allocates; neither throws beyond what a codec throws.
#ifndef STATCLIENT_CORE_CURSORS_H_
#define STATCLIENT_CORE_CURSORS_H_

#include "core/Codecs.h"
#include "core/UnpackBreak.h"
#include "framework/TCompiler.h"
#include "framework/TPack.h"

namespace statcore {

// Writes fields into the pack, staging runs of fixed-width fields in a local block that goes
// into the pack in one Append, so that one writer can serve a whole payload of records. A
// field is staged only while the pack's buffer already has room for it and everything staged
// before it; otherwise, and while counting, the staged bytes go first and the field is packed by
// its codec's Pack, so that an overflow stops at the same field, with the same bytes before it,
// as a field-by-field write. The staged bytes go into the pack before any field is packed
// directly, at Flush and when the writer goes; nothing else may write the pack meanwhile.
class Packer {
public:
  explicit Packer(TPack &pack) : pack_(pack) {}
  ~Packer() { Flush(); }
  Packer(const Packer &) = delete;
  Packer &operator=(const Packer &) = delete;

  // Fast path, held to the field-by-field path by the tests FixedWidthWalk and EventWalk
  // (tests/machinery_test.cpp): a run of fixed-width fields staged after one check of room.
  template <class... Codec> STATCLIENT_ALWAYS_INLINE void operator()(const Codec &...fields) {
    constexpr unsigned long width = kFixedWidthOf<Codec...>;
    if constexpr (width != 0 && width <= kStaging && sizeof...(Codec) > 1) {
      if (unsigned char *at = Stage(width)) {
        ((fields.Encode(at), at += WireWidth<Codec>), ...);
        return;
      }
    }
    (Put(fields), ...);
  }

  // Appends the staged bytes to the pack. It cannot throw: they were staged only where the
  // buffer had room for them.
  void Flush() {
    if (staged_ != 0)
      pack_.Append(staging_, staged_);
    staged_ = 0;
  }

private:
  static constexpr unsigned long kStaging = 2048;

  // Where `width` more bytes are to be staged, or null when the pack's buffer has no room for
  // them (always, while counting).
  STATCLIENT_ALWAYS_INLINE unsigned char *Stage(unsigned long width) {
    if (kStaging - staged_ < width)
      Flush();
    if (pack_.BufferSize() - pack_.NextOffset() - staged_ < width)
      return nullptr;
    unsigned char *at = staging_ + staged_;
    staged_ += width;
    return at;
  }
  // Fast path (FixedWidthWalk, EventWalk): one fixed-width field staged, not packed.
  template <class Codec> STATCLIENT_ALWAYS_INLINE void Put(const Codec &field) {
    if constexpr (WireWidth<Codec> != 0) {
      if (unsigned char *at = Stage(WireWidth<Codec>)) {
        field.Encode(at);
        return;
      }
    }
    Flush();
    field.Pack(pack_);
  }

  TPack &pack_;
  unsigned long staged_ = 0;
  unsigned char staging_[kStaging];
};

// Reads fields from the pack's bytes through a local cursor, so that one reader can serve a
// whole payload of records. Fixed-width fields are checked against the bytes the cursor holds
// (a call with several of them checks once for all) and decoded in place. The pack is moved on
// only before a field that its codec must read itself (variable length, or fixed but short)
// and when the reader settles or goes, so the pack's position after the reader is gone is the
// position a field-by-field read leaves, whatever was thrown. A field whose reading throws
// notes its name for LastUnpackBreak; the exception goes on. When the bytes are short the field
// is read by its codec's Unpack as ever, so a short read throws the same TPackError at the
// same offset. Nothing else may read the pack while a reader holds unsettled bytes.
class Unpacker {
public:
  explicit Unpacker(TPack &pack) : pack_(pack) { Reload(); }
  ~Unpacker() { Settle(); }
  Unpacker(const Unpacker &) = delete;
  Unpacker &operator=(const Unpacker &) = delete;

  // Fast path, held to the field-by-field path by the tests FixedWidthWalk and EventWalk
  // (tests/machinery_test.cpp), every cut of the payload: a run of fixed-width fields decoded
  // after one check of the bytes left.
  template <class... Codec> STATCLIENT_ALWAYS_INLINE void operator()(const Codec &...fields) {
    constexpr unsigned long width = kFixedWidthOf<Codec...>;
    if constexpr (width != 0 && sizeof...(Codec) > 1) {
      if (left_ >= width) {
        ((fields.Decode(at_), at_ += WireWidth<Codec>), ...);
        Took(width);
        return;
      }
    }
    (Next(fields), ...);
  }

  // Reads one field by its codec's Unpack, straight from the pack. Inline, like everything the
  // codecs do, so that no codec has to be built in memory: each folds to its member.
  template <class Codec> void Read(const Codec &field) {
    Settle();
    try {
      field.Unpack(pack_);
    } catch (...) {
      NoteUnpackBreakField(field.name);
      throw;
    }
    Reload();
  }

  // Unread bytes, the cursor's taken ones not counted.
  unsigned long Left() const { return left_; }

  // Moves the pack on past the bytes the cursor has read.
  void Settle() {
    if (taken_ != 0)
      pack_.Behead(taken_);
    taken_ = 0;
  }

private:
  // Fast path (FixedWidthWalk, EventWalk): one fixed-width field decoded in place.
  template <class Codec> STATCLIENT_ALWAYS_INLINE void Next(const Codec &field) {
    if constexpr (WireWidth<Codec> != 0) {
      if (left_ >= WireWidth<Codec>) {
        field.Decode(at_);
        at_ += WireWidth<Codec>;
        Took(WireWidth<Codec>);
        return;
      }
    }
    Read(field);
  }
  void Took(unsigned long bytes) {
    left_ -= bytes;
    taken_ += bytes;
  }
  void Reload() {
    at_ = static_cast<const unsigned char *>(pack_.Contents());
    left_ = pack_.Length();
  }

  TPack &pack_;
  const unsigned char *at_ = nullptr;
  unsigned long left_ = 0;
  unsigned long taken_ = 0;
};

} // namespace statcore

#endif // STATCLIENT_CORE_CURSORS_H_
