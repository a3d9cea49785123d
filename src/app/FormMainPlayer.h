#pragma once
// The movie and music player opened from the main window.
namespace quib {

class TFormMain;

// Shows the player modally on StrExtractFolderFileName; when the system has
// no media player control, says so and the main window goes on.
void OpenPlayer(TFormMain& f);

}  // namespace quib
