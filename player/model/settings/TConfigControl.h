#pragma once
// The settings base class of both programs. It reads and writes the common part of the settings file
// (the default subtitle style, file paths, style override, DVD drive, colour key, general keys and
// custom graph names) into the program's Tag_VokradConfig and the script model's default style; it
// chooses the graph description the core builds for a medium (a DVD, or a media file by its FourCC,
// its extension or the default) and hands it to the player hub; and it is the model behind the graph
// pages of the settings dialog: graph files written from and read into the dialog's controls, and the
// dialog's filter lists filled from the program's folders and the core's list of filters.
#include "foundation/IniFile.h"
#include "player/model/settings/IConfigForm.h"
#include "player/model/settings/TFilterLists.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class TMainControl;
class TPlayControl;

class TConfigControl {
public:
    // Kinds of media of LoadGraphForFile.
    static constexpr std::int32_t kDvdMedia = 0;
    static constexpr std::int32_t kMediaFile = 1;
    static constexpr std::int32_t kTranscriberMedia = 2;
    // Graph file types of ListGraphFiles, by extension.
    static constexpr std::int32_t kXgrFile = 1;
    static constexpr std::int32_t kExgrFile = 2;
    static constexpr std::int32_t kGrfFile = 3;
    static constexpr std::int32_t kDvdGraphFile = 4;
    static constexpr std::int32_t kMediaGraphFile = 5;

    TConfigControl() = default;
    virtual ~TConfigControl() = default;
    TConfigControl(const TConfigControl&) = delete;
    TConfigControl& operator=(const TConfigControl&) = delete;

    // Remembers the path and reads every common key (a missing or malformed value takes its default)
    // into the program's record and the default style. False, changing nothing else, when the file
    // exists but cannot be read; a file that does not exist loads every default.
    virtual bool Load(const char* path);
    // Remembers the path and writes every common key into the file, keeping all its other sections,
    // keys, comments and bytes. False on any failure (the file then stays as it was).
    virtual bool Save(const char* path);
    // Save with the remembered file name.
    virtual bool SaveToCurrentFile();
    // Loads the graph description for the medium into the hub and sets the graph variable "FileName";
    // nothing without a hub. `product` names the default graph files ("tovrin").
    virtual void LoadGraphForFile(const char* product, TPlayControl* hub, std::int32_t kind,
                                  const char16_t* mediaFile);

    // The program folder; the skins, filters and graph folders are derived from it.
    void SetRootFolder(const std::string& root);
    // Writes General / NotFirstStart = 1 into the remembered file; failures are swallowed.
    void MarkNotFirstStart();

    // The default graph description of a media file (kind 1) or a transcriber (kind 2): the file for
    // the AVI file's video FourCC, else the one for its extension, when it exists in the media graph
    // folder (names compared without regard to case), else the default name, unchecked. `dot` points
    // at the last dot of the file name, nullptr when it has none; a dot before the last separator
    // (in a folder's name) is no extension.
    std::u16string FindDefaultGraph(const char* product, std::int32_t kind, const char16_t* fileName,
                                    const char16_t* dot) const;

    // The dialog's model operations. A control the form lacks is skipped. Without a form, the core is
    // asked for its filters only when the lists are first needed (a program's start then does not
    // wait for the core's media framework).
    void FillConfigForm(TMainControl* mainControl, IConfigForm* form);
    // Refills the decoder and renderer lists from the core's list of common filters; nothing until a
    // main control is bound.
    void FillFilterCombos(IConfigForm* form);
    // Takes the decoders and renderers of a FILTERENUM document into the lists (a class id already
    // listed is skipped with its name); false, with the lists emptied, when it is not one.
    bool FillFromFilterEnum(const char16_t* xml);
    void FillFiltersLists(IConfigForm* form);
    static void ScanFilterFiles(const std::string& folder, TNamedList& list, bool allowPatches);
    static void FillFilterGrid(IConfigForm* form, const TNamedList& list, IConfigGrid* grid);
    static void ListGraphFiles(IConfigForm* form, const std::string& folder, IConfigChoice* choice);
    void FillDefaultGraphList(IConfigForm* form, const char* product);
    static void ListDefaultGraphs(IConfigForm* form, const std::string& folder, const char* product,
                                  IConfigGrid* grid);
    // Kinds TGraphControls::kDvd, kMedia, kTranscriber. False when nothing was written.
    bool WriteGraphFile(IConfigForm* form, const char* fileName, bool banner, std::int32_t kind);
    void ReadGraphFile(IConfigForm* form, const char* fileName, bool gridBitsOnly, std::int32_t kind);

    const std::string& IniFileName() const { return iniFileName_; }
    const std::string& RootFolder() const { return rootFolder_; }
    const std::string& SkinsFolder() const { return skinsFolder_; }
    const std::string& MediaFiltersFolder() const { return mediaFiltersFolder_; }
    const std::string& DVDFiltersFolder() const { return dvdFiltersFolder_; }
    const std::string& DVDGraphFolder() const { return dvdGraphFolder_; }
    const std::string& MediaGraphFolder() const { return mediaGraphFolder_; }
    const TFilterLists& Lists() { return FilterLists(); }

protected:
    // Remembers the path and reads the file whole; false when it exists but cannot be read.
    bool OpenIni(const char* path, IniFile& ini);
    void ReadCommonKeys(IniFile& ini) const;
    // False when a value cannot be written.
    bool WriteCommonKeys(IniFile& ini) const;
    // One key of the remembered file; "" when there is none or the file cannot be read.
    std::string ReadKey(std::string_view section, std::string_view key) const;
    // Applies the change to the remembered file and writes it back; nothing when no file is
    // remembered, the file cannot be read or the change fails. Failures are swallowed.
    void ChangeFile(const std::function<bool(IniFile&)>& change) const;
    // The folder's file of that name, found without regard to case; the joined name when none exists.
    static std::string FileInFolder(const std::string& folder, const std::string& name);

private:
    // The lists, with the core's filters fetched first when FillConfigForm left them owed.
    TFilterLists& FilterLists();
    std::u16string GraphOfKind(const char* product, std::int32_t kind, const char16_t* mediaFile) const;

    TFilterLists lists_;
    std::string iniFileName_;
    std::string rootFolder_;
    std::string skinsFolder_;
    std::string mediaFiltersFolder_;
    std::string dvdFiltersFolder_;
    std::string dvdGraphFolder_;
    std::string mediaGraphFolder_;
    TMainControl* mainControl_ = nullptr;
    bool filtersOwed_ = false;
};
