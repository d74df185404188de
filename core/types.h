#pragma once
// Small value types shared by every layer: events, sets of enumeration members, and the
// names of enumeration members that stored layouts use.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

class TObject;

using TNotifyEvent = std::function<void(TObject* Sender)>;

// The identifiers of an enumeration's members in ordinal order, as stored layouts name them.
struct TEnumInfo {
  std::string TypeName;
  std::vector<std::string> Names;

  // The ordinal of a member name (exact spelling), or -1.
  int OrdinalOf(std::string_view Name) const;
};

// Specialise through BREVANT_ENUM_NAMES for every enumeration that appears as a published
// property or inside a published set.
template <class E>
struct TEnumNames;

#define BREVANT_ENUM_NAMES(Enum, ...)                    \
  template <>                                            \
  struct TEnumNames<Enum> {                              \
    static const TEnumInfo& Info() {                     \
      static const TEnumInfo info{#Enum, {__VA_ARGS__}}; \
      return info;                                       \
    }                                                    \
  }

template <class E, class = void>
struct THasEnumNames : std::false_type {};
template <class E>
struct THasEnumNames<E, std::void_t<decltype(TEnumNames<E>::Info())>> : std::true_type {};

// A set of members of an enumeration with at most 64 members, like a bit set with names.
template <class E>
class TSet {
  static_assert(std::is_enum_v<E>);

 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> Members) {
    for (E m : Members)
      Bits_ |= Bit(m);
  }
  static constexpr TSet FromBits(uint64_t Bits) {
    TSet s;
    s.Bits_ = Bits;
    return s;
  }

  constexpr bool Contains(E m) const { return (Bits_ & Bit(m)) != 0; }
  constexpr void Include(E m) { Bits_ |= Bit(m); }
  constexpr void Exclude(E m) { Bits_ &= ~Bit(m); }
  constexpr bool Empty() const { return Bits_ == 0; }
  constexpr uint64_t Bits() const { return Bits_; }

  constexpr TSet operator+(TSet o) const { return FromBits(Bits_ | o.Bits_); }
  constexpr TSet operator-(TSet o) const { return FromBits(Bits_ & ~o.Bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(Bits_ & o.Bits_); }
  constexpr bool operator==(const TSet&) const = default;

 private:
  static constexpr uint64_t Bit(E m) { return uint64_t{1} << static_cast<unsigned>(m); }
  uint64_t Bits_ = 0;
};
