// Draws the map layers of the compiled start points to PNG files for a person to look at:
//   map_debug_view <game folder> <picture folder>
// writes <year>_<layer>.png for the terrain, states, rivers and rail layers of 1861, 1862 and 1863.
#include <QGuiApplication>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/turn/automatic_frontend.h"
#include "engine/world/game_files.h"
#include "tools/map_debug_view/map_layers_view.h"

int main(int argc, char** argv) {
    kvt::InstallAutomaticFrontendAsDefault();
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: map_debug_view <game folder> <picture folder>\n");
        return 2;
    }
    const std::string gameDir = argv[1], outDir = argv[2];
    std::filesystem::create_directories(outDir);
    using kvt::debugview::Layer;
    const std::pair<Layer, const char*> layers[] = {
        {Layer::Terrain, "terrain"}, {Layer::States, "states"}, {Layer::Rivers, "rivers"}, {Layer::Rail, "rail"}};
    int written = 0;
    for (const char* year : {"1861", "1862", "1863"}) {
        auto rec = std::make_unique<kvt::TGameRec>();
        auto map = std::make_unique<kvt::TMapGrid>();
        std::string why;
        if (!kvt::ReadGameImages(gameDir + "/" + year + ".kvt", *rec, *map, &why)) {
            std::fprintf(stderr, "map_debug_view: %s\n", why.c_str());
            return 1;
        }
        for (const auto& [layer, name] : layers) {
            const std::string path = outDir + "/" + year + "_" + name + ".png";
            if (!kvt::debugview::DrawLayer(*rec, *map, layer).save(QString::fromStdString(path), "PNG")) {
                std::fprintf(stderr, "map_debug_view: cannot write %s\n", path.c_str());
                return 1;
            }
            ++written;
        }
    }
    std::printf("map_debug_view: %d pictures in %s\n", written, outDir.c_str());
    return 0;
}
