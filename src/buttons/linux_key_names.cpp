#include "buttons/linux_key_names.h"

#include <algorithm>
#include <array>
#include <utility>

#include "common/printable_text.h"

namespace px {
namespace {

// Linux key codes (the kernel's input event codes) and the names.
constexpr std::array<std::pair<unsigned, TextView>, 103> kNames{{
    {1, u"Esc"},           {2, u"1"},           {3, u"2"},           {4, u"3"},
    {5, u"4"},             {6, u"5"},           {7, u"6"},           {8, u"7"},
    {9, u"8"},             {10, u"9"},          {11, u"0"},          {12, u"-"},
    {13, u"="},            {14, u"Backspace"},  {15, u"Tab"},        {16, u"Q"},
    {17, u"W"},            {18, u"E"},          {19, u"R"},          {20, u"T"},
    {21, u"Y"},            {22, u"U"},          {23, u"I"},          {24, u"O"},
    {25, u"P"},            {26, u"["},          {27, u"]"},          {28, u"Enter"},
    {29, u"Ctrl"},         {30, u"A"},          {31, u"S"},          {32, u"D"},
    {33, u"F"},            {34, u"G"},          {35, u"H"},          {36, u"J"},
    {37, u"K"},            {38, u"L"},          {39, u";"},          {40, u"'"},
    {41, u"`"},            {42, u"Shift"},      {43, u"\\"},         {44, u"Z"},
    {45, u"X"},            {46, u"C"},          {47, u"V"},          {48, u"B"},
    {49, u"N"},            {50, u"M"},          {51, u","},          {52, u"."},
    {53, u"/"},            {54, u"Right Shift"}, {55, u"Num *"},     {56, u"Alt"},
    {57, u"Space"},        {58, u"Caps Lock"},  {59, u"F1"},         {60, u"F2"},
    {61, u"F3"},           {62, u"F4"},         {63, u"F5"},         {64, u"F6"},
    {65, u"F7"},           {66, u"F8"},         {67, u"F9"},         {68, u"F10"},
    {69, u"Num Lock"},     {70, u"Scroll Lock"}, {71, u"Num 7"},     {72, u"Num 8"},
    {73, u"Num 9"},        {74, u"Num -"},      {75, u"Num 4"},      {76, u"Num 5"},
    {77, u"Num 6"},        {78, u"Num +"},      {79, u"Num 1"},      {80, u"Num 2"},
    {81, u"Num 3"},        {82, u"Num 0"},      {83, u"Num Del"},    {87, u"F11"},
    {88, u"F12"},          {96, u"Num Enter"},  {97, u"Right Ctrl"}, {98, u"Num /"},
    {99, u"Prnt Scrn"},    {100, u"Right Alt"}, {102, u"Home"},      {103, u"Up"},
    {104, u"Page Up"},     {105, u"Left"},      {106, u"Right"},     {107, u"End"},
    {108, u"Down"},        {109, u"Page Down"}, {110, u"Insert"},    {111, u"Delete"},
    {119, u"Pause"},       {125, u"Left Windows"}, {126, u"Right Windows"},
}};

}  // namespace

TextView KeyNameOfLinuxKeyCode(unsigned code) {
  for (const auto& [key, name] : kNames) {
    if (key == code) return name;
  }
  return {};
}

Text ReadableKeyName(TextView platformName) {
  if (!IsPrintableText(platformName)) return {};
  if (platformName.find_first_not_of(u' ') == TextView::npos) return {};
  return Text(platformName);
}

TextView KeyNameOfXkbKeyCode(unsigned code) {
  constexpr unsigned kXkbOffset = 8;
  return code > kXkbOffset ? KeyNameOfLinuxKeyCode(code - kXkbOffset) : TextView{};
}

Text KeyNameOfEnumerator(std::string_view enumerator) {
  if (enumerator.starts_with("Key_")) enumerator.remove_prefix(4);
  Text name(enumerator.begin(), enumerator.end());
  std::ranges::replace(name, u'_', u' ');
  return name;
}

}  // namespace px
