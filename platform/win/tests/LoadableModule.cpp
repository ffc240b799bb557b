// A small library that the library tests load at run time.
extern "C" int LoadableModuleAnswer(int question) {
    return question * 2 + 1;
}
