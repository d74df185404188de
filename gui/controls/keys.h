#pragma once
// Virtual key codes of keyboard events (OnKeyDown, OnKeyUp). Letters and digits are their
// upper-case characters ('A' is 65, '0' is 48).

#include <cstdint>

inline constexpr uint16_t VK_BACK = 8;
inline constexpr uint16_t VK_TAB = 9;
inline constexpr uint16_t VK_RETURN = 13;
inline constexpr uint16_t VK_SHIFT = 16;
inline constexpr uint16_t VK_CONTROL = 17;
inline constexpr uint16_t VK_MENU = 18;
inline constexpr uint16_t VK_PAUSE = 19;
inline constexpr uint16_t VK_ESCAPE = 27;
inline constexpr uint16_t VK_SPACE = 32;
inline constexpr uint16_t VK_PRIOR = 33;
inline constexpr uint16_t VK_NEXT = 34;
inline constexpr uint16_t VK_END = 35;
inline constexpr uint16_t VK_HOME = 36;
inline constexpr uint16_t VK_LEFT = 37;
inline constexpr uint16_t VK_UP = 38;
inline constexpr uint16_t VK_RIGHT = 39;
inline constexpr uint16_t VK_DOWN = 40;
inline constexpr uint16_t VK_INSERT = 45;
inline constexpr uint16_t VK_DELETE = 46;
inline constexpr uint16_t VK_HELP = 47;
inline constexpr uint16_t VK_F1 = 112;
inline constexpr uint16_t VK_F2 = 113;
inline constexpr uint16_t VK_F3 = 114;
inline constexpr uint16_t VK_F4 = 115;
inline constexpr uint16_t VK_F5 = 116;
inline constexpr uint16_t VK_F6 = 117;
inline constexpr uint16_t VK_F7 = 118;
inline constexpr uint16_t VK_F8 = 119;
inline constexpr uint16_t VK_F9 = 120;
inline constexpr uint16_t VK_F10 = 121;
inline constexpr uint16_t VK_F11 = 122;
inline constexpr uint16_t VK_F12 = 123;
// Character keys beyond letters and digits, named by the key they lie on (as on a US keyboard):
// ';' and ':' come as VK_OEM_1, '.' and '>' as VK_OEM_PERIOD, '!' as '1'. A character that lies
// on none of these keys (a letter with an accent, another script) comes as VK_PACKET.
inline constexpr uint16_t VK_OEM_1 = 0xBA;
inline constexpr uint16_t VK_OEM_PLUS = 0xBB;
inline constexpr uint16_t VK_OEM_COMMA = 0xBC;
inline constexpr uint16_t VK_OEM_MINUS = 0xBD;
inline constexpr uint16_t VK_OEM_PERIOD = 0xBE;
inline constexpr uint16_t VK_OEM_2 = 0xBF;
inline constexpr uint16_t VK_OEM_3 = 0xC0;
inline constexpr uint16_t VK_OEM_4 = 0xDB;
inline constexpr uint16_t VK_OEM_5 = 0xDC;
inline constexpr uint16_t VK_OEM_6 = 0xDD;
inline constexpr uint16_t VK_OEM_7 = 0xDE;
inline constexpr uint16_t VK_PACKET = 0xE7;
