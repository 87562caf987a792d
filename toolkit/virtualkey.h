#pragma once

// Windows virtual-key codes of the keys the handlers look at.
namespace VirtualKey {
constexpr int Back = 8;
constexpr int Left = 37;
constexpr int Right = 39;
constexpr int Delete = 46;
} // namespace VirtualKey

// The Windows virtual-key code of a Qt key (Qt::Key), 0 for a key without one.
int VirtualKeyCode(int qtKey);
