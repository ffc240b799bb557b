#pragma once
// Whole-file reading and replacing writes for the foundation classes. Paths are UTF-8.
#include <cstddef>
#include <string>

namespace fileio {

// Reads the whole file into `bytes`. False, with `bytes` untouched, when the file cannot be opened
// or read, or is 4 GB or larger.
bool ReadWholeFile(const char* path, std::string& bytes);

// Writes every byte to an open file descriptor, retrying short and interrupted writes.
bool WriteAll(int fd, const char* data, std::size_t size);

// Writes the bytes to a new file in the same folder and renames it over `path`, so the old file
// stays intact unless every byte reached the disk. A file that already holds exactly these bytes is
// left as it is (no write, no flush to disk). False on any failure (nothing is left behind).
bool WriteWholeFile(const char* path, const void* data, std::size_t size);

} // namespace fileio
