// Makes the default skin archive: the hand-written skin script and the pictures drawn by
// DefaultSkinArtist, as BMP entries. Usage: make_default_skin <archive> <skin script>
#include "player/ui/skin/default/DefaultSkinArtist.h"
#include "subtitles/zip/TZipControl.h"

#include <QBuffer>
#include <QGuiApplication>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <archive> <skin script>\n", argv[0]);
        return 2;
    }
    QGuiApplication application(argc, argv);
    std::ifstream scriptFile(argv[2], std::ios::binary);
    const std::string script((std::istreambuf_iterator<char>(scriptFile)), std::istreambuf_iterator<char>());
    if (!scriptFile.good() && !scriptFile.eof()) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 1;
    }
    TZipControl zip;
    if (!zip.Create(argv[1]) ||
        !zip.AddEntry("skin.txt", script.data(), static_cast<uint32_t>(script.size()))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    for (const auto& [name, picture] : DefaultSkinArtist().Pictures()) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!picture.save(&buffer, "BMP") || !zip.AddEntry(name.toUtf8().constData(), bytes.constData(),
                                                           static_cast<uint32_t>(bytes.size()))) {
            std::fprintf(stderr, "cannot add %s\n", name.toUtf8().constData());
            zip.Discard();
            return 1;
        }
    }
    if (!zip.Close()) {
        std::fprintf(stderr, "cannot save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
