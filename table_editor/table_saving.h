// Writing TableGrid back over the open table file.
#pragma once

// Writes the header keys and every row over the table file, makes the publish
// copy of a table chosen in the open dialog, and confirms.
void SaveTable();
