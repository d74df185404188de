#include "platform/keyboard/lock_keys.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct TDisplayCloser {
  void operator()(Display* D) const { XCloseDisplay(D); }
};

const char* IndicatorName(TLockKey Key) {
  return Key == TLockKey::CapsLock ? "Caps Lock" : "Num Lock";
}

}  // namespace

TLockState KeyLockStateOn(const std::string& DisplayName, TLockKey Key) {
  // One short connection per question: the answer is wanted once per key stroke, and a
  // connection kept open would take the program down with the server if it went away.
  std::unique_ptr<Display, TDisplayCloser> display(
      XOpenDisplay(DisplayName.empty() ? nullptr : DisplayName.c_str()));
  if (!display) return TLockState::Unknown;
  int opcode = 0, event = 0, error = 0, major = XkbMajorVersion, minor = XkbMinorVersion;
  if (!XkbQueryExtension(display.get(), &opcode, &event, &error, &major, &minor)) return TLockState::Unknown;
  const Atom name = XInternAtom(display.get(), IndicatorName(Key), True);
  if (name == None) return TLockState::Unknown;
  int index = -1;
  if (!XkbGetNamedIndicator(display.get(), name, &index, nullptr, nullptr, nullptr) || index < 0 ||
      index > 31) {
    return TLockState::Unknown;
  }
  unsigned int lit = 0;
  if (XkbGetIndicatorState(display.get(), XkbUseCoreKbd, &lit) != Success) return TLockState::Unknown;
  return (lit & (1u << index)) != 0 ? TLockState::On : TLockState::Off;
}

TLockState KeyLockState(TLockKey Key) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform != nullptr && *platform != '\0' && std::strncmp(platform, "xcb", 3) != 0)
    return TLockState::Unknown;
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == '\0') return TLockState::Unknown;
  return KeyLockStateOn(display, Key);
}
