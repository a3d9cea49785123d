// Key texts: every key name and its code, modifier words, unknown names.
#include <gtest/gtest.h>

#include "keymap/KeyText.h"

using quib::KeyCode;
using quib::kKeyAlt;
using quib::kKeyCtrl;
using quib::kKeyShift;

namespace {

struct NameCode {
    const wchar_t* name;
    WORD code;
};

// The whole list of key names with the codes the key maps give them.
const NameCode kAllNames[] = {
    {L"0", 48},      {L"1", 49},      {L"2", 50},      {L"3", 51},    {L"4", 52},    {L"5", 53},    {L"6", 54},
    {L"7", 55},      {L"8", 56},      {L"9", 57},      {L"A", 65},    {L"B", 66},    {L"C", 67},    {L"D", 68},
    {L"E", 69},      {L"F", 70},      {L"G", 71},      {L"H", 72},    {L"I", 73},    {L"J", 74},    {L"K", 75},
    {L"L", 76},      {L"M", 77},      {L"N", 78},      {L"O", 79},    {L"P", 80},    {L"Q", 81},    {L"R", 82},
    {L"S", 83},      {L"T", 84},      {L"U", 85},      {L"V", 86},    {L"W", 87},    {L"X", 88},    {L"Y", 89},
    {L"Z", 90},      {L"F1", 112},    {L"F2", 113},    {L"F3", 114},  {L"F4", 115},  {L"F5", 116},  {L"F6", 117},
    {L"F7", 118},    {L"F8", 119},    {L"F9", 120},    {L"F10", 121}, {L"F11", 122}, {L"F12", 123}, {L"Space", 32},
    {L"Esc", 27},    {L"Enter", 13},  {L"Tab", 9},     {L"Up", 38},   {L"Down", 40}, {L"Left", 37}, {L"Right", 39},
    {L"Home", 36},   {L"End", 35},    {L"PgUp", 33},   {L"PgDn", 34}, {L"Ins", 45},  {L"Del", 46},  {L"BkSp", 8},
    {L",", 188},     {L".", 190},     {L"/", 191},     {L";", 187},   {L":", 186},   {L"]", 221},   {L"@", 192},
    {L"[", 219},     {L"-", 189},     {L"^", 222},     {L"\\", 220},
};

}  // namespace

TEST(KeyText, EveryKeyNameHasItsCodeAndBack) {
    for (const auto& k : kAllNames) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(quib::KeyNameToCode(k.name), k.code);
        EXPECT_EQ(quib::KeyCodeToName(k.code), k.name);
        EXPECT_EQ(quib::ParseKeyText(k.name), (KeyCode{k.code, 0}));
        EXPECT_EQ(quib::FormatKeyText(KeyCode{k.code, 0}), k.name);
    }
}

TEST(KeyText, KeyNamesListIsTheDialogsOrder) {
    const auto& names = quib::KeyNames();
    ASSERT_EQ(names.size(), std::size(kAllNames));
    for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(names[i], kAllNames[i].name) << i;
}

TEST(KeyText, ParsesModifierCombinations) {
    const struct {
        const wchar_t* text;
        WORD code;
        BYTE mods;
    } cases[] = {
        {L"Shift+Ctrl+Home", 36, 5},
        {L"Ctrl+O", 'O', kKeyCtrl},
        {L"Shift+B", 'B', kKeyShift},
        {L"Alt+L", 'L', kKeyAlt},
        {L"Ctrl+Alt+Del", 46, 6},
        {L"Shift+Alt+F4", 115, 3},
        {L"Shift+Ctrl+Alt+Z", 'Z', 7},
        // Words in any order and blanks around the name still count.
        {L"Ctrl+Shift+End", 35, 5},
        {L" Ctrl + PgDn ", 34, kKeyCtrl},
        {L"Shift+\\", 220, kKeyShift},
        {L"Ctrl+-", 189, kKeyCtrl},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(quib::ParseKeyText(c.text), (KeyCode{c.code, c.mods}));
        EXPECT_EQ(quib::KeyTextModifiers(c.text), c.mods);
    }
}

TEST(KeyText, UnknownOrEmptyNameIsNoKey) {
    for (const wchar_t* text : {L"", L"Ctrl+", L"Shift+Ctrl+", L"F13", L"F0", L"F01", L"Escape", L"a", L"home",
                                L"Ctrl+Plus", L"AB", L"Ctrl+\u3042", L"+"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(quib::ParseKeyText(text), (KeyCode{0, 0}));
    }
    // The modifier words are noted whatever the name is.
    EXPECT_EQ(quib::KeyTextModifiers(L"Ctrl+Nothing"), kKeyCtrl);
    EXPECT_EQ(quib::KeyTextName(L"Shift+Ctrl+Alt+  Home "), L"Home");
}

TEST(KeyText, FormatsModifierWordsInFixedOrder) {
    EXPECT_EQ(quib::FormatKeyText({36, 5}), L"Shift+Ctrl+Home");
    EXPECT_EQ(quib::FormatKeyText({'A', 7}), L"Shift+Ctrl+Alt+A");
    EXPECT_EQ(quib::FormatKeyText({'A', kKeyAlt | kKeyCtrl}), L"Ctrl+Alt+A");
    EXPECT_EQ(quib::FormatKeyText({'A', kKeyAlt | kKeyShift}), L"Shift+Alt+A");
    EXPECT_EQ(quib::FormatKeyText({0, kKeyCtrl}), L"");
    EXPECT_EQ(quib::FormatKeyText({VK_F13, 0}), L"");
    EXPECT_EQ(quib::FormatKeyText({0x61, 0}), L"");  // VK_NUMPAD1 has no name
}

TEST(KeyText, DigitsAndLettersAreTheInitialSearchKeys) {
    for (const auto& k : kAllNames) {
        const bool expected = (k.code >= '0' && k.code <= '9') || (k.code >= 'A' && k.code <= 'Z');
        EXPECT_EQ(quib::IsDigitOrLetterKey(k.code), expected) << static_cast<int>(k.code);
    }
}
