// Set-flags of the contact, callback and error records.
//
// Such a record keeps one flag per accessor-backed field. The setter (Set<Field>) stores the
// value and raises the field's flag; the once-only setter (SetOnce<Field>) does nothing when
// that flag is already raised and otherwise behaves exactly as the setter; the record's tester
// (IsSet<Class>) reads a flag. A record holds a TSetFlags<N> as a member and declares its
// accessors from its field list with TST_FLAGGED_ACCESSORS (or TST_PLAIN_ACCESSORS for a record
// without flags).
//
// A field list names each field as
//   FIELD(Name, Kind, Getter, Position, How, Default)
// where Kind selects the stored and argument types (the TST_TYPE_/TST_ARG_ pairs below), Getter
// is Val (a copy), Ref (a constant reference) or IsShort (Is<Name>, 1 or 0 as short), Position
// is the flag position, How is Plain or Trimmed, and Default the member's initial value. The
// stored member is <Name>_.
#ifndef STATCLIENT_RECORDS_TSTSETFLAGS_H_
#define STATCLIENT_RECORDS_TSTSETFLAGS_H_

#include <bitset>
#include <cstddef>
#include <stdexcept>
#include <string>

#include "framework/TTimeStamp.h"

// The layout through which the library packs a record's private members (declared here, defined
// in each record's source file).
namespace statcore {
template <class R> struct Layout;
}

namespace tstflags {

// How a setter stores its argument: as given, or without surrounding whitespace.
struct Plain {};
struct Trimmed {};

// `value` without its leading and trailing characters of " \t\n\r\f\v". An empty value, and one
// made only of such characters, comes back unchanged.
std::string TrimBlanks(const std::string &value);

template <class Field, class Arg> void Assign(Field &field, const Arg &value, Plain) {
  field = value;
}
inline void Assign(std::string &field, const std::string &value, Trimmed) {
  field = TrimBlanks(value);
}

} // namespace tstflags

// A fixed set of N flags with the store-and-raise operations of the setters.
template <std::size_t N> class TSetFlags {
public:
  // Whether the flag at `position` is raised. A position at or beyond N raises
  // std::out_of_range with the literal text "invalid bitset<N> position".
  bool Test(std::size_t position) const {
    if (position >= N)
      throw std::out_of_range("invalid bitset<N> position");
    return bits_[position];
  }

  // Stores `value` into `field` as `how` says and raises the flag at `position` (< N).
  template <class Field, class Arg, class How>
  void Store(Field &field, const Arg &value, std::size_t position, How how) {
    tstflags::Assign(field, value, how);
    bits_[position] = true;
  }

  // As Store, unless the flag at `position` is already raised: then nothing changes.
  template <class Field, class Arg, class How>
  void StoreOnce(Field &field, const Arg &value, std::size_t position, How how) {
    if (!bits_[position])
      Store(field, value, position, how);
  }

  // The flags as a number whose bit n is flag n.
  unsigned long ToNumber() const { return bits_.to_ulong(); }
  // Replaces every flag with the low N bits of `number`.
  void FromNumber(unsigned long number) { bits_ = std::bitset<N>(number); }

private:
  std::bitset<N> bits_;
};

// Stored and argument types of the field kinds.
#define TST_TYPE_Long long
#define TST_ARG_Long long
#define TST_TYPE_Int int
#define TST_ARG_Int int
#define TST_TYPE_Short short
#define TST_ARG_Short short
#define TST_TYPE_Bool bool
#define TST_ARG_Bool bool
#define TST_TYPE_Text std::string
#define TST_ARG_Text const std::string &
#define TST_TYPE_Time TTimeStamp
#define TST_ARG_Time const TTimeStamp &
// A flag stored as bool and set from a short: any non-zero value stores true.
#define TST_TYPE_ShortFlag bool
#define TST_ARG_ShortFlag short

// Getter styles.
#define TST_GETTER_Val(Name, Type)                                                                 \
  Type Get##Name() const { return Name##_; }
#define TST_GETTER_Ref(Name, Type)                                                                 \
  const Type &Get##Name() const { return Name##_; }
#define TST_GETTER_IsShort(Name, Type)                                                             \
  short Is##Name() const { return Name##_ ? 1 : 0; }

// Field-list callbacks: the stored member, the flag enumerator Bit<Name>, and the accessors.
#define TST_FIELD_MEMBER(Name, Kind, Getter, Position, How, Default)                               \
  TST_TYPE_##Kind Name##_{Default};
#define TST_FIELD_ENUMERATOR(Name, Kind, Getter, Position, How, Default) Bit##Name = Position,
#define TST_FLAGGED_ACCESSORS(Name, Kind, Getter, Position, How, Default)                          \
  TST_GETTER_##Getter(Name, TST_TYPE_##Kind) void Set##Name(TST_ARG_##Kind value) {                \
    flags_.Store(Name##_, value, Position, tstflags::How{});                                       \
  }                                                                                                \
  void SetOnce##Name(TST_ARG_##Kind value) {                                                       \
    flags_.StoreOnce(Name##_, value, Position, tstflags::How{});                                   \
  }
#define TST_PLAIN_ACCESSORS(Name, Kind, Getter, Position, How, Default)                            \
  TST_GETTER_##Getter(Name, TST_TYPE_##Kind) void Set##Name(TST_ARG_##Kind value) {                \
    tstflags::Assign(Name##_, value, tstflags::How{});                                             \
  }
// Declares the tester IsSet<Class>(SetBit_<Class>) over the member flags_; a position at or
// beyond the flag set raises std::out_of_range.
#define TST_FLAG_TESTER(Class)                                                                     \
  bool IsSet##Class(SetBit_##Class position) const {                                               \
    return flags_.Test(static_cast<std::size_t>(position));                                        \
  }
// For the list entries of a field list where only fields matter.
#define TST_SKIP(...)

#endif // STATCLIENT_RECORDS_TSTSETFLAGS_H_
