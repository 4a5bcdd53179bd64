// Files for the benchmarks: generated contents, SZDD-compressed copies made
// once with mscompress and kept between runs, and the floor every measurement
// is compared with (libmspack's own stdio expansion, a plain buffered copy).
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace bench {

// The folder that keeps generated inputs between runs.
const std::string& DataDir();

// A scratch folder for this process, removed at exit.
const std::string& ScratchDir();

void WriteWholeFile(const std::string& path, const std::string& content);
std::string ReadWholeFile(const std::string& path);
// Copies a folder tree; false when a file could not be copied.
bool CopyTree(const std::string& from, const std::string& to);
void RemoveTree(const std::string& path);

// Program-like bytes: text records mixed with noise, about as compressible
// as a real executable. The same size always gives the same bytes.
std::string ProgramContent(size_t size);
// A system.ini of about `size` bytes: the sample machine's own sections with
// [386Enh] in the middle, padded with plausible entries.
std::string SystemIniContent(const std::string& sample, size_t size);

// DataDir()/NAME holding content, compressed with mscompress when compressed
// is set. Made once: a later run finds it there. Empty on failure.
std::string CachedFile(const std::string& name, size_t size, bool compressed);

// The floor: expands an SZDD file with libmspack's default (stdio) system,
// or copies any other file with a plain buffered copy. False on failure.
bool FloorCopy(const std::string& from, const std::string& to);
// A plain buffered copy into a new (or emptied) file.
bool BufferedCopy(const std::string& from, const std::string& to);
// The copy itself, between open streams.
bool CopyStream(std::FILE* in, std::FILE* out);
// The same over the bytes of an existing file, as the system.ini rewrite
// writes over system.ini (to must exist).
bool BufferedOverwrite(const std::string& from, const std::string& to);

}  // namespace bench
