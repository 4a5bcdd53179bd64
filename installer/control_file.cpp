// The control file reader. KYROTH.INI is read twice, byte by byte: once for
// the [Control Files] section (one entry per printer model) and once for the
// [Language Lists] section (one entry per language). Every line and every list
// is bounded by its buffer; a control file that does not fit is invalid.
#include "installer/control_file.h"

#include "installer/dialogs.h"
#include "installer/error_box.h"
#include "installer/installer_state.h"
#include "installer/text_length.h"

namespace {

constexpr char kControlFileName[] = "\\KYROTH.INI";
constexpr char kCannotOpenText[] = "Can not open kyroth.ini,installation failed.";
constexpr char kInvalidText[] = "Invalid kyroth.ini,installation failed.";
constexpr char kControlFilesHeader[] = "[Control Files]";
constexpr char kLanguageListsHeader[] = "[Language Lists]";

bool TextEquals(const char* a, const char* b) {
  while (*a != 0 && *a == *b) {
    ++a;
    ++b;
  }
  return *a == *b;
}

// True when line, cut after as many characters as header has, equals header.
bool IsSectionHeader(const char* line, const char* header) {
  for (; *header != 0; ++line, ++header) {
    if (*line != *header) return false;
  }
  return true;
}

// Characters above the blank, compared as signed bytes: bytes 128 to 255
// count as blanks.
bool IsAboveBlank(char c) { return static_cast<signed char>(c) > ' '; }

// Builds a list in a buffer of fixed size, always keeping room for the
// terminating zeros of the current entry and of the list.
class ListWriter {
 public:
  ListWriter(char* list, int size) : list_(list), size_(size) {}

  bool Append(char c) {
    if (used_ + 3 > size_) return false;
    list_[used_++] = c;
    return true;
  }
  bool EndEntry() {
    if (used_ + 2 > size_) return false;
    list_[used_++] = 0;
    return true;
  }
  void EndList() { list_[used_] = 0; }

 private:
  char* list_;
  int size_;
  int used_ = 0;
};

// Skips lines up to and including the section header. Returns the last
// ReadTextLine result: 1 after the header, 0 at the end of the file,
// kLineTooLong for a line that does not fit.
int SkipToSection(char* line, int size, HFILE file, const char* header) {
  int got;
  do {
    got = ReadTextLine(line, size, file);
  } while (got == 1 && !IsSectionHeader(line, header));
  return got;
}

bool IsPlainFileName(const char* name) {
  if (*name == 0) return false;
  for (const char* p = name; *p != 0; ++p) {
    if (*p == '\\' || *p == '/' || *p == ':') return false;
    if (p[0] == '.' && p[1] == '.') return false;
  }
  return true;
}

// True when field n of entry exists, fits size bytes and is a plain file name.
bool HasFileNameField(const char* entry, int n, int size) {
  char name[kLanguageFileNameSize];
  static_assert(kLanguageFileNameSize >= kProgramNameSize);
  if (entry == nullptr || size > kLanguageFileNameSize) return false;
  return GetListFieldBounded(name, size, entry, n) != 0 && IsPlainFileName(name);
}

// Finds field n of entry. False when it does not exist.
bool FindListField(const char* entry, int n, const char** start, int* length) {
  const char* p = entry;
  for (int i = 1; i < n; ++i) {
    while (*p != 0 && *p != ',') ++p;
    if (*p == ',') ++p;
    if (*p == 0) return false;
  }
  const char* end = p;
  while (*end != 0 && *end != ',') ++end;
  *start = p;
  *length = static_cast<int>(end - p);
  return true;
}

const char* NextListEntry(const char* entry) { return entry + TextLength(entry) + 1; }

}  // namespace

int ReadTextLine(char* buffer, int size, HFILE file) {
  if (size < 1) return kLineTooLong;
  buffer[0] = 0;
  int stored = 0;
  for (;;) {
    if (stored == size - 1) {
      // The buffer is full. The piece still fits when the file ends here;
      // otherwise the byte looked at goes back to the file for the next call.
      char next;
      buffer[stored] = 0;
      if (static_cast<SHORT>(_lread(file, &next, 1)) < 1) return 0;
      _llseek(file, -1, FILE_CURRENT);
      return kLineTooLong;
    }
    if (static_cast<SHORT>(_lread(file, buffer + stored, 1)) < 1) {
      buffer[stored] = 0;
      return 0;
    }
    if (buffer[stored++] == '\n') {
      buffer[stored] = 0;
      return 1;
    }
  }
}

int ReadModelList(HFILE file, char* list, int size) {
  char line[kControlLineSize];
  ListWriter writer(list, size);
  list[0] = 0;
  if (SkipToSection(line, sizeof line, file, kControlFilesHeader) == kLineTooLong) return 0;
  bool equalsSeen = false;
  for (;;) {
    int got = ReadTextLine(line, sizeof line, file);
    if (got == kLineTooLong) break;
    if (got == 0) {
      if (!equalsSeen) break;
      writer.EndList();
      return 1;
    }
    if (line[0] == '[') {
      writer.EndList();
      return 1;
    }
    // An entry starts at the line's first double quote; a "#" before it makes
    // the line a comment.
    const char* p = line;
    while (*p != 0 && *p != '"' && *p != '#') ++p;
    if (*p != '"') continue;
    ++p;
    // The quoted model name is taken as it is. Outside the quotes blanks and
    // control characters are dropped, and "=" separates fields like a comma.
    // Any later double quote is skipped, and the character after it is
    // handled at once.
    bool inQuotes = true;
    bool fits = true;
    for (; *p != 0 && fits; ++p) {
      char c = *p;
      if (c == '"') {
        inQuotes = false;
        c = *++p;
        if (c == 0) break;
      }
      if (inQuotes) {
        fits = writer.Append(c);
      } else if (c == '=') {
        fits = writer.Append(',');
        equalsSeen = true;
      } else if (IsAboveBlank(c)) {
        fits = writer.Append(c);
      }
    }
    if (!fits || !writer.EndEntry()) break;
  }
  list[0] = 0;
  return 0;
}

int ReadLanguageLists(HFILE file, char* list, int size) {
  char line[kLanguageLineSize];
  ListWriter writer(list, size);
  list[0] = 0;
  int got = SkipToSection(line, sizeof line, file, kLanguageListsHeader);
  // Every line to the end of the file counts; a later section header is no
  // entry only because it has no comma.
  while (got == 1) {
    got = ReadTextLine(line, sizeof line, file);
    if (got != 1) break;
    const char* p = line;
    while (*p != 0 && *p != ',' && *p != '#') ++p;
    if (*p != ',') continue;
    p = line;
    while (*p != 0 && !IsAboveBlank(*p)) ++p;
    if (*p == 0) continue;
    bool fits = true;
    for (; *p != 0 && fits; ++p) {
      if (*p == '=') {
        fits = writer.Append(',');
      } else if (IsAboveBlank(*p)) {
        fits = writer.Append(*p);
      }
    }
    if (!fits || !writer.EndEntry()) {
      list[0] = 0;
      return kLineTooLong;
    }
  }
  if (got == kLineTooLong) {
    list[0] = 0;
    return kLineTooLong;
  }
  writer.EndList();
  return got;
}

int GetListField(char* destination, const char* entry, int n) {
  const char* start;
  int length;
  if (!FindListField(entry, n, &start, &length)) return 0;
  for (int i = 0; i < length; ++i) destination[i] = start[i];
  destination[length] = 0;
  return 1;
}

int GetListFieldBounded(char* destination, int destinationSize, const char* entry, int n) {
  const char* start;
  int length;
  if (!FindListField(entry, n, &start, &length) || length >= destinationSize) return 0;
  return GetListField(destination, entry, n);
}

const char* GetListEntry(const char* list, int index) {
  if (list == nullptr) return nullptr;
  const char* entry = list;
  for (int i = 0; i < index; ++i) {
    if (*entry == 0) return nullptr;
    entry = NextListEntry(entry);
  }
  return *entry != 0 ? entry : nullptr;
}

int ParseLanguageId(char* text, int* value) {
  CharUpperA(text);
  const char* digits = text;
  while (*digits != 0 && *digits != 'X') ++digits;
  if (*digits == 'X') ++digits;
  if (*digits == 0) {
    *value = 0x409;
    return *value;
  }
  // Any character counts as a digit; the sum wraps as a 32-bit integer.
  unsigned sum = 0;
  for (; *digits != 0; ++digits) {
    int c = static_cast<signed char>(*digits);
    int digit = (c >= '0' && c <= '9') ? c - '0' : c - 55;
    sum = sum * 16u + static_cast<unsigned>(digit);
  }
  *value = static_cast<int>(sum);
  return *value;
}

int FindListEntry(const char* text, const char* list) {
  const char* entry = list;
  for (;;) {
    if (TextEquals(text, entry)) return 1;
    if (*entry == 0) return 0;
    entry = NextListEntry(entry);
    if (*entry == 0) return 0;
  }
}

BOOL CheckChosenEntries() {
  const char* model = GetListEntry(ModelList, SelectedModel);
  const char* language = GetListEntry(LanguageList, SelectedLanguage);
  return HasFileNameField(model, 3, kProgramNameSize) &&
         HasFileNameField(language, 3, kLanguageFileNameSize) &&
         HasFileNameField(language, 4, kLanguageFileNameSize);
}

void FreeLanguageList() {
  if (LanguageList == nullptr) return;
  const BYTE* block = reinterpret_cast<const BYTE*>(LanguageList - kLanguageBlockHandleBytes);
  DWORD stored = 0;
  for (int i = 0; i < kLanguageBlockHandleBytes; ++i)
    stored |= static_cast<DWORD>(block[i]) << (8 * i);
  HGLOBAL handle = reinterpret_cast<HGLOBAL>(static_cast<ULONG_PTR>(stored));
  LanguageList = nullptr;
  GlobalUnlock(handle);
  GlobalFree(handle);
}

WORD ReadControlFile(HINSTANCE instance, HWND ownerWindow, const char* printerName) {
  // The system directory with the file name; a path that does not fit the
  // buffer cannot be opened.
  char path[MAX_PATH];
  UINT length = GetSystemDirectoryA(path, sizeof path);
  HFILE file = HFILE_ERROR;
  if (length > 0 && length + sizeof kControlFileName <= sizeof path) {
    for (UINT i = 0; i < sizeof kControlFileName; ++i) path[length + i] = kControlFileName[i];
    file = _lopen(path, OF_READ);
  }
  if (file == HFILE_ERROR) {
    ShowInstallerError(kCannotOpenText);
    return 0;
  }
  if (!ReadModelList(file, ModelList, kModelListSize)) {
    ShowInstallerError(kInvalidText);
    _lclose(file);
    return 0;
  }
  _lclose(file);

  // The language list block: its handle in its first 4 bytes, the list after
  // them.
  file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) {
    ShowInstallerError(kCannotOpenText);
    return 0;
  }
  HGLOBAL handle = GlobalAlloc(GHND, kLanguageBlockSize);
  BYTE* block = handle != NULL ? static_cast<BYTE*>(GlobalLock(handle)) : nullptr;
  if (block == nullptr) {
    if (handle != NULL) GlobalFree(handle);
    _lclose(file);
    ShowInstallerError(kCannotOpenText);
    return 0;
  }
  DWORD stored = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(handle));
  for (int i = 0; i < kLanguageBlockHandleBytes; ++i)
    block[i] = static_cast<BYTE>(stored >> (8 * i));
  LanguageList = reinterpret_cast<char*>(block + kLanguageBlockHandleBytes);
  int languages =
      ReadLanguageLists(file, LanguageList, kLanguageBlockSize - kLanguageBlockHandleBytes);
  _lclose(file);
  if (languages == kLineTooLong) {
    ShowInstallerError(kInvalidText);
    FreeLanguageList();
    return 0;
  }

  // The printer's model; without a match SelectedModel keeps its value.
  char name[kControlLineSize];
  int index = 0;
  for (const char* entry = ModelList; *entry != 0; entry = NextListEntry(entry), ++index) {
    if (GetListFieldBounded(name, sizeof name, entry, 1) && TextEquals(name, printerName)) {
      SelectedModel = index;
      break;
    }
  }

  if (ModelList[0] != 0 && DialogBoxParamA(instance, kLanguageDialog, ownerWindow,
                                           LanguageDialogProc, 0) == kLanguageCancel) {
    FreeLanguageList();
    return 0;
  }
  // An empty model list leaves no model entry to install from, so it fails
  // here too.
  if (!CheckChosenEntries()) {
    ShowInstallerError(kInvalidText);
    FreeLanguageList();
    return 0;
  }
  return 1;
}
