// toolkit: a key value. Below 256 a character code; named keys from 1000 up.
#pragma once

#include <cstdint>

namespace lmt {

class Key {
public:
    // Named key values (the widgets act on these).
    static constexpr int32_t Tab = 9;
    static constexpr int32_t Enter = 10;
    static constexpr int32_t Space = 32;
    static constexpr int32_t LeftAlt = 1000;
    static constexpr int32_t RightAlt = 1001;
    static constexpr int32_t LeftShift = 1002;
    static constexpr int32_t RightShift = 1003;
    static constexpr int32_t LeftControl = 1004;
    static constexpr int32_t RightControl = 1005;
    static constexpr int32_t LeftMeta = 1006;
    static constexpr int32_t RightMeta = 1007;
    static constexpr int32_t Insert = 1010;
    static constexpr int32_t Home = 1011;
    static constexpr int32_t PageUp = 1012;
    static constexpr int32_t Delete = 1013;
    static constexpr int32_t End = 1014;
    static constexpr int32_t PageDown = 1015;
    static constexpr int32_t Escape = 1016;
    static constexpr int32_t CapsLock = 1017;
    static constexpr int32_t Backspace = 1018;
    static constexpr int32_t F1 = 1019;
    static constexpr int32_t F12 = 1030;
    static constexpr int32_t PrintScreen = 1034;
    static constexpr int32_t ScrollLock = 1035;
    static constexpr int32_t Pause = 1036;
    static constexpr int32_t NumLock = 1037;
    static constexpr int32_t Left = 1039;
    static constexpr int32_t Right = 1040;
    static constexpr int32_t Up = 1041;
    static constexpr int32_t Down = 1042;

    Key() = default;
    Key(int32_t value) : value(value) {}  // implicit: a key is its value

    int32_t getValue() const { return value; }
    // Tab, 32 to 126 and 162 to 255.
    bool isCharacter() const;
    // 48 to 57.
    bool isNumber() const;
    // 65 to 90, 97 to 122 and 192 to 255 except 215 and 247.
    bool isLetter() const;

    bool operator==(const Key& other) const { return value == other.value; }
    bool operator!=(const Key& other) const { return value != other.value; }

private:
    int32_t value = 0;
};

}  // namespace lmt
