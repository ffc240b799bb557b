#include "player/model/storage/CreateFolderOfFile.h"

#include "platform/text/CodePage.h"
#include "platform/text/Path.h"

#include <sys/stat.h>

void CreateFolderOfFile(std::u16string_view path) {
    const std::string folder =
        plat::text::path::Normalize(plat::text::path::Folder(plat::text::WideToAnsi(path)));
    if (!folder.empty()) {
        ::mkdir(folder.c_str(), 0777);
    }
}
