// Gathering the game's edited files into the publish folder "Brask Plus".
#pragma once

// Copies the current language's tables, the settings file and the research
// table into Brask Plus, says so, and opens the folder in the file browser.
void PublishEdits();
