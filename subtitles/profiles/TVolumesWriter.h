#pragma once
// Writes a profile's volume file "volumes.vl": the header, then each volume with its fields, its
// disc identifier pairs and its languages, whose language files are numbered across the whole file.
class TDVDProfile;
class TMemoryObject;
class TVolume;

class TVolumesWriter {
public:
    // Empties `out` and writes the profile's volume file into it as 8-bit text.
    static void Write(const TDVDProfile& profile, TMemoryObject& out);

private:
    TVolumesWriter(const TDVDProfile& profile, TMemoryObject& out);
    void WriteHeader();
    void WriteVolume(const TVolume& volume);
    void WriteLanguages(const TVolume& volume);
    void WriteTrailer();

    const TDVDProfile& profile_;
    TMemoryObject& out_;
    int number_ = 0; // of the last language file named
};
