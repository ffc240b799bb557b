#pragma once
// The Directories page of the settings dialog ("Pg_Directory"): the five folders of profiles, timed
// scripts, media files, disc images and play lists. Each chooser opens on the folder as saved.
#include <QWidget>

class IConfigChoosers;
struct Tag_VokradConfig;

class TConfigDirectoryPage : public QWidget {
    Q_OBJECT
public:
    // The saved folders are read from `saved` each time a chooser opens.
    TConfigDirectoryPage(IConfigChoosers& choosers, const Tag_VokradConfig& saved, QWidget* parent = nullptr);
};
