// A separate process that saves bookmarks into one storage file, for the test of several processes
// saving at once: <file> <caption prefix> <count>. Exits 0 when every save succeeded.
#include "player/model/tests/storage/StateFileWriter.h"

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        return 2;
    }
    const std::string file = argv[1];
    const std::string prefix = argv[2];
    const int count = std::atoi(argv[3]);
    for (int i = 0; i < count; ++i) {
        const std::string caption = prefix + std::to_string(i);
        if (!StateFileWriter::AddIndexedState(file, caption, 1, static_cast<uint8_t>(i + 1), 1000u * i,
                                              "state of " + caption)) {
            return 1;
        }
    }
    return 0;
}
