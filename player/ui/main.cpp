#include "player/ui/TPlayerStartup.h"

int main(int argc, char** argv) {
    return TPlayerStartup::Run(argc, argv);
}
