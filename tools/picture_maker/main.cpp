// Draws the game's pictures into the game folder: the symbol and label sheets, the route
// markers, the dialog backgrounds, the electoral map and, from a compiled start point, the map
// and the minimap. Optional PNG copies are for people to look at.
//   picture_maker --out DIR [--png DIR] [--game START.kvt]
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <memory>
#include <string>

#include "engine/turn/automatic_frontend.h"
#include "engine/world/game_files.h"
#include "tools/picture_maker/dialog_backgrounds.h"
#include "tools/picture_maker/election_map.h"
#include "tools/picture_maker/map_pictures.h"
#include "tools/picture_maker/symbol_sheets.h"

namespace {

std::string outDir;
std::string pngDir;

bool Write(const QImage& image, const std::string& name) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const std::string path = outDir + "/" + name;
    if (!rgb.save(QString::fromStdString(path), "BMP")) {
        std::fprintf(stderr, "picture_maker: cannot write %s\n", path.c_str());
        return false;
    }
    if (!pngDir.empty()) {
        const std::string png = pngDir + "/" + name.substr(0, name.rfind('.')) + ".png";
        rgb.save(QString::fromStdString(png), "PNG");
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    kvt::InstallAutomaticFrontendAsDefault();
    QGuiApplication app(argc, argv);
    std::string game;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        if (key == "--out") outDir = argv[i + 1];
        else if (key == "--png") pngDir = argv[i + 1];
        else if (key == "--game") game = argv[i + 1];
    }
    if (outDir.empty()) {
        std::fprintf(stderr, "usage: picture_maker --out DIR [--png DIR] [--game START.kvt]\n");
        return 2;
    }
    using namespace kvt::pictures;
    bool ok = true;
    if (game.empty()) {
        ok &= Write(DrawSymbolSheet(), "BASEIMG2.BMP");
        ok &= Write(DrawLabelSheet(), "BASEIMG3.BMP");
        ok &= Write(DrawMarkerStrip(), "OBJECTIV.BMP");
        ok &= Write(DrawElectionMap(), kElectionMapFile);
        for (const DialogBackground& bg : DialogBackgrounds()) ok &= Write(DrawDialogBackground(bg), bg.file);
        return ok ? 0 : 1;
    }
    auto rec = std::make_unique<kvt::TGameRec>();
    auto map = std::make_unique<kvt::TMapGrid>();
    std::string error;
    if (!kvt::ReadGameImages(game, *rec, *map, &error)) {
        std::fprintf(stderr, "picture_maker: cannot read %s: %s\n", game.c_str(), error.c_str());
        return 1;
    }
    const QImage mapPicture = DrawMapPicture(*rec, *map);
    ok &= Write(mapPicture, "NEWMAP.BMP");
    ok &= Write(DrawMinimap(*map), "KVTSMALL.BMP");
    if (!pngDir.empty()) {
        // What the map box shows with the view on the eastern and on the western theatre.
        mapPicture.copy(ViewRect(41, 8)).save(QString::fromStdString(pngDir + "/NEWMAP_view_east.png"));
        mapPicture.copy(ViewRect(17, 22)).save(QString::fromStdString(pngDir + "/NEWMAP_view_west.png"));
    }
    return ok ? 0 : 1;
}
