// INF file and INF field members of the checked wrappers.
#include "toolkit/bounded_text.h"
#include "toolkit/checked_wrappers.h"
#include "toolkit/fail_fast.h"
#include "toolkit/session.h"
#include "toolkit/toolkit_api.h"

namespace {

// FOpenInf: check the INF's lines, not its symbols.
constexpr BOOL kCheckLines = 1;
constexpr BOOL kCheckSymbols = 0;

// The fields of an INF line that the members read, numbered from 1; field
// 15 holds a number.
constexpr USHORT kField1 = 1;
constexpr USHORT kField5 = 5;
constexpr USHORT kField11 = 11;
constexpr USHORT kField15 = 15;
constexpr USHORT kField19 = 19;

// The numeric field's text: 127 characters fit.
constexpr int kNumberFieldSize = 128;

// CbGetInfSectionKeyField's answer for a missing key or field.
constexpr int kFieldMissing = -1;

LPSTR ReadField(LPCSTR section, LPCSTR key, USHORT field, LPSTR buffer, int size) {
  int length = CbGetInfSectionKeyField(section, key, field, buffer, size);
  // The overflow test comes first: -1 is below every positive size.
  FailOnOverflow(length, size);
  if (length == kFieldMissing) SetupErrorExit(SetupErrorFail);
  return buffer;
}

void ListField(LPCSTR symbol, LPCSTR section, USHORT field) {
  FailUnless(FMakeListInfSectionField(symbol, section, field));
}

}  // namespace

void OpenInfChecked(LPCSTR file) { FailUnless(FOpenInf(file, kCheckLines, kCheckSymbols)); }

LPSTR ReadInfKeyField1(LPCSTR section, LPCSTR key, LPSTR buffer, int size) {
  return ReadField(section, key, kField1, buffer, size);
}

LPSTR ReadInfKeyField5(LPCSTR section, LPCSTR key, LPSTR buffer, int size) {
  return ReadField(section, key, kField5, buffer, size);
}

LPSTR ReadInfKeyField19(LPCSTR section, LPCSTR key, LPSTR buffer, int size) {
  return ReadField(section, key, kField19, buffer, size);
}

LONG ReadInfKeyField15Number(LPCSTR section, LPCSTR key) {
  char field[kNumberFieldSize] = {};
  ReadField(section, key, kField15, field, kNumberFieldSize);
  // A toolkit that left the text unterminated must not run the conversion
  // past the buffer.
  field[kNumberFieldSize - 1] = '\0';
  return ReadDecimal(field);
}

void ListInfField1Checked(LPCSTR symbol, LPCSTR section) { ListField(symbol, section, kField1); }

void ListInfField5Checked(LPCSTR symbol, LPCSTR section) { ListField(symbol, section, kField5); }

void ListInfField11Checked(LPCSTR symbol, LPCSTR section) { ListField(symbol, section, kField11); }

void ListInfField15Checked(LPCSTR symbol, LPCSTR section) { ListField(symbol, section, kField15); }

void ListInfField19Checked(LPCSTR symbol, LPCSTR section) { ListField(symbol, section, kField19); }
