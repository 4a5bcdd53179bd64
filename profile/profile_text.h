// Editing the text of a profile (win.ini) as Windows 95 edits it: sections
// and keys found case-insensitively, a key replaced where it stands, a
// missing key added after its section's last line that is not blank, a
// missing section appended at the end; new lines end in CR LF and every
// other line stays byte for byte. Used by the host layer's
// WriteProfileStringA and by the Windows runner, so that both platforms
// leave the same win.ini.
#pragma once

#include <string>
#include <vector>

// The edited content. key null removes the section; value null removes the
// key.
std::string EditProfileText(const std::string& content, const std::string& section, const char* key,
                            const char* value);

// Reading, with the same rules: the names of the sections in file order,
// and the lines of a section (the first of its name) that are not blank or
// comments, blanks around them removed. False when there is no such section.
std::vector<std::string> ProfileSectionNames(const std::string& content);
bool ProfileSectionLines(const std::string& content, const std::string& section,
                         std::vector<std::string>* lines);
// A section line's key and value, blanks around each removed; false for a
// line without '='.
bool SplitProfileLine(const std::string& line, std::string* key, std::string* value);
