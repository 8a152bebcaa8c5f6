// The colours of the game's pictures: one period palette shared by the map, the symbol sheets,
// the minimap and the dialog backgrounds, so that a unit or a place looks the same everywhere.
#pragma once

#include <QColor>

namespace kvt::pictures {

// Paper and ink.
inline const QColor kPaper(238, 229, 204);
inline const QColor kPaperShade(222, 209, 176);
inline const QColor kInk(52, 38, 26);
inline const QColor kFrame(24, 20, 16);

// Nations on the counters: 1 Union, 2 Confederacy, 3 France, 4 Britain.
inline const QColor kUnionBody(34, 56, 132);
inline const QColor kUnionLight(214, 222, 242);
inline const QColor kConfederateBody(128, 128, 124);
inline const QColor kConfederateLight(232, 230, 222);
inline const QColor kFrenchBlue(44, 76, 172);
inline const QColor kFrenchRed(188, 34, 40);
inline const QColor kBritishBody(196, 30, 38);
inline const QColor kWhite(250, 248, 240);
inline const QColor kGold(214, 176, 62);
inline const QColor kTrack(218, 206, 176);

// Water and ships.
inline const QColor kOceanDeep(40, 70, 120);
inline const QColor kRiverWater(118, 102, 64);
inline const QColor kShipIron(44, 44, 48);

// The battle flash.
inline const QColor kFlashRed(222, 40, 20);
inline const QColor kFlashYellow(255, 214, 64);

// Route markers.
inline const QColor kMarkerGround(248, 240, 214);
inline const QColor kMarkerArrow(178, 20, 20);

// Army colours of the strength bars (armies 1 to 8), for the matching stripe of an army's headquarters.
QColor ArmyColour(int army);

}  // namespace kvt::pictures
