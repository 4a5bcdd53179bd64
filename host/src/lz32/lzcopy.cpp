// LZCopy: copies a file, expanding the SZDD format of COMPRESS.EXE with
// libmspack. libmspack reads and writes only through the mspack_system given
// to it, which here goes through _lread, _lwrite and _llseek, so the host's
// faults (failed reads and writes, a full disk) reach the copy.
//
// libmspack hands the expansion its output one byte at a time; the bytes are
// gathered and written in blocks of kCopyChunk, so that a large file does not
// cost one _lwrite per byte. Its input it already reads in blocks of its own.

#include <mspack.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "kernel32/files/files_internal.h"
#include "winapi.h"

namespace host {
namespace {

// The SZDD header: magic, method, the name's missing character, the length.
constexpr unsigned char kSzddMagic[8] = {'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33};
constexpr size_t kSzddHeaderSize = 14;
constexpr char kSzddMethod = 'A';
constexpr UINT kCopyChunk = 4096;
// A file that is not compressed is copied in larger pieces.
constexpr UINT kPlainChunk = 65536;

// The names libmspack is asked to open stand for the two handles.
constexpr char kSourceName[] = "source";
constexpr char kDestinationName[] = "destination";

struct HandleSystem {
  mspack_system base;  // first, so that libmspack's pointer is ours
  HFILE source;
  HFILE destination;
  LONG written;  // bytes the destination took
  // Expanded bytes not yet written, and whether a write has failed.
  char pending[kCopyChunk];
  UINT pendingBytes;
  bool writeFailed;
};

// Writes the gathered bytes; false (and every later write fails) when the
// destination did not take them whole.
bool Flush(HandleSystem* system) {
  if (system->writeFailed) return false;
  if (system->pendingBytes == 0) return true;
  UINT put = _lwrite(system->destination, system->pending, system->pendingBytes);
  if (put != system->pendingBytes) {
    system->writeFailed = true;
    return false;
  }
  system->written += static_cast<LONG>(put);
  system->pendingBytes = 0;
  return true;
}

struct HandleFile {
  HandleSystem* system;
  HFILE handle;
  bool output;
};

mspack_file* Open(mspack_system* self, const char* name, int mode) {
  HandleSystem* system = reinterpret_cast<HandleSystem*>(self);
  bool output = std::strcmp(name, kDestinationName) == 0;
  if (output != (mode == MSPACK_SYS_OPEN_WRITE)) return nullptr;
  HandleFile* file = new HandleFile{system, output ? system->destination : system->source, output};
  // The source is read from its start, as LZInit reads the header there.
  if (!output && _llseek(file->handle, 0, FILE_BEGIN) != 0) {
    delete file;
    return nullptr;
  }
  return reinterpret_cast<mspack_file*>(file);
}

void Close(mspack_file* file) { delete reinterpret_cast<HandleFile*>(file); }

int Read(mspack_file* file, void* buffer, int bytes) {
  HandleFile* f = reinterpret_cast<HandleFile*>(file);
  if (bytes < 0) return -1;
  UINT got = _lread(f->handle, buffer, static_cast<UINT>(bytes));
  return got == static_cast<UINT>(HFILE_ERROR) ? -1 : static_cast<int>(got);
}

int Write(mspack_file* file, void* buffer, int bytes) {
  HandleFile* f = reinterpret_cast<HandleFile*>(file);
  HandleSystem* system = f->system;
  if (bytes < 0 || !f->output || system->writeFailed) return -1;
  const char* from = static_cast<const char*>(buffer);
  for (int left = bytes; left > 0;) {
    if (system->pendingBytes == kCopyChunk && !Flush(system)) return -1;
    UINT room = kCopyChunk - system->pendingBytes;
    UINT piece = static_cast<UINT>(left) < room ? static_cast<UINT>(left) : room;
    std::memcpy(system->pending + system->pendingBytes, from, piece);
    system->pendingBytes += piece;
    from += piece;
    left -= static_cast<int>(piece);
  }
  return bytes;
}

int Seek(mspack_file* file, off_t offset, int mode) {
  HandleFile* f = reinterpret_cast<HandleFile*>(file);
  // The destination's position counts the gathered bytes once they are out.
  if (f->output && !Flush(f->system)) return -1;
  int origin = mode == MSPACK_SYS_SEEK_START ? FILE_BEGIN
               : mode == MSPACK_SYS_SEEK_CUR ? FILE_CURRENT
                                             : FILE_END;
  if (offset < -0x7fffffffL || offset > 0x7fffffffL) return -1;
  return _llseek(f->handle, static_cast<LONG>(offset), origin) == HFILE_ERROR ? -1 : 0;
}

off_t Tell(mspack_file* file) {
  HandleFile* f = reinterpret_cast<HandleFile*>(file);
  if (f->output && !Flush(f->system)) return -1;
  LONG position = _llseek(f->handle, 0, FILE_CURRENT);
  return position == HFILE_ERROR ? -1 : position;
}

void Message(mspack_file*, const char*, ...) {}
void* Alloc(mspack_system*, size_t bytes) { return std::malloc(bytes); }
void Free(void* memory) { std::free(memory); }
void Copy(void* source, void* destination, size_t bytes) {
  std::memmove(destination, source, bytes);
}

LONG ErrorOf(int mspackError) {
  switch (mspackError) {
    case MSPACK_ERR_WRITE:
      return LZERROR_WRITE;
    case MSPACK_ERR_NOMEMORY:
      return LZERROR_GLOBALLOC;
    case MSPACK_ERR_OPEN:
      return LZERROR_BADINHANDLE;
    default:  // read, seek, data format, decrunch: the source could not be read
      return LZERROR_READ;
  }
}

LONG Expand(HFILE source, HFILE destination) {
  HandleSystem system{};
  system.base.open = Open;
  system.base.close = Close;
  system.base.read = Read;
  system.base.write = Write;
  system.base.seek = Seek;
  system.base.tell = Tell;
  system.base.message = Message;
  system.base.alloc = Alloc;
  system.base.free = Free;
  system.base.copy = Copy;
  system.source = source;
  system.destination = destination;
  msszdd_decompressor* decompressor = mspack_create_szdd_decompressor(&system.base);
  if (decompressor == nullptr) return LZERROR_GLOBALLOC;
  int error = decompressor->decompress(decompressor, kSourceName, kDestinationName);
  mspack_destroy_szdd_decompressor(decompressor);
  // The last block goes out after the expansion, where its failure can still
  // fail the copy.
  if (error == MSPACK_ERR_OK && !Flush(&system)) error = MSPACK_ERR_WRITE;
  return error == MSPACK_ERR_OK ? system.written : ErrorOf(error);
}

LONG CopyUnchanged(HFILE source, HFILE destination) {
  if (_llseek(source, 0, FILE_BEGIN) != 0) return LZERROR_READ;
  LONG total = 0;
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[kPlainChunk]);
  if (!buffer) return LZERROR_GLOBALLOC;
  for (;;) {
    UINT got = _lread(source, buffer.get(), kPlainChunk);
    if (got == static_cast<UINT>(HFILE_ERROR)) return LZERROR_READ;
    if (got == 0) return total;
    if (_lwrite(destination, buffer.get(), got) != got) return LZERROR_WRITE;
    total += static_cast<LONG>(got);
  }
}

}  // namespace
}  // namespace host

extern "C" LONG WINAPI LZCopy(HFILE source, HFILE destination) {
  if (!host::IsOpenFile(source)) return LZERROR_BADINHANDLE;
  if (!host::IsOpenFile(destination)) return LZERROR_BADOUTHANDLE;
  unsigned char header[host::kSzddHeaderSize];
  if (_llseek(source, 0, FILE_BEGIN) != 0) return LZERROR_READ;
  UINT got = _lread(source, header, sizeof header);
  if (got == static_cast<UINT>(HFILE_ERROR)) return LZERROR_READ;
  // A file too short for the header, or without the magic, is not
  // compressed.
  if (got < sizeof header || std::memcmp(header, host::kSzddMagic, sizeof host::kSzddMagic) != 0)
    return host::CopyUnchanged(source, destination);
  if (header[8] != host::kSzddMethod) return LZERROR_UNKNOWNALG;
  return host::Expand(source, destination);
}
