#pragma once
// The state of the keyboard's lock keys (Caps Lock, Num Lock), read from the indicators of
// the X server the program's windows get their keys from. Where that cannot be known (no X
// server, or windows shown elsewhere, such as offscreen) the state is unknown, which callers
// show as off.

#include <string>

enum class TLockKey { CapsLock, NumLock };
enum class TLockState { Off, On, Unknown };

// The lock key's state on the X display named by DISPLAY; unknown when QT_QPA_PLATFORM names
// a platform other than X (the windows are not on that display then).
TLockState KeyLockState(TLockKey Key);
// The lock key's state on the X display DisplayName (empty: DISPLAY).
TLockState KeyLockStateOn(const std::string& DisplayName, TLockKey Key);
// Whether a state shows as on.
inline bool LockShownOn(TLockState State) {
  return State == TLockState::On;
}
