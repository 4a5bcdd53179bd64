// The toolkit operations the installer uses, with the fail-fast rule: a
// failure ends the run through SetupErrorExit.
#pragma once

void SetFrameBitmapChecked(const char* library, int number);
void CreateDirChecked(const char* path, int options);
void CreateProgManGroupChecked(const char* group, const char* text, int options);
void ShowProgManGroupChecked(const char* group, int number, int options);
// The item text is "item,extra" when extra is given and not empty.
void CreateProgManItemChecked(const char* group, const char* item, const char* command,
                              const char* extra, int options);
// Unchecked: whether the toolkit can write into path.
bool IsDirWritable(const char* path);
