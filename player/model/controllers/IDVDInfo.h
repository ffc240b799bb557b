#pragma once
// What the hub needs of the disc information ("Info.xml" of the per-disc folder).
class IDVDInfo {
public:
    virtual ~IDVDInfo() = default;
    virtual void Clear() = 0;
    // Reads the file (none for nullptr) and keeps its name.
    virtual void Load(const char16_t* file) = 0;
};
