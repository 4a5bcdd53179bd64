// The stand-in toolkit's one record, shared by all its libraries: the calls
// with their arguments, the failure and result rules, the frame's result,
// quiet mode and its queued page outcomes, and what each library registers
// to forget its own state on a reset and to show it to a test.
//
// A plain C interface: on Windows the record is a DLL of its own
// (standin.dll) that the six toolkit DLLs and the test program import, so
// that they all see one record; natively it is part of the one toolkit
// library. Texts cross it as zero-terminated strings; a text handed back
// stays valid until the record changes.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Records a call of a toolkit function with its arguments (as the record
// shows them: quoted texts, NULL, decimal numbers). Nonzero when the call is
// to fail by a rule.
int RecordToolkitCall(const char* function, const char* const* arguments, int argumentCount);
// What the function's latest recorded call is to report instead of real
// (a rule set for that call wins over one for every call), else real.
long long RecordedCallResult(const char* function, long long real);

int RecordedCallCount(void);
// The index-th call (from 0): its function, number of arguments and
// arguments; NULL or 0 out of range.
const char* RecordedCallFunction(int index);
int RecordedCallArgumentCount(int index);
const char* RecordedCallArgument(int index, int argument);

// nth counts the function's calls from 1; 0 means every call.
void RecordFailureRule(const char* function, int nth);
void RecordResultRule(const char* function, int nth, long long value);

// The frame's result: from the machine ([toolkit] InitializeFrame=V) or a
// test, default 1.
int RecordedFrameResult(void);
void RecordFrameResult(int value);

// Another [toolkit] line of the machine (inf=C:\PKG\SETUP.INF ...), by its
// key case-insensitively; "" when the machine has none.
const char* RecordedToolkitSetting(const char* name);

// Quiet mode survives a reset; the queued outcomes do not.
int RecordedQuietMode(void);
void RecordQuietMode(int on);
void RecordPageOutcome(const char* outcome);
// Takes the next queued outcome ("CONTINUE" when none is left).
const char* TakeRecordedPageOutcome(void);

// A library's own state: forgotten on a reset, and shown to a test.
typedef void (*RecordResetHook)(void);
// Copies the symbol's value like the toolkit does (at most size - 1
// characters and the zero); its whole length, 0 when unset.
typedef int (*RecordSymbolReader)(const char* name, char* buffer, int size);
// Writes at most capacity page numbers, bottom first; the stack's height.
typedef int (*RecordPageStackReader)(int* numbers, int capacity);

void RecordOnReset(RecordResetHook hook);
void RecordSymbolSource(RecordSymbolReader reader);
void RecordPageStackSource(RecordPageStackReader reader);

// Forgets the calls, the rules, the frame's result, the queue and the
// configuration read from the machine, then runs every registered hook.
void ResetRecord(void);
int ReadRecordedSymbol(const char* name, char* buffer, int size);
int ReadRecordedPageStack(int* numbers, int capacity);

#ifdef __cplusplus
}
#endif
