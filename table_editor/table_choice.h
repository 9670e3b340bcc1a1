// Letting the user choose any table file in the table window's open dialog.
#pragma once

// Shows the open dialog; a chosen file becomes the open table file, its names
// are kept for the publish copy, and the day's backup of it is made.
void ChooseTableFile();
