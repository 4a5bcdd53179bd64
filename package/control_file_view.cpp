#include "control_file_view.h"

#include <vector>

#include "installer/control_file.h"
#include "inf/inf_file.h"
#include "installer/installer_state.h"
#include "winapi.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size() - 1;
    lines.push_back(text.substr(start, end - start + 1));
    start = end + 1;
  }
  return lines;
}

// The line, from 1, of the first line of section holding needle; 0 if none.
int LineOf(const std::vector<std::string>& lines, const std::string& needle) {
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].find(needle) != std::string::npos) return static_cast<int>(i + 1);
  return 0;
}

std::string At(int line) { return "KYROTH.INI line " + std::to_string(line) + ": "; }

// Lines of [Control Files] and [Language Lists] that do not fit the
// module's line buffers (a line with its line feed and the zero must fit).
void CheckLineLengths(const std::vector<std::string>& lines, PackageReport* report) {
  int size = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.rfind("[Control Files]", 0) == 0) size = kControlLineSize;
    if (line.rfind("[Language Lists]", 0) == 0) size = kLanguageLineSize;
    if (size != 0 && static_cast<int>(line.size()) > size - 1) {
      report->Problem(At(static_cast<int>(i + 1)) + "the line has " + std::to_string(line.size()) +
                      " bytes; the module reads " + std::to_string(size - 1) + " a line");
    }
  }
}

std::string Field(const char* entry, int n, int size, bool* fits) {
  std::vector<char> buffer(static_cast<size_t>(size), '\0');
  *fits = GetListFieldBounded(buffer.data(), size, entry, n) != 0;
  return *fits ? std::string(buffer.data()) : std::string();
}

void ReadModels(const char* list, const std::vector<std::string>& lines, PackageReport* report,
                ControlFileView* view) {
  for (int index = 0; const char* entry = GetListEntry(list, index); ++index) {
    if (*entry == 0) break;
    ControlModel model;
    bool fits = false;
    model.name = Field(entry, 1, kControlLineSize, &fits);
    model.line = LineOf(lines, "\"" + model.name + "\"");
    if (model.name.size() >= static_cast<size_t>(kPrinterNameSize)) {
      report->Problem(At(model.line) + "the model name \"" + model.name + "\" has " +
                      std::to_string(model.name.size()) + " characters; the module takes " +
                      std::to_string(kPrinterNameSize - 1));
    }
    model.program = Field(entry, 3, kProgramNameSize, &fits);
    if (!fits) {
      report->Problem(At(model.line) + "the control-panel program of \"" + model.name +
                      "\" is missing or longer than " + std::to_string(kProgramNameSize - 1) +
                      " characters");
    }
    view->models.push_back(model);
  }
}

void ReadLanguages(const char* list, const std::vector<std::string>& lines, PackageReport* report,
                   ControlFileView* view) {
  for (int index = 0; const char* entry = GetListEntry(list, index); ++index) {
    if (*entry == 0) break;
    ControlLanguage language;
    bool fits = false;
    language.label = Field(entry, 1, kLanguageLineSize, &fits);
    language.line = LineOf(lines, language.label);
    language.id = Field(entry, 2, kLanguageIdSize, &fits);
    if (!fits) {
      report->Problem(At(language.line) + "the language identifier of " + language.label +
                      " is missing or longer than " + std::to_string(kLanguageIdSize - 1));
    }
    language.printer_texts = Field(entry, 3, kLanguageFileNameSize, &fits);
    bool panelFits = false;
    language.panel_texts = Field(entry, 4, kLanguageFileNameSize, &panelFits);
    if (!fits || !panelFits) {
      report->Problem(At(language.line) + "a language file of " + language.label +
                      " is missing or longer than " + std::to_string(kLanguageFileNameSize - 1) +
                      " characters");
    }
    view->languages.push_back(language);
  }
}

}  // namespace

bool ReadControlFileView(const std::string& windowsPath, PackageReport* report,
                         ControlFileView* view) {
  // The control file is read whole, as the INF is; a failed read is a
  // problem of its own, not a shorter file.
  std::string text, error;
  if (!ReadTextFile(windowsPath, kMaxInfFileBytes, &text, &error)) {
    report->Problem("KYROTH.INI: " + error);
    return false;
  }
  if (text.empty()) {
    report->Problem("KYROTH.INI is empty");
    return false;
  }
  std::vector<std::string> lines = Lines(text);
  int before = report->Problems();
  CheckLineLengths(lines, report);

  std::vector<char> models(kModelListSize, '\0');
  HFILE file = _lopen(windowsPath.c_str(), OF_READ);
  int modelsRead = ReadModelList(file, models.data(), kModelListSize);
  _lclose(file);
  if (!modelsRead) {
    report->Problem(
        "KYROTH.INI: the module's reader refuses [Control Files] (missing, a line "
        "without \"=\", or more than " +
        std::to_string(kModelListSize) + " bytes of entries)");
    return false;
  }
  std::vector<char> languages(kLanguageBlockSize - kLanguageBlockHandleBytes, '\0');
  file = _lopen(windowsPath.c_str(), OF_READ);
  int languagesRead = ReadLanguageLists(file, languages.data(), static_cast<int>(languages.size()));
  _lclose(file);
  if (languagesRead == kLineTooLong) {
    report->Problem("KYROTH.INI: the module's reader refuses [Language Lists]");
    return false;
  }
  ReadModels(models.data(), lines, report, view);
  ReadLanguages(languages.data(), lines, report, view);
  if (view->models.empty()) report->Problem("KYROTH.INI: [Control Files] names no model");
  if (view->languages.empty()) report->Problem("KYROTH.INI: [Language Lists] names no language");
  if (report->Problems() == before) {
    report->Ok(
        "KYROTH.INI reads cleanly by the module's reader: " + std::to_string(view->models.size()) +
        " models, " + std::to_string(view->languages.size()) + " languages");
  }
  return true;
}
