#include "subtitles/profiles/TVolumesWriter.h"

#include "foundation/TMemoryObject.h"
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TVolume.h"

void TVolumesWriter::Write(const TDVDProfile& profile, TMemoryObject& out) {
    out.SetUsed(0);
    TVolumesWriter writer(profile, out);
    writer.WriteHeader();
    for (const TVolume* volume = profile.Volumes.Head; volume; volume = volume->Next) {
        writer.WriteVolume(*volume);
        writer.WriteLanguages(*volume);
    }
    writer.WriteTrailer();
}

TVolumesWriter::TVolumesWriter(const TDVDProfile& profile, TMemoryObject& out)
    : profile_(profile), out_(out) {}

void TVolumesWriter::WriteHeader() {
    const TProfileHeader& header = profile_.Header;
    out_.AppendFormatA(";***********************************************************\r\n"
                       ";****   Tovrin Volume profile                        ****\r\n"
                       ";***********************************************************\r\n\r\n\r\n");
    out_.AppendFormatA(
        "[Header]\r\nTitle: %s\r\nCreated By: %s\r\nVersion: %s\r\nLast Update: %s\r\n\r\n\r\n", header.Title,
        header.CreatedBy, header.Version, header.LastUpdate);
    out_.AppendFormatA("[Volumes]\r\n");
}

void TVolumesWriter::WriteVolume(const TVolume& volume) {
    static constexpr const char* kStars =
        ";******************************************************************\r\n";
    out_.AppendFormatA("%sVolume: %s\r\n%s\r\n", kStars, volume.Name, kStars);
    out_.AppendFormatA("Created By: %s\r\nVersion: %s\r\nLast Update: %s\r\nStudio: %s\r\nPart Number: %s\r\n"
                       "Region: %d\r\n",
                       volume.CreatedBy, volume.Version, volume.LastUpdate, volume.Studio, volume.PartNumber,
                       int{volume.Region});
    for (std::size_t slot = 0; slot < TVolume::kIdSlots; ++slot) {
        if (volume.HasIdPair(slot)) {
            out_.AppendFormatA("IDHigh: %d\r\nIDLow: %d\r\n", volume.IDHigh[slot], volume.IDLow[slot]);
        }
    }
    if (volume.ChapterChange != 0) {
        out_.AppendFormatA("UseChapterChange:\r\n");
    }
    out_.AppendFormatA("\r\n");
}

void TVolumesWriter::WriteLanguages(const TVolume& volume) {
    static constexpr const char* kDashes = ";---------------------------\r\n";
    for (const TLanguage* language = volume.Languages.Head; language; language = language->Next) {
        ++number_;
        out_.AppendFormatA("%sLanguage: %ls\r\n\r\nScript: %d-%ls.ds\r\n%s\r\n", kDashes, language->Name,
                           number_, language->Name, kDashes);
    }
}

void TVolumesWriter::WriteTrailer() {
    out_.AppendFormatA("\r\n\r\n;Written by Pellit3, the subtitle editor of Tovrin\r\n"
                       ";Volumes of the profile, each with its languages\r\n");
}
