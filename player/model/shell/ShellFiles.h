#pragma once
// The file utilities both programs use around the shell: deleting what a mask finds (the temporary
// folder is emptied at quit), creating a file's folder, and tests for files and DVD folders. Masks
// follow the Windows rules (platform/shell/FileMask.h); paths take '\' or '/'.
#include <string_view>

class TMemoryObject;

// Deletes every file (never a folder) that the mask with its folder finds.
void DeleteFilesA(const char* mask);
void DeleteFilesW(const char16_t* mask);

// Creates the folder before the path's last separator when it is missing (one level); nothing for a
// path without a separator.
void CreateParentFolder(std::u16string_view path);

// Whether something of exactly that name exists (a file or a folder); '*' and '?' are plain characters.
bool FileExistsW(const char16_t* path);

// Empties the buffer and, when the mask finds something, puts the first name found (without its
// folder, case-insensitive order) in it with a counted terminator and answers 1; else 0.
int FindFirstMatch(const char16_t* mask, TMemoryObject& buffer);

// Whether the folder holds a folder VIDEO_TS (its case not minded, as disc file systems differ).
// False for no text or an empty one.
bool IsDvdFolder(const char16_t* folder);
