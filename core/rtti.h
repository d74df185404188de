#pragma once
// Run-time class information: the class name, its base, a factory for components, the
// published properties with their stored rules, and the methods that stored layouts can
// bind to events by name. The layout reader and writer work only through this.

#include <any>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "core/color.h"
#include "core/component.h"
#include "core/strings.h"
#include "core/types.h"

enum class TPropKind {
  Integer,
  Boolean,
  Float,
  String,
  Enum,
  Set,
  Color,
  Strings,
  Binary,
  Component,
  Class,
  Event
};

using TBytes = std::vector<uint8_t>;

// A property value in a kind-neutral form: Integer, Enum (ordinal), Set (bits) and Color
// are int64_t; Strings are a vector of lines; Class values are the nested object.
using TPropValue = std::variant<std::monostate, int64_t, bool, double, std::string, std::vector<std::string>,
                                TBytes, TComponent*, TPersistent*>;

struct TPropInfo {
  std::string Name;
  TPropKind Kind = TPropKind::Integer;
  const TEnumInfo* Enum = nullptr;  // Enum and Set kinds
  int64_t Min = std::numeric_limits<int64_t>::min();
  int64_t Max = std::numeric_limits<int64_t>::max();

  std::function<TPropValue(const TPersistent&)> Get;
  std::function<void(TPersistent&, const TPropValue&)> Set;      // none for nested objects
  std::function<bool(const TComponent*)> Accepts;                // Component kind: does the target fit?
  std::function<void(TPersistent&, const std::any&)> BindEvent;  // Event kind
  std::function<bool(const TPersistent&)> EventAssigned;         // Event kind

  std::optional<TPropValue> Default;
  std::function<bool(const TPersistent&)> StoredIf;
  bool Always = false;
  bool Never = false;

  // Whether the layout writer writes this property of Object.
  bool IsStored(const TPersistent& Object) const;
};

struct TMethodInfo {
  std::string Name;
  // Makes the event value (a std::function of the handler's exact signature) bound to Self.
  std::function<std::any(TObject& Self)> Make;
};

class TClassInfo {
 public:
  std::string Name;
  const TClassInfo* Parent = nullptr;
  std::vector<TPropInfo> Properties;  // this class's own, in declaration order
  std::vector<TMethodInfo> Methods;
  std::function<TComponent*(TComponent* Owner)> Create;  // components that can be made by name

  bool InheritsFrom(const TClassInfo& Other) const;
  // Published property by name (any case), searching the base classes too.
  const TPropInfo* FindProperty(std::string_view PropName) const;
  // Every published property, base classes first.
  std::vector<const TPropInfo*> AllProperties() const;
  const TMethodInfo* FindMethod(std::string_view MethodName) const;
};

// Classes that stored layouts may create by name.
class TClassRegistry {
 public:
  static void Register(const TClassInfo& Class);
  static const TClassInfo* Find(std::string_view Name);
};

template <class... Classes>
void RegisterClasses() {
  (TClassRegistry::Register(Classes::StaticClassInfo()), ...);
}

namespace rtti_detail {

template <class T>
struct IsTSet : std::false_type {};
template <class E>
struct IsTSet<TSet<E>> : std::true_type {
  using Member = E;
};

// How a C++ property type maps to a property kind and to TPropValue.
template <class T, class = void>
struct Traits;

template <>
struct Traits<bool> {
  static constexpr TPropKind Kind = TPropKind::Boolean;
  static TPropValue To(bool v) { return v; }
  static bool From(const TPropValue& v) { return std::get<bool>(v); }
};

template <class T>
struct Traits<T, std::enable_if_t<std::is_integral_v<T> && !std::is_same_v<T, bool>>> {
  static constexpr TPropKind Kind = TPropKind::Integer;
  static TPropValue To(T v) { return static_cast<int64_t>(v); }
  static T From(const TPropValue& v) { return static_cast<T>(std::get<int64_t>(v)); }
  static constexpr int64_t Min = static_cast<int64_t>(std::numeric_limits<T>::min());
  static constexpr int64_t Max = std::numeric_limits<T>::max() > static_cast<uint64_t>(INT64_MAX)
                                     ? INT64_MAX
                                     : static_cast<int64_t>(std::numeric_limits<T>::max());
};

template <class T>
struct Traits<T, std::enable_if_t<std::is_floating_point_v<T>>> {
  static constexpr TPropKind Kind = TPropKind::Float;
  static TPropValue To(T v) { return static_cast<double>(v); }
  static T From(const TPropValue& v) { return static_cast<T>(std::get<double>(v)); }
};

template <>
struct Traits<std::string> {
  static constexpr TPropKind Kind = TPropKind::String;
  static TPropValue To(const std::string& v) { return v; }
  static std::string From(const TPropValue& v) { return std::get<std::string>(v); }
};

template <>
struct Traits<TColor> {
  static constexpr TPropKind Kind = TPropKind::Color;
  static TPropValue To(TColor v) { return static_cast<int64_t>(static_cast<uint32_t>(v)); }
  static TColor From(const TPropValue& v) { return TColor(static_cast<uint32_t>(std::get<int64_t>(v))); }
};

template <class T>
struct Traits<T, std::enable_if_t<std::is_enum_v<T> && !std::is_same_v<T, TColor>>> {
  static_assert(THasEnumNames<T>::value, "declare the member names with BREVANT_ENUM_NAMES");
  static constexpr TPropKind Kind = TPropKind::Enum;
  static const TEnumInfo* Enum() { return &TEnumNames<T>::Info(); }
  static TPropValue To(T v) { return static_cast<int64_t>(v); }
  static T From(const TPropValue& v) { return static_cast<T>(std::get<int64_t>(v)); }
};

template <class T>
struct Traits<T, std::enable_if_t<IsTSet<T>::value>> {
  using Member = typename IsTSet<T>::Member;
  static constexpr TPropKind Kind = TPropKind::Set;
  static const TEnumInfo* Enum() { return &TEnumNames<Member>::Info(); }
  static TPropValue To(T v) { return static_cast<int64_t>(v.Bits()); }
  static T From(const TPropValue& v) { return T::FromBits(static_cast<uint64_t>(std::get<int64_t>(v))); }
};

template <>
struct Traits<TBytes> {
  static constexpr TPropKind Kind = TPropKind::Binary;
  static TPropValue To(const TBytes& v) { return v; }
  static TBytes From(const TPropValue& v) { return std::get<TBytes>(v); }
};

template <class T>
struct Traits<T*, std::enable_if_t<std::is_base_of_v<TStrings, T>>> {
  static constexpr TPropKind Kind = TPropKind::Strings;
};

template <class T>
struct Traits<T*, std::enable_if_t<std::is_base_of_v<TComponent, T>>> {
  static constexpr TPropKind Kind = TPropKind::Component;
  static TPropValue To(T* v) { return static_cast<TComponent*>(v); }
  static T* From(const TPropValue& v) { return dynamic_cast<T*>(std::get<TComponent*>(v)); }
};

template <class T>
struct Traits<T*, std::enable_if_t<std::is_base_of_v<TPersistent, T> && !std::is_base_of_v<TStrings, T> &&
                                   !std::is_base_of_v<TComponent, T>>> {
  static constexpr TPropKind Kind = TPropKind::Class;
};

std::vector<std::string> LinesOf(const TStrings* Strings);
void AssignLines(TStrings* Target, const std::vector<std::string>& Lines);

template <class T>
using Plain = std::remove_cv_t<std::remove_reference_t<T>>;

}  // namespace rtti_detail

// Builds the TClassInfo of class C; used through BREVANT_DEFINE_CLASS.
template <class C>
class TClassBuilder {
 public:
  TClassBuilder(const char* Name, const TClassInfo* Parent) {
    Info_.Name = Name;
    Info_.Parent = Parent;
    if constexpr (std::is_base_of_v<TComponent, C> && !std::is_abstract_v<C> &&
                  std::is_constructible_v<C, TComponent*>) {
      Info_.Create = [](TComponent* Owner) -> TComponent* { return new C(Owner); };
    }
  }

  // A property with a getter and a setter (member functions of C or of a base of C).
  template <class R, class B1, class A, class B2>
  TClassBuilder& Property(const char* Name, R (B1::*Getter)() const, void (B2::*Setter)(A)) {
    static_assert(std::is_base_of_v<B1, C> && std::is_base_of_v<B2, C>);
    using T = rtti_detail::Plain<R>;
    using Tr = rtti_detail::Traits<T>;
    TPropInfo& p = Add(Name, Tr::Kind);
    if constexpr (Tr::Kind == TPropKind::Strings) {
      p.Get = [Getter](const TPersistent& o) -> TPropValue {
        return rtti_detail::LinesOf((static_cast<const C&>(o).*Getter)());
      };
      p.Set = [Getter](TPersistent& o, const TPropValue& v) {
        rtti_detail::AssignLines((static_cast<C&>(o).*Getter)(), std::get<std::vector<std::string>>(v));
      };
      (void)Setter;
    } else if constexpr (Tr::Kind == TPropKind::Class) {
      p.Get = [Getter](const TPersistent& o) -> TPropValue {
        return static_cast<TPersistent*>((static_cast<const C&>(o).*Getter)());
      };
      (void)Setter;
    } else {
      p.Get = [Getter](const TPersistent& o) -> TPropValue {
        return Tr::To((static_cast<const C&>(o).*Getter)());
      };
      p.Set = [Setter](TPersistent& o, const TPropValue& v) { (static_cast<C&>(o).*Setter)(Tr::From(v)); };
      if constexpr (Tr::Kind == TPropKind::Integer) {
        p.Min = Tr::Min;
        p.Max = Tr::Max;
      }
      if constexpr (Tr::Kind == TPropKind::Enum || Tr::Kind == TPropKind::Set) p.Enum = Tr::Enum();
      if constexpr (Tr::Kind == TPropKind::Component) {
        p.Accepts = [](const TComponent* c) {
          return c == nullptr || dynamic_cast<const std::remove_pointer_t<T>*>(c) != nullptr;
        };
      }
    }
    return *this;
  }

  // A nested object or a string list reached through its getter only.
  template <class R, class B1>
  TClassBuilder& Property(const char* Name, R* (B1::*Getter)() const) {
    static_assert(std::is_base_of_v<B1, C>);
    using Tr = rtti_detail::Traits<R*>;
    static_assert(Tr::Kind == TPropKind::Class || Tr::Kind == TPropKind::Strings,
                  "a property without a setter must be a nested object or a string list");
    TPropInfo& p = Add(Name, Tr::Kind);
    if constexpr (Tr::Kind == TPropKind::Strings) {
      p.Get = [Getter](const TPersistent& o) -> TPropValue {
        return rtti_detail::LinesOf((static_cast<const C&>(o).*Getter)());
      };
      p.Set = [Getter](TPersistent& o, const TPropValue& v) {
        rtti_detail::AssignLines((static_cast<C&>(o).*Getter)(), std::get<std::vector<std::string>>(v));
      };
    } else {
      p.Get = [Getter](const TPersistent& o) -> TPropValue {
        return static_cast<TPersistent*>((static_cast<const C&>(o).*Getter)());
      };
    }
    return *this;
  }

  // An event: a std::function member that stored layouts bind to a method of the root.
  template <class Sig, class B>
  TClassBuilder& Event(const char* Name, std::function<Sig> B::*Member) {
    static_assert(std::is_base_of_v<B, C>);
    TPropInfo& p = Add(Name, TPropKind::Event);
    p.BindEvent = [Member](TPersistent& o, const std::any& handler) {
      static_cast<C&>(o).*Member = std::any_cast<std::function<Sig>>(handler);
    };
    p.EventAssigned = [Member](const TPersistent& o) {
      return static_cast<bool>(static_cast<const C&>(o).*Member);
    };
    return *this;
  }

  // A method that stored layouts can name as an event handler.
  template <class B, class... Args>
  TClassBuilder& Method(const char* Name, void (B::*Handler)(Args...)) {
    static_assert(std::is_base_of_v<B, C>);
    Info_.Methods.push_back({Name, [Handler](TObject& self) -> std::any {
                               B* target = &static_cast<C&>(self);
                               return std::function<void(Args...)>([target, Handler](Args... a) {
                                 (target->*Handler)(std::forward<Args>(a)...);
                               });
                             }});
    return *this;
  }

  // Stored rules of the property added last.
  template <class V>
  TClassBuilder& Default(const V& Value) {
    Last().Default = ToValue(Value);
    return *this;
  }
  TClassBuilder& AlwaysStored() {
    Last().Always = true;
    return *this;
  }
  TClassBuilder& NotStored() {
    Last().Never = true;
    return *this;
  }
  TClassBuilder& StoredIf(std::function<bool(const C&)> Predicate) {
    Last().StoredIf = [Predicate](const TPersistent& o) { return Predicate(static_cast<const C&>(o)); };
    return *this;
  }
  // Applies a function that adds a group of properties shared by several classes
  // (Fn takes this builder), so a family of classes publishes them in one place.
  template <class F>
  TClassBuilder& With(F&& Fn) {
    Fn(*this);
    return *this;
  }

  // Integer range checked when a layout is read.
  TClassBuilder& Range(int64_t Min, int64_t Max) {
    Last().Min = Min;
    Last().Max = Max;
    return *this;
  }

  TClassInfo Build() { return std::move(Info_); }

 private:
  TPropInfo& Add(const char* Name, TPropKind Kind) {
    Info_.Properties.push_back(TPropInfo{});
    TPropInfo& p = Info_.Properties.back();
    p.Name = Name;
    p.Kind = Kind;
    return p;
  }
  TPropInfo& Last() { return Info_.Properties.back(); }

  template <class V>
  static TPropValue ToValue(const V& Value) {
    if constexpr (std::is_convertible_v<V, std::string> && !std::is_same_v<V, std::nullptr_t>) {
      return std::string(Value);
    } else {
      return rtti_detail::Traits<rtti_detail::Plain<V>>::To(Value);
    }
  }

  TClassInfo Info_;
};

#define BREVANT_DEFINE_CLASS(Class, Base, ...)                                      \
  const TClassInfo& Class::StaticClassInfo() {                                      \
    static const TClassInfo info =                                                  \
        TClassBuilder<Class>(#Class, &Base::StaticClassInfo()) __VA_ARGS__.Build(); \
    return info;                                                                    \
  }
