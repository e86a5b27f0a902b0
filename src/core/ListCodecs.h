// The list codecs (grammar in Codecs.h): VectorOf(c), AppendList, ReplaceList, BoundedList.
// Each packs an element count and then the elements; none has a fixed width. VectorOf's
// elements go through the walk's writer and reader (Cursors.h), so that a list of fixed-width
// elements costs what the same fields of a record cost. Inline, used by one thread per pack.
#ifndef STATCLIENT_CORE_LISTCODECS_H_
#define STATCLIENT_CORE_LISTCODECS_H_

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include "core/Codecs.h"
#include "core/Cursors.h"
#include "framework/TPack.h"

namespace statcore {

template <class V, class ElementMaker> struct VectorCodec : FieldRef<V> {
  static constexpr unsigned long kWireWidth = 0;
  ElementMaker element;

  // The count and the elements go through one writer, as a record's fields do: the writer's
  // fast paths, held to packing element by element by the tests FixedWidthWalk and EventWalk
  // (tests/machinery_test.cpp, the mixed layout's list).
  void Pack(TPack &pack) const {
    Packer writer(pack);
    const int count = static_cast<int>(this->field.size());
    writer(Int(count, this->name));
    for (auto &value : this->field)
      writer(element(value, this->name));
  }
  // Room for the elements is reserved once, but never for more than the bytes left could hold
  // at the fewest bytes an element takes, so a hostile count reserves no more than a
  // constant times the payload. The count and the elements are read through one reader (its
  // fast paths held to reading element by element, every cut, by FixedWidthWalk and
  // EventWalk); their codecs carry no name, so that a short read is noted once, under the
  // list's name, by the reader that reads the list.
  void Unpack(TPack &pack) const {
    this->field.clear();
    Unpacker reader(pack);
    int count = 0;
    reader(Int(count, ""));
    if (count > 0)
      this->field.reserve(std::min(static_cast<unsigned long>(count),
                                   reader.Left() / LeastElementSize<Element, ElementCodec>()));
    ReadElements(this->field, count, [&](auto &value) { reader(element(value, "")); });
  }
  unsigned long WireSize() const {
    const unsigned long count = static_cast<unsigned long>(this->field.size());
    if constexpr (WireWidth<ElementCodec> != 0) {
      return kWireTypeWidth<int> + WireWidth<ElementCodec> * count;
    } else {
      unsigned long bytes = kWireTypeWidth<int>;
      for (auto &value : this->field)
        bytes += WireSizeOf(element(value, ""));
      return bytes;
    }
  }
  void Describe(TFieldSink &sink) const {
    sink.BeginArray(this->name);
    for (auto &value : this->field)
      element(value, "").Describe(sink);
    sink.EndArray();
  }

private:
  using Element = typename std::remove_const_t<V>::value_type;
  using ElementCodec = decltype(std::declval<ElementMaker>()(std::declval<Element &>(), ""));
};

template <class ElementMaker> struct VectorMaker {
  ElementMaker element;
  template <class V> VectorCodec<V, ElementMaker> operator()(V &field, const char *name) const {
    return {{field, name}, element};
  }
};

template <class ElementMaker> constexpr VectorMaker<ElementMaker> VectorOf(ElementMaker element) {
  return {element};
}

enum class ListRule { kAppend, kReplace, kBounded };

template <ListRule Rule> struct ListAs {
  template <class V> struct Codec : FieldRef<V> {
    static constexpr unsigned long kWireWidth = 0;
    using Element = typename std::remove_const_t<V>::value_type;
    void Pack(TPack &pack) const {
      if constexpr (Rule == ListRule::kBounded)
        pack << static_cast<int>(this->field.size());
      else
        pack << static_cast<unsigned int>(this->field.size());
      for (const Element &element : this->field)
        pack << element;
    }
    void Unpack(TPack &pack) const {
      auto read = [&pack](Element &element) { pack >> element; };
      if constexpr (Rule == ListRule::kBounded) {
        this->field.clear();
        int count = 0;
        pack >> count;
        if (count < 0 || static_cast<std::size_t>(count) > this->field.max_size())
          throw std::length_error("vector<T> too long");
        this->field.reserve(std::min(static_cast<std::size_t>(count), Fitting(pack)));
        ReadElements(this->field, count, read);
      } else {
        if constexpr (Rule == ListRule::kReplace)
          this->field.clear();
        unsigned int count = 0;
        pack >> count;
        ReadElements(this->field, count, read);
      }
    }
    unsigned long WireSize() const {
      unsigned long bytes = kWireTypeWidth<int>; // the count, int32 or uint32
      for (const Element &element : this->field)
        bytes += OwnSize(element);
      return bytes;
    }
    void Describe(TFieldSink &sink) const { DescribeValue(sink, this->name, this->field); }

  private:
    // How many elements the bytes left could hold at most: a default element packs to the
    // smallest size an element can have (its strings are empty).
    static std::size_t Fitting(const TPack &pack) {
      return pack.Length() / LeastOwnSize<Element>();
    }
  };
};

inline constexpr CodecMaker<ListAs<ListRule::kAppend>::Codec> AppendList{};
inline constexpr CodecMaker<ListAs<ListRule::kReplace>::Codec> ReplaceList{};
inline constexpr CodecMaker<ListAs<ListRule::kBounded>::Codec> BoundedList{};

} // namespace statcore

#endif // STATCLIENT_CORE_LISTCODECS_H_
