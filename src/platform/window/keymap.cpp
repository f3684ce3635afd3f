// Qt keys and Windows virtual-key codes. Virtual keys name the physical key
// as on a US keyboard, so a Cyrillic letter maps to the Latin key at its
// place in the Russian layout (С is the C key).

#include <array>
#include <utility>

#include "platform/window/window_impl.h"

namespace {

constexpr std::pair<int, UINT> kSpecialKeys[] = {
    {Qt::Key_Escape, VK_ESCAPE},     {Qt::Key_Tab, VK_TAB},         {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Backspace, VK_BACK},    {Qt::Key_Return, VK_RETURN},   {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Insert, VK_INSERT},     {Qt::Key_Delete, VK_DELETE},   {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_Print, VK_SNAPSHOT},    {Qt::Key_Clear, VK_CLEAR},     {Qt::Key_Home, VK_HOME},
    {Qt::Key_End, VK_END},           {Qt::Key_Left, VK_LEFT},       {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},       {Qt::Key_Down, VK_DOWN},       {Qt::Key_PageUp, VK_PRIOR},
    {Qt::Key_PageDown, VK_NEXT},     {Qt::Key_Shift, VK_SHIFT},     {Qt::Key_Control, VK_CONTROL},
    {Qt::Key_Alt, VK_MENU},          {Qt::Key_AltGr, VK_MENU},      {Qt::Key_CapsLock, VK_CAPITAL},
    {Qt::Key_NumLock, VK_NUMLOCK},   {Qt::Key_ScrollLock, VK_SCROLL}, {Qt::Key_Menu, VK_APPS},
    {Qt::Key_Help, VK_HELP},         {Qt::Key_Space, VK_SPACE},     {Qt::Key_Meta, VK_LWIN},
    {Qt::Key_Semicolon, VK_OEM_1},   {Qt::Key_Colon, VK_OEM_1},     {Qt::Key_Equal, VK_OEM_PLUS},
    {Qt::Key_Plus, VK_OEM_PLUS},     {Qt::Key_Comma, VK_OEM_COMMA}, {Qt::Key_Less, VK_OEM_COMMA},
    {Qt::Key_Minus, VK_OEM_MINUS},   {Qt::Key_Underscore, VK_OEM_MINUS}, {Qt::Key_Period, VK_OEM_PERIOD},
    {Qt::Key_Greater, VK_OEM_PERIOD}, {Qt::Key_Slash, VK_OEM_2},    {Qt::Key_Question, VK_OEM_2},
    {Qt::Key_QuoteLeft, VK_OEM_3},   {Qt::Key_AsciiTilde, VK_OEM_3}, {Qt::Key_BracketLeft, VK_OEM_4},
    {Qt::Key_BraceLeft, VK_OEM_4},   {Qt::Key_Backslash, VK_OEM_5}, {Qt::Key_Bar, VK_OEM_5},
    {Qt::Key_BracketRight, VK_OEM_6}, {Qt::Key_BraceRight, VK_OEM_6}, {Qt::Key_Apostrophe, VK_OEM_7},
    {Qt::Key_QuoteDbl, VK_OEM_7},    {Qt::Key_Exclam, '1'},         {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},       {Qt::Key_Dollar, '4'},         {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},      {Qt::Key_Ampersand, '7'},      {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},        {Qt::Key_ParenRight, '0'},
};

constexpr std::pair<int, UINT> kKeypadKeys[] = {
    {Qt::Key_Asterisk, VK_MULTIPLY}, {Qt::Key_Plus, VK_ADD},     {Qt::Key_Minus, VK_SUBTRACT},
    {Qt::Key_Slash, VK_DIVIDE},      {Qt::Key_Period, VK_DECIMAL}, {Qt::Key_Comma, VK_DECIMAL},
};

// А..Я (U+0410..U+042F) in the Russian layout.
constexpr std::array<UINT, 32> kCyrillicKeys = {
    'F', VK_OEM_COMMA, 'D', 'U', 'L', 'T', VK_OEM_1, 'P',       // А Б В Г Д Е Ж З
    'B', 'Q', 'R', 'K', 'V', 'Y', 'J', 'G',                    // И Й К Л М Н О П
    'H', 'C', 'N', 'E', 'A', VK_OEM_4, 'W', 'X',               // Р С Т У Ф Х Ц Ч
    'I', 'O', VK_OEM_6, 'S', 'M', VK_OEM_7, VK_OEM_PERIOD, 'Z',  // Ш Щ Ъ Ы Ь Э Ю Я
};

}  // namespace

UINT VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return static_cast<UINT>(qtKey);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
    if (modifiers & Qt::KeypadModifier) return VK_NUMPAD0 + static_cast<UINT>(qtKey - Qt::Key_0);
    return static_cast<UINT>(qtKey);
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return VK_F1 + static_cast<UINT>(qtKey - Qt::Key_F1);
  if (qtKey >= 0x0410 && qtKey <= 0x042F) return kCyrillicKeys[static_cast<std::size_t>(qtKey - 0x0410)];
  if (qtKey == 0x0401 || qtKey == 0x0451) return VK_OEM_3;  // Ё
  if (qtKey >= 0x0430 && qtKey <= 0x044F) return kCyrillicKeys[static_cast<std::size_t>(qtKey - 0x0430)];
  if (modifiers & Qt::KeypadModifier) {
    for (const auto& [qt, vk] : kKeypadKeys)
      if (qt == qtKey) return vk;
  }
  for (const auto& [qt, vk] : kSpecialKeys)
    if (qt == qtKey) return vk;
  return 0;
}

int QtKeyFromVirtualKey(UINT vk) {
  if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return static_cast<int>(vk);
  if (vk >= VK_F1 && vk <= VK_F1 + 23) return Qt::Key_F1 + static_cast<int>(vk - VK_F1);
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return Qt::Key_0 + static_cast<int>(vk - VK_NUMPAD0);
  for (const auto& [qt, v] : kKeypadKeys)
    if (v == vk) return qt;
  for (const auto& [qt, v] : kSpecialKeys)
    if (v == vk) return qt;
  return 0;
}

bool IsExtendedKey(UINT vk) {
  switch (vk) {
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_DIVIDE:
    case VK_NUMLOCK:
    case VK_SNAPSHOT:
    case VK_APPS:
    case VK_LWIN:
      return true;
    default:
      return false;
  }
}
