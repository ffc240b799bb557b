#include "editor/ui/TPellitStartup.h"

int main(int argc, char** argv) {
    return TPellitStartup::Run(argc, argv);
}
