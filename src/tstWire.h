// Packing, unpacking and sizing of the contact, callback, contact-log and error records.
//
// Each record has one static member template WalkWire(record, visitor) (TST_WIRE_WALK), written
// from its field list, that hands every wire item to the visitor in wire order. Pack, unpack and
// Size all walk that one list, so the three cannot drift apart. The items are:
//   visitor.Field(x)           a value with its own TPack operators (primitives, strings, time
//                              stamps, nested records)
//   visitor.AppendingList(v)   unsigned 32-bit count, then the elements; unpacking appends to
//                              what the list already holds
//   visitor.ReplacingList(v)   the same on the wire; unpacking empties the list first
//   visitor.SignedCountList(v) signed 32-bit count, then the elements; unpacking empties the
//                              list first and refuses a negative count
//   visitor.Bits(flags)        a TSetFlags as an unsigned 32-bit number; unpacking replaces the
//                              flags with its low bits
// Unpacking reads each value straight into its field: a short read (TPackError) leaves the
// fields read so far overwritten and the rest as they were.
#ifndef STATCLIENT_SRC_TSTWIRE_H_
#define STATCLIENT_SRC_TSTWIRE_H_

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <vector>

#include "framework/TPack.h"
#include "tstSetFlags.h"

// Field-list callbacks for WalkWire: private members (<Name>_), public members, and lists.
#define TST_WALK_MEMBER(Name, ...) visitor.Field(record.Name##_);
#define TST_WALK_PUBLIC(Name, ...) visitor.Field(record.Name);
#define TST_WALK_LIST(Member, Rule) visitor.Rule(record.Member);

// Declares the record's WalkWire (protected, callable by TWire): the statements given hand the
// wire items of `record` to `visitor` in order. A derived record starts with its base's walk.
#define TST_WIRE_WALK(...)                                                                         \
protected:                                                                                         \
  friend struct TWire;                                                                             \
  template <class Self, class Visitor> static void WalkWire(Self &record, Visitor &visitor) {      \
    __VA_ARGS__                                                                                    \
  }

// Defines the free pack and unpack operators of `Record` (in its .cpp).
#define TST_DEFINE_WIRE_OPERATORS(Record)                                                          \
  TPack &operator<<(TPack &pack, const Record &record) { return TWire::Pack(pack, record); }       \
  TPack &operator>>(TPack &pack, Record &record) { return TWire::Unpack(pack, record); }

// Defines `Record::Size() const` as the byte length of the packed record.
#define TST_DEFINE_WIRE_SIZE(Record)                                                               \
  unsigned long Record::Size() const { return TWire::Size(*this); }

// Befriended by every record so that it can call the record's WalkWire.
struct TWire {
  template <class Record> static TPack &Pack(TPack &pack, const Record &record) {
    Packer packer{pack};
    Record::WalkWire(record, packer);
    return pack;
  }

  template <class Record> static TPack &Unpack(TPack &pack, Record &record) {
    Unpacker unpacker{pack};
    Record::WalkWire(record, unpacker);
    return pack;
  }

  // Bytes of the packed form, measured with a counting pack (no buffer is allocated).
  template <class Record> static unsigned long Size(const Record &record) {
    TPack sizing(0);
    Pack(sizing, record);
    return sizing.BufferSizeRequired();
  }

  struct Packer {
    TPack &pack;

    template <class T> void Field(const T &value) { pack << value; }
    template <class T> void AppendingList(const std::vector<T> &list) {
      Elements(static_cast<unsigned int>(list.size()), list);
    }
    template <class T> void ReplacingList(const std::vector<T> &list) { AppendingList(list); }
    template <class T> void SignedCountList(const std::vector<T> &list) {
      Elements(static_cast<int>(list.size()), list);
    }
    template <std::size_t N> void Bits(const TSetFlags<N> &flags) { pack << flags.ToNumber(); }

  private:
    template <class Count, class T> void Elements(Count count, const std::vector<T> &list) {
      pack << count;
      for (const T &element : list)
        pack << element;
    }
  };

  struct Unpacker {
    TPack &pack;

    template <class T> void Field(T &value) { pack >> value; }

    // No space is reserved from the count: a count larger than the data that follows fails
    // at the first short read, having allocated only for the elements actually read.
    template <class T> void AppendingList(std::vector<T> &list) {
      unsigned int count = 0;
      pack >> count;
      Elements(count, list);
    }
    template <class T> void ReplacingList(std::vector<T> &list) {
      list.clear();
      AppendingList(list);
    }

    // A negative count raises std::length_error "vector<T> too long". Space is reserved at
    // once, but never for more elements than the remaining bytes could hold: a default element
    // packs to the smallest size an element can have (its strings are empty).
    template <class T> void SignedCountList(std::vector<T> &list) {
      list.clear();
      int count = 0;
      pack >> count;
      if (count < 0 || static_cast<std::size_t>(count) > list.max_size())
        throw std::length_error("vector<T> too long");
      const std::size_t fits = pack.Length() / std::max(TWire::Size(T()), 1UL);
      const std::size_t wanted = std::min(static_cast<std::size_t>(count), fits);
      if (list.capacity() < wanted)
        list.reserve(wanted);
      Elements(static_cast<unsigned int>(count), list);
    }

    template <std::size_t N> void Bits(TSetFlags<N> &flags) {
      unsigned long number = 0;
      pack >> number;
      flags.FromNumber(number);
    }

  private:
    template <class T> void Elements(unsigned int count, std::vector<T> &list) {
      for (unsigned int i = 0; i < count; ++i) {
        T element{};
        pack >> element;
        list.push_back(element);
      }
    }
  };
};

#endif // STATCLIENT_SRC_TSTWIRE_H_
