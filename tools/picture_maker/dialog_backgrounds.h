// Background pictures of the dialogs that show one: aged paper inside a ruled border, with a
// faint engraving in one corner that tells the dialogs apart (each notice has one of its own).
// The middle stays calm so that the labels and lists laid over it read clearly.
#pragma once

#include <QImage>
#include <vector>

namespace kvt::pictures {

enum class Motif {
    Star, Skyline, Ship, Locomotive, Fort, Cannon, Flags, Newspaper, Dome, Tents,
    Torches, Anchor, CrossedMuskets, BrokenChain, SinkingShip, Barrels, TornMap, Drum, Bugle, Globe,
    Compass, CrossedSabres, Hourglass
};

struct DialogBackground {
    const char* file;  // in the game folder
    int width;
    int height;
    Motif motif;
    // The outer rule's distance from the edge; the inner rule lies twice as far in. A dialog whose
    // labels start a few pixels from its edge keeps its rules out from under them.
    int ruleInset = 4;
    // The engraving's size against its 100 x 70 box; 0 for the usual, which shrinks it to fit a
    // small dialog.
    double engravingScale = 0;
    // How far the engraving's box stays from the right and bottom edges: the lower right corner,
    // or a free corner further in where the dialog's labels fill that one.
    int engravingRight = 16;
    int engravingBottom = 16;
};

const std::vector<DialogBackground>& DialogBackgrounds();
QImage DrawDialogBackground(const DialogBackground& background);

}  // namespace kvt::pictures
