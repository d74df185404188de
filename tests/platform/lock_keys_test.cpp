// The lock keys' state read from a real X server's indicators, toggled by real key events.

#include "platform/keyboard/lock_keys.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "xvfb.h"

namespace {

// Presses and releases a key on the display, as a person would.
void PressKey(const std::string& Display, const char* Key) {
  const std::string command = "DISPLAY=" + Display + " xdotool key " + Key;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

TEST(LockKeys, TheIndicatorsFollowTheLockKeysPressedOnTheDisplay) {
  TXvfb x;
  EXPECT_EQ(KeyLockStateOn(x.Display(), TLockKey::CapsLock), TLockState::Off);
  EXPECT_EQ(KeyLockStateOn(x.Display(), TLockKey::NumLock), TLockState::Off);
  PressKey(x.Display(), "Caps_Lock");
  EXPECT_EQ(KeyLockStateOn(x.Display(), TLockKey::CapsLock), TLockState::On);
  EXPECT_EQ(KeyLockStateOn(x.Display(), TLockKey::NumLock), TLockState::Off);
  PressKey(x.Display(), "Num_Lock");
  PressKey(x.Display(), "Caps_Lock");
  EXPECT_EQ(KeyLockStateOn(x.Display(), TLockKey::CapsLock), TLockState::Off);
  EXPECT_EQ(KeyLockStateOn(x.Display(), TLockKey::NumLock), TLockState::On);
  EXPECT_TRUE(LockShownOn(TLockState::On));
  EXPECT_FALSE(LockShownOn(TLockState::Unknown));
}

TEST(LockKeys, WithoutAnXServerOrWithWindowsShownElsewhereTheStateIsUnknown) {
  EXPECT_EQ(KeyLockStateOn(":997", TLockKey::CapsLock), TLockState::Unknown);  // nobody there
  TXvfb x;
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const std::string saved = platform != nullptr ? platform : "";
  const char* display = std::getenv("DISPLAY");
  const std::string savedDisplay = display != nullptr ? display : "";
  setenv("DISPLAY", x.Display().c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  EXPECT_EQ(KeyLockState(TLockKey::CapsLock), TLockState::Unknown);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  EXPECT_EQ(KeyLockState(TLockKey::CapsLock), TLockState::Off);
  unsetenv("DISPLAY");
  EXPECT_EQ(KeyLockState(TLockKey::CapsLock), TLockState::Unknown);
  if (platform != nullptr) {
    setenv("QT_QPA_PLATFORM", saved.c_str(), 1);
  } else {
    unsetenv("QT_QPA_PLATFORM");
  }
  if (display != nullptr) setenv("DISPLAY", savedDisplay.c_str(), 1);
}

}  // namespace
