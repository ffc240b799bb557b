#pragma once
// Finds the ".sdf" definition files of a folder and reads them into the registry.
#include "plugins/decoders/tamble/TFormatRegistry.h"

#include <string>

// Reads every "*.sdf" of the folder (extension compared without regard to case, in name order) as
// SubjectText reads a subtitle file: UTF-16LE after an FF FE mark, otherwise by its mark, as UTF-8
// when valid, else in the detected code page. Answers how many files gave text; files that cannot be
// read are skipped.
int LoadDefinitionFolder(TFormatRegistry& registry, const std::string& folder);
