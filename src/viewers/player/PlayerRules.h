#pragma once
// The player's rules as plain functions: speed and volume steps, the texts
// of its captions, the file it steps to.
#include <string>
#include <vector>

namespace quib {

constexpr double kPlayerRateMin = 0.4;
constexpr double kPlayerRateMax = 2.0;

// One speed step (0.1) down or up, held to 0.4 ... 2.0.
double PlayerRateStep(double rate, bool up);
// A rate read from the settings file, held to the same range.
double PlayerRateClamp(double rate);
// The caption of the rate item: "再生速度&[1.10]" / "Speed&[1.10]".
std::wstring PlayerRateCaption(double rate, bool japanese);
// The rate as the settings file keeps it ("1.1").
std::wstring PlayerRateText(double rate);

// One volume step (5) down or up, held to 0 ... 100.
int PlayerVolumeStep(int volume, bool up);

// The window caption: the mark of the main list's current row, then the
// file's name part.
std::wstring PlayerWindowCaption(const std::wstring& file, bool marked, bool japanese);

// The row previous / next steps to: the first row from the current one
// onwards (towards the start for previous, the end for next) whose stored
// path has the extension of the file played (any case) and, when paths were
// marked at opening, is one of them (any case); then, wrapping, previous
// takes the last such row from the end down to the current row, next the
// first from the start up to the current row. -1: none.
int PlayerStepTarget(bool next, int current, const std::vector<std::wstring>& storedPaths,
                     const std::wstring& playedFile, const std::vector<std::wstring>& markedAtOpening);

// A button's caption with its command's key: the key text without "Shift",
// "Ctrl", "Alt" and "+", trimmed, in square brackets, in place of anything
// from an earlier "[" on ("再生" and "Alt+P" give "再生[P]").
std::wstring ButtonCaptionWithKey(const std::wstring& caption, const std::wstring& keyText);

}  // namespace quib
