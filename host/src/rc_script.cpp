// The reader of resource scripts: dialog templates for the host's dialogs.

#include "rc_script.h"

#include <dlfcn.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "host_internal.h"

namespace host::rc {
namespace {

// ---------------------------------------------------------------------------
// Tokens
// ---------------------------------------------------------------------------

struct Token {
  enum Kind { End, Word, Number, Text, Punct };
  Kind kind = End;
  std::string text;  // a word as written, a text's value, a punctuation mark
  long long value = 0;
  int line = 0;
};

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string Describe(const Token& t) {
  switch (t.kind) {
    case Token::End:
      return "the end of the script";
    case Token::Text:
      return "the text \"" + t.text + "\"";
    default:
      return "\"" + t.text + "\"";
  }
}

class Lexer {
 public:
  explicit Lexer(std::string_view text) : text_(text) {}

  // All tokens, ending with an End token; false with a message on a bad one.
  bool Run(std::vector<Token>* tokens, std::string* error) {
    for (;;) {
      SkipSpaceAndComments();
      Token t;
      t.line = line_;
      if (pos_ >= text_.size()) {
        tokens->push_back(t);
        return true;
      }
      char c = text_[pos_];
      if (c == '"') {
        t.kind = Token::Text;
        if (!ReadText(&t.text, error)) return false;
      } else if (std::isdigit(static_cast<unsigned char>(c))) {
        t.kind = Token::Number;
        size_t start = pos_;
        int base = 10;
        if (c == '0' && pos_ + 1 < text_.size() &&
            (text_[pos_ + 1] == 'x' || text_[pos_ + 1] == 'X')) {
          base = 16;
          pos_ += 2;
        }
        unsigned long long value = 0;
        size_t digits = 0;
        while (pos_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[pos_]))) {
          int d = std::isdigit(static_cast<unsigned char>(text_[pos_]))
                      ? text_[pos_] - '0'
                      : std::toupper(static_cast<unsigned char>(text_[pos_])) - 'A' + 10;
          if (d >= base) break;
          value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
          if (value > 0xFFFFFFFFull) return Fail(error, "number too large");
          ++pos_;
          ++digits;
        }
        if (digits == 0) return Fail(error, "bad number");
        while (pos_ < text_.size() && std::strchr("LlUu", text_[pos_]) != nullptr) ++pos_;
        if (pos_ < text_.size() && IsWordChar(text_[pos_])) return Fail(error, "bad number");
        t.text = std::string(text_.substr(start, pos_ - start));
        t.value = static_cast<long long>(value);
      } else if (IsWordStart(c)) {
        t.kind = Token::Word;
        size_t start = pos_;
        while (pos_ < text_.size() && IsWordChar(text_[pos_])) ++pos_;
        t.text = std::string(text_.substr(start, pos_ - start));
      } else if (std::strchr(",|()+-~&{}", c) != nullptr) {
        t.kind = Token::Punct;
        t.text = std::string(1, c);
        ++pos_;
      } else {
        return Fail(error, std::string("unexpected character '") + c + "'");
      }
      tokens->push_back(t);
    }
  }

 private:
  static bool IsWordStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
  }
  static bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

  bool Fail(std::string* error, const std::string& what) {
    *error = "line " + std::to_string(line_) + ": " + what;
    return false;
  }

  void SkipSpaceAndComments() {
    while (pos_ < text_.size()) {
      char c = text_[pos_];
      if (c == '\n') {
        ++line_;
        ++pos_;
        atLineStart_ = true;
      } else if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
        ++pos_;
      } else if (c == '#' && atLineStart_) {
        // A preprocessor line, with its backslash continuations.
        while (pos_ < text_.size() && text_[pos_] != '\n') {
          if (text_[pos_] == '\\' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') {
            ++line_;
            ++pos_;
          }
          ++pos_;
        }
      } else if (text_.compare(pos_, 2, "//") == 0) {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
      } else if (text_.compare(pos_, 2, "/*") == 0) {
        pos_ += 2;
        while (pos_ < text_.size() && text_.compare(pos_, 2, "*/") != 0) {
          if (text_[pos_] == '\n') ++line_;
          ++pos_;
        }
        pos_ = pos_ < text_.size() ? pos_ + 2 : pos_;
      } else {
        atLineStart_ = false;
        return;
      }
    }
  }

  bool ReadText(std::string* out, std::string* error) {
    ++pos_;  // the opening quote
    for (;;) {
      if (pos_ >= text_.size() || text_[pos_] == '\n') return Fail(error, "unterminated text");
      char c = text_[pos_++];
      if (c == '"') {
        if (pos_ < text_.size() && text_[pos_] == '"') {
          out->push_back('"');
          ++pos_;
          continue;
        }
        return true;
      }
      if (c != '\\') {
        out->push_back(c);
        continue;
      }
      if (pos_ >= text_.size()) return Fail(error, "unterminated text");
      char e = text_[pos_++];
      switch (e) {
        case 'n':
          out->push_back('\n');
          break;
        case 't':
          out->push_back('\t');
          break;
        case 'r':
          out->push_back('\r');
          break;
        case 'a':
          out->push_back('\a');
          break;
        case '\\':
        case '"':
          out->push_back(e);
          break;
        case 'x': {
          int value = 0;
          int digits = 0;
          while (digits < 2 && pos_ < text_.size() &&
                 std::isxdigit(static_cast<unsigned char>(text_[pos_]))) {
            char d = text_[pos_++];
            value = value * 16 + (std::isdigit(static_cast<unsigned char>(d))
                                      ? d - '0'
                                      : std::toupper(static_cast<unsigned char>(d)) - 'A' + 10);
            ++digits;
          }
          if (digits == 0) return Fail(error, "bad \\x escape");
          out->push_back(static_cast<char>(value));
          break;
        }
        default:
          return Fail(error, std::string("unknown escape \\") + e);
      }
    }
  }

  std::string_view text_;
  size_t pos_ = 0;
  int line_ = 1;
  bool atLineStart_ = true;
};

// ---------------------------------------------------------------------------
// Names of constants
// ---------------------------------------------------------------------------

struct Constant {
  const char* name;
  DWORD value;
};

constexpr Constant kConstants[] = {
    // Window styles.
    {"WS_OVERLAPPED", 0x00000000},
    {"WS_POPUP", 0x80000000},
    {"WS_CHILD", 0x40000000},
    {"WS_MINIMIZE", 0x20000000},
    {"WS_VISIBLE", 0x10000000},
    {"WS_DISABLED", 0x08000000},
    {"WS_CLIPSIBLINGS", 0x04000000},
    {"WS_CLIPCHILDREN", 0x02000000},
    {"WS_MAXIMIZE", 0x01000000},
    {"WS_CAPTION", 0x00C00000},
    {"WS_BORDER", 0x00800000},
    {"WS_DLGFRAME", 0x00400000},
    {"WS_VSCROLL", 0x00200000},
    {"WS_HSCROLL", 0x00100000},
    {"WS_SYSMENU", 0x00080000},
    {"WS_THICKFRAME", 0x00040000},
    {"WS_GROUP", 0x00020000},
    {"WS_TABSTOP", 0x00010000},
    {"WS_MINIMIZEBOX", 0x00020000},
    {"WS_MAXIMIZEBOX", 0x00010000},
    // Extended window styles.
    {"WS_EX_DLGMODALFRAME", 0x00000001},
    {"WS_EX_NOPARENTNOTIFY", 0x00000004},
    {"WS_EX_TOPMOST", 0x00000008},
    {"WS_EX_TRANSPARENT", 0x00000020},
    {"WS_EX_TOOLWINDOW", 0x00000080},
    {"WS_EX_WINDOWEDGE", 0x00000100},
    {"WS_EX_CLIENTEDGE", 0x00000200},
    {"WS_EX_CONTEXTHELP", 0x00000400},
    {"WS_EX_CONTROLPARENT", 0x00010000},
    {"WS_EX_STATICEDGE", 0x00020000},
    // Dialog styles.
    {"DS_ABSALIGN", 0x0001},
    {"DS_SYSMODAL", 0x0002},
    {"DS_3DLOOK", 0x0004},
    {"DS_FIXEDSYS", 0x0008},
    {"DS_NOFAILCREATE", 0x0010},
    {"DS_LOCALEDIT", 0x0020},
    {"DS_SETFONT", 0x0040},
    {"DS_MODALFRAME", 0x0080},
    {"DS_NOIDLEMSG", 0x0100},
    {"DS_SETFOREGROUND", 0x0200},
    {"DS_CONTROL", 0x0400},
    {"DS_CENTER", 0x0800},
    {"DS_CENTERMOUSE", 0x1000},
    {"DS_CONTEXTHELP", 0x2000},
    {"DS_SHELLFONT", 0x0048},
    // Edit controls.
    {"ES_LEFT", 0x0000},
    {"ES_CENTER", 0x0001},
    {"ES_RIGHT", 0x0002},
    {"ES_MULTILINE", 0x0004},
    {"ES_UPPERCASE", 0x0008},
    {"ES_LOWERCASE", 0x0010},
    {"ES_PASSWORD", 0x0020},
    {"ES_AUTOVSCROLL", 0x0040},
    {"ES_AUTOHSCROLL", 0x0080},
    {"ES_NOHIDESEL", 0x0100},
    {"ES_OEMCONVERT", 0x0400},
    {"ES_READONLY", 0x0800},
    {"ES_WANTRETURN", 0x1000},
    {"ES_NUMBER", 0x2000},
    // List boxes.
    {"LBS_NOTIFY", 0x0001},
    {"LBS_SORT", 0x0002},
    {"LBS_NOREDRAW", 0x0004},
    {"LBS_MULTIPLESEL", 0x0008},
    {"LBS_OWNERDRAWFIXED", 0x0010},
    {"LBS_OWNERDRAWVARIABLE", 0x0020},
    {"LBS_HASSTRINGS", 0x0040},
    {"LBS_USETABSTOPS", 0x0080},
    {"LBS_NOINTEGRALHEIGHT", 0x0100},
    {"LBS_MULTICOLUMN", 0x0200},
    {"LBS_WANTKEYBOARDINPUT", 0x0400},
    {"LBS_EXTENDEDSEL", 0x0800},
    {"LBS_DISABLENOSCROLL", 0x1000},
    {"LBS_NODATA", 0x2000},
    {"LBS_NOSEL", 0x4000},
    {"LBS_STANDARD", 0x00A00003},
    // Static controls.
    {"SS_LEFT", 0x0000},
    {"SS_CENTER", 0x0001},
    {"SS_RIGHT", 0x0002},
    {"SS_ICON", 0x0003},
    {"SS_BLACKRECT", 0x0004},
    {"SS_GRAYRECT", 0x0005},
    {"SS_WHITERECT", 0x0006},
    {"SS_BLACKFRAME", 0x0007},
    {"SS_GRAYFRAME", 0x0008},
    {"SS_WHITEFRAME", 0x0009},
    {"SS_SIMPLE", 0x000B},
    {"SS_LEFTNOWORDWRAP", 0x000C},
    {"SS_BITMAP", 0x000E},
    {"SS_NOPREFIX", 0x0080},
    {"SS_NOTIFY", 0x0100},
    {"SS_CENTERIMAGE", 0x0200},
    {"SS_SUNKEN", 0x1000},
    // Buttons.
    {"BS_PUSHBUTTON", 0x0000},
    {"BS_DEFPUSHBUTTON", 0x0001},
    {"BS_CHECKBOX", 0x0002},
    {"BS_AUTOCHECKBOX", 0x0003},
    {"BS_RADIOBUTTON", 0x0004},
    {"BS_3STATE", 0x0005},
    {"BS_AUTO3STATE", 0x0006},
    {"BS_GROUPBOX", 0x0007},
    {"BS_AUTORADIOBUTTON", 0x0009},
    {"BS_OWNERDRAW", 0x000B},
    {"BS_LEFTTEXT", 0x0020},
    {"BS_MULTILINE", 0x2000},
    {"BS_FLAT", 0x8000},
    // Languages.
    {"LANG_NEUTRAL", 0x00},
    {"LANG_GERMAN", 0x07},
    {"LANG_ENGLISH", 0x09},
    {"LANG_FRENCH", 0x0C},
    {"SUBLANG_NEUTRAL", 0x00},
    {"SUBLANG_DEFAULT", 0x01},
    {"SUBLANG_SYS_DEFAULT", 0x02},
    {"SUBLANG_ENGLISH_US", 0x01},
    {"SUBLANG_ENGLISH_UK", 0x02},
};

constexpr DWORD kChildBase = 0x40000000 | 0x10000000;  // WS_CHILD | WS_VISIBLE
constexpr DWORD kDefaultDialogStyle = 0x80000000 | 0x00800000 | 0x00080000;
constexpr DWORD kCaptionStyle = 0x00C00000;  // WS_CAPTION
constexpr DWORD kSetFontStyle = 0x0040;      // DS_SETFONT

// The control statements other than CONTROL.
struct ControlKind {
  const char* statement;
  const char* className;
  DWORD baseStyle;
  bool hasText;
};

constexpr ControlKind kControlKinds[] = {
    {"LTEXT", "STATIC", 0x0000 | 0x00020000, true},          // SS_LEFT | WS_GROUP
    {"CTEXT", "STATIC", 0x0001 | 0x00020000, true},          // SS_CENTER | WS_GROUP
    {"RTEXT", "STATIC", 0x0002 | 0x00020000, true},          // SS_RIGHT | WS_GROUP
    {"PUSHBUTTON", "BUTTON", 0x0000 | 0x00010000, true},     // BS_PUSHBUTTON | WS_TABSTOP
    {"DEFPUSHBUTTON", "BUTTON", 0x0001 | 0x00010000, true},  // BS_DEFPUSHBUTTON | WS_TABSTOP
    {"LISTBOX", "LISTBOX", 0x0001 | 0x00800000, false},      // LBS_NOTIFY | WS_BORDER
    {"EDITTEXT", "EDIT", 0x0000 | 0x00800000 | 0x00010000,
     false},                           // ES_LEFT | WS_BORDER | WS_TABSTOP
    {"ICON", "STATIC", 0x0003, true},  // SS_ICON
};

// The class keywords that CONTROL accepts without quotes.
constexpr const char* kClassKeywords[] = {"BUTTON",  "STATIC",   "EDIT",
                                          "LISTBOX", "COMBOBOX", "SCROLLBAR"};

constexpr const char* kMemoryOptions[] = {"MOVEABLE", "FIXED",      "PURE",        "IMPURE",
                                          "PRELOAD",  "LOADONCALL", "DISCARDABLE", "NONDISCARDABLE",
                                          "SHARED",   "NONSHARED"};

constexpr const char* kFileResourceTypes[] = {"ICON", "BITMAP", "CURSOR", "FONT", "RCDATA"};

template <typename List>
bool InList(const std::string& word, const List& list) {
  for (const char* entry : list)
    if (Upper(word) == entry) return true;
  return false;
}

// ---------------------------------------------------------------------------
// Statements
// ---------------------------------------------------------------------------

class Parser {
 public:
  Parser(std::vector<Token> tokens, ResourceScript* script, std::string* error)
      : tokens_(std::move(tokens)), script_(script), error_(error) {}

  bool Run() {
    while (Peek().kind != Token::End) {
      if (IsWord("LANGUAGE")) {
        Next();
        if (!Language(&language_)) return false;
        continue;
      }
      ResourceName name;
      if (!Name(&name)) return false;
      if (Peek().kind != Token::Word) return Fail("a resource type");
      std::string type = Upper(Next().text);
      if (type == "DIALOG" || type == "DIALOGEX") {
        if (!Dialog(name, type == "DIALOGEX")) return false;
      } else if (InList(type, kFileResourceTypes)) {
        SkipMemoryOptions();
        FileResource file;
        file.name = name;
        file.type = type;
        file.language = language_;
        if (Peek().kind != Token::Text) return Fail("a file name");
        file.file = Next().text;
        script_->files.push_back(file);
      } else {
        return Fail("DIALOG, DIALOGEX or a resource from a file", Previous());
      }
    }
    return true;
  }

 private:
  const Token& Peek() const { return tokens_[pos_]; }
  const Token& Previous() const { return tokens_[pos_ > 0 ? pos_ - 1 : 0]; }
  const Token& Next() {
    const Token& t = tokens_[pos_];
    if (t.kind != Token::End) ++pos_;
    return t;
  }
  bool IsWord(const char* word) const {
    return Peek().kind == Token::Word && Upper(Peek().text) == word;
  }
  bool IsPunct(char c) const { return Peek().kind == Token::Punct && Peek().text[0] == c; }
  bool Accept(char c) {
    if (!IsPunct(c)) return false;
    Next();
    return true;
  }
  bool Fail(const std::string& expected) { return Fail(expected, Peek()); }
  bool Fail(const std::string& expected, const Token& found) {
    *error_ = "line " + std::to_string(found.line) + ": expected " + expected + ", found " +
              Describe(found);
    return false;
  }
  bool Expect(char c) {
    if (Accept(c)) return true;
    return Fail(std::string("\"") + c + "\"");
  }

  // number := unary { ("|" | "+" | "-" | "&") unary }
  bool Number(long long* value) {
    if (!Unary(value)) return false;
    for (;;) {
      if (!(IsPunct('|') || IsPunct('+') || IsPunct('-') || IsPunct('&'))) return true;
      char op = Next().text[0];
      long long right = 0;
      if (!Unary(&right)) return false;
      switch (op) {
        case '|':
          *value |= right;
          break;
        case '+':
          *value += right;
          break;
        case '-':
          *value -= right;
          break;
        default:
          *value &= right;
          break;
      }
    }
  }

  bool Unary(long long* value) {
    if (Accept('-')) {
      if (!Unary(value)) return false;
      *value = -*value;
      return true;
    }
    if (Accept('~')) {
      if (!Unary(value)) return false;
      *value = ~*value;
      return true;
    }
    if (Accept('(')) return Number(value) && Expect(')');
    if (Peek().kind == Token::Number) {
      *value = Next().value;
      return true;
    }
    if (Peek().kind == Token::Word) {
      for (const Constant& c : kConstants) {
        if (Peek().text == c.name) {
          Next();
          *value = c.value;
          return true;
        }
      }
      return Fail("a number or a known constant");
    }
    return Fail("a number");
  }

  bool Int(int* value) {
    long long v = 0;
    if (!Number(&v)) return false;
    *value = static_cast<int>(v);
    return true;
  }

  bool Dword(DWORD* value) {
    long long v = 0;
    if (!Number(&v)) return false;
    *value = static_cast<DWORD>(v);
    return true;
  }

  // style := ["NOT"] number { "|" ["NOT"] number }, applied to base.
  bool Style(DWORD base, DWORD* style) {
    DWORD on = 0;
    DWORD off = 0;
    for (;;) {
      bool negate = false;
      if (IsWord("NOT")) {
        Next();
        negate = true;
      }
      long long value = 0;
      if (!Unary(&value)) return false;
      while (IsPunct('+') || IsPunct('-') || IsPunct('&')) {
        char op = Next().text[0];
        long long right = 0;
        if (!Unary(&right)) return false;
        value = op == '+' ? value + right : op == '-' ? value - right : value & right;
      }
      if (negate)
        off |= static_cast<DWORD>(value);
      else
        on |= static_cast<DWORD>(value);
      if (!Accept('|')) break;
    }
    *style = (base | on) & ~off;
    return true;
  }

  bool Name(ResourceName* name) {
    const Token& t = Peek();
    if (t.kind == Token::Number) {
      name->isOrdinal = true;
      name->ordinal = static_cast<int>(t.value & 0xFFFF);
    } else if (t.kind == Token::Word || t.kind == Token::Text) {
      // Resource names are stored in capitals; lookups ignore case.
      name->text = Upper(t.text);
    } else {
      return Fail("a resource name");
    }
    Next();
    return true;
  }

  // A control's text: a quoted text, or an ordinal (an icon's number).
  bool ControlText(ResourceName* text) {
    const Token& t = Peek();
    if (t.kind == Token::Text) {
      text->text = t.text;
    } else if (t.kind == Token::Number) {
      text->isOrdinal = true;
      text->ordinal = static_cast<int>(t.value & 0xFFFF);
    } else if (t.kind == Token::Word) {
      text->text = t.text;  // an icon named without quotes
    } else {
      return Fail("a control text");
    }
    Next();
    return true;
  }

  bool Language(WORD* language) {
    int primary = 0;
    int sub = 0;
    if (!Int(&primary) || !Expect(',') || !Int(&sub)) return false;
    *language = static_cast<WORD>((primary & 0x3FF) | (sub << 10));
    return true;
  }

  void SkipMemoryOptions() {
    while (Peek().kind == Token::Word && InList(Peek().text, kMemoryOptions)) Next();
  }

  bool Begin() {
    if (IsWord("BEGIN") || IsPunct('{')) {
      Next();
      return true;
    }
    return Fail("BEGIN");
  }
  bool AtEnd() const { return IsWord("END") || IsPunct('}'); }

  bool Dialog(const ResourceName& name, bool extended) {
    DialogTemplate d;
    d.name = name;
    d.extended = extended;
    d.language = language_;
    SkipMemoryOptions();
    if (!Int(&d.x) || !Expect(',') || !Int(&d.y) || !Expect(',') || !Int(&d.width) ||
        !Expect(',') || !Int(&d.height))
      return false;
    if (extended && Accept(',') && !Dword(&d.helpId)) return false;
    d.style = kDefaultDialogStyle;
    bool hasCaption = false;
    while (!IsWord("BEGIN") && !IsPunct('{')) {
      if (Peek().kind != Token::Word) return Fail("a dialog option or BEGIN");
      std::string option = Upper(Next().text);
      if (option == "STYLE") {
        if (!Style(0, &d.style)) return false;
      } else if (option == "EXSTYLE") {
        if (!Dword(&d.exStyle)) return false;
      } else if (option == "CAPTION") {
        if (Peek().kind != Token::Text) return Fail("the caption text");
        d.caption = Next().text;
        hasCaption = true;
      } else if (option == "FONT") {
        if (!Int(&d.fontSize) || !Expect(',')) return false;
        if (Peek().kind != Token::Text) return Fail("the font name");
        d.fontName = Next().text;
        if (extended && Accept(',')) {
          int italic = 0;
          if (!Int(&d.fontWeight) || !Expect(',') || !Int(&italic)) return false;
          d.fontItalic = italic != 0;
          if (Accept(',') && !Int(&d.fontCharset)) return false;
        }
      } else if (option == "CLASS") {
        if (!ControlText(&d.className)) return false;
      } else if (option == "MENU") {
        if (!Name(&d.menu)) return false;
      } else if (option == "LANGUAGE") {
        if (!Language(&d.language)) return false;
      } else if (option == "CHARACTERISTICS" || option == "VERSION") {
        long long ignored = 0;
        if (!Number(&ignored)) return false;
      } else {
        return Fail("a dialog option or BEGIN", Previous());
      }
    }
    if (hasCaption) d.style |= kCaptionStyle;
    if (d.fontSize != 0 || !d.fontName.empty()) d.style |= kSetFontStyle;
    if (!Begin()) return false;
    while (!AtEnd()) {
      Control c;
      if (!ControlStatement(extended, &c)) return false;
      d.controls.push_back(c);
    }
    Next();
    script_->dialogs.push_back(std::move(d));
    return true;
  }

  bool Rect(Control* c) {
    return Int(&c->x) && Expect(',') && Int(&c->y) && Expect(',') && Int(&c->width) &&
           Expect(',') && Int(&c->height);
  }

  // The optional ", exstyle [, helpid]" at the end of a control.
  bool ExtendedTail(bool extended, Control* c) {
    if (!Accept(',')) return true;
    if (!Dword(&c->exStyle)) return false;
    if (extended && Accept(',') && !Dword(&c->helpId)) return false;
    return true;
  }

  bool ControlStatement(bool extended, Control* c) {
    if (Peek().kind != Token::Word) return Fail("a control statement or END");
    c->statement = Upper(Next().text);
    int id = 0;
    if (c->statement == "CONTROL") {
      if (!ControlText(&c->text) || !Expect(',') || !Int(&id) || !Expect(',')) return false;
      if (Peek().kind == Token::Text) {
        c->className = Next().text;
      } else if (Peek().kind == Token::Word && InList(Peek().text, kClassKeywords)) {
        c->className = Upper(Next().text);
      } else {
        return Fail("a window class");
      }
      if (!Expect(',') || !Style(kChildBase, &c->style) || !Expect(',') || !Rect(c) ||
          !ExtendedTail(extended, c))
        return false;
    } else {
      const ControlKind* kind = nullptr;
      for (const ControlKind& k : kControlKinds)
        if (c->statement == k.statement) kind = &k;
      if (kind == nullptr) return Fail("a control statement or END", Previous());
      c->className = kind->className;
      if (kind->hasText && (!ControlText(&c->text) || !Expect(','))) return false;
      if (!Int(&id) || !Expect(',')) return false;
      c->style = kChildBase | kind->baseStyle;
      if (c->statement == "ICON") {
        // Only the position counts; the control takes the icon's size.
        if (!Int(&c->x) || !Expect(',') || !Int(&c->y)) return false;
        if (Accept(',')) {
          int ignored = 0;
          if (!Int(&ignored) || !Expect(',') || !Int(&ignored)) return false;
        }
      } else if (!Rect(c)) {
        return false;
      }
      if (Accept(',')) {
        if (!Style(c->style, &c->style) || !ExtendedTail(extended, c)) return false;
      }
    }
    c->id = extended ? id : static_cast<SHORT>(id & 0xFFFF);
    return true;
  }

  std::vector<Token> tokens_;
  size_t pos_ = 0;
  ResourceScript* script_;
  std::string* error_;
  WORD language_ = 0;
};

// ---------------------------------------------------------------------------
// Scripts of modules
// ---------------------------------------------------------------------------

struct Registry {
  std::map<HINSTANCE, const char*> registered;
  // Parsed scripts by their text; null for a script that did not parse.
  std::map<const char*, std::unique_ptr<ResourceScript>> parsed;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

constexpr char kScriptSymbol[] = "HostResourceScript";

}  // namespace

std::string ResourceName::Display() const { return isOrdinal ? std::to_string(ordinal) : text; }

bool ResourceName::Matches(LPCSTR name) const {
  if (name == nullptr) return false;
  if (IS_INTRESOURCE(name)) return isOrdinal && ordinal == LOWORD(name);
  // "#n" names resource n, as FindResource reads it.
  if (name[0] == '#') {
    char* end = nullptr;
    long value = std::strtol(name + 1, &end, 10);
    return end != name + 1 && *end == '\0' && isOrdinal && ordinal == static_cast<int>(value);
  }
  return !isOrdinal && EqualNoCase(text, name);
}

const Control* DialogTemplate::FindControl(int id) const {
  for (const Control& c : controls)
    if (c.id == id) return &c;
  return nullptr;
}

const DialogTemplate* ResourceScript::FindDialog(LPCSTR name) const {
  for (const DialogTemplate& d : dialogs)
    if (d.name.Matches(name)) return &d;
  return nullptr;
}

bool ParseResourceScript(std::string_view text, ResourceScript* script, std::string* error) {
  std::vector<Token> tokens;
  *script = ResourceScript();
  if (!Lexer(text).Run(&tokens, error)) return false;
  Parser parser(std::move(tokens), script, error);
  if (parser.Run()) return true;
  *script = ResourceScript();
  return false;
}

const ResourceScript* ResourcesOf(HINSTANCE instance) {
  Registry& registry = TheRegistry();
  const char* text = nullptr;
  auto found = registry.registered.find(instance);
  if (found != registry.registered.end()) {
    text = found->second;
  } else if (instance == nullptr) {
    // The process image's own resources, as on Windows.
    text = static_cast<const char*>(dlsym(RTLD_DEFAULT, kScriptSymbol));
  } else {
    // Looking the symbol up must not change what the module sees as its
    // last error.
    DWORD lastError = GetLastError();
    text = reinterpret_cast<const char*>(GetProcAddress(instance, kScriptSymbol));
    SetLastError(lastError);
  }
  if (text == nullptr) return nullptr;
  auto parsed = registry.parsed.find(text);
  if (parsed != registry.parsed.end()) return parsed->second.get();
  auto script = std::make_unique<ResourceScript>();
  std::string error;
  if (!ParseResourceScript(text, script.get(), &error)) {
    std::fprintf(stderr, "host: the module's resource script: %s\n", error.c_str());
    script.reset();
  }
  return (registry.parsed[text] = std::move(script)).get();
}

void RegisterResourceScript(HINSTANCE instance, const char* text) {
  if (text == nullptr)
    TheRegistry().registered.erase(instance);
  else
    TheRegistry().registered[instance] = text;
}

void ResetResourceScripts() {
  TheRegistry().registered.clear();
  TheRegistry().parsed.clear();
}

int DialogUnitsToPixelsX(int units) { return units * kBaseUnitX / 4; }
int DialogUnitsToPixelsY(int units) { return units * kBaseUnitY / 8; }

}  // namespace host::rc
